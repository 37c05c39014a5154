// Reporting problems of a definition file, on standard error, in terms of
// the status codes of status_codes.h.
//
// Two ways, one code table. An error the statement parser finds while
// reading a line stops the load at once: parseAndReport prints the line
// number, the code's parse error message, the line and a caret under the
// offending column. Problems only the generators find later are collected
// as Diagnostic records in a DiagnosticsList, together with the text of the
// lines they refer to, and printed with printDiagnostics.
//
// Everything is written with C stdio, unconverted: a quoted line is the
// card engineer's own bytes (any encoding, or none) and reaches the
// terminal exactly as it stands in the file.

#ifndef OSTRAND_LANGUAGE_DIAGNOSTICS_H_
#define OSTRAND_LANGUAGE_DIAGNOSTICS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "expr/line_text.h"
#include "language/load_report.h"
#include "language/model.h"

// The line of a diagnostic that refers to no line.
constexpr int32_t kNoLine = -1;

// One problem found by a generator.
struct Diagnostic {
  bool isWarning = false;
  int32_t code = 0;
  int32_t line = kNoLine;  // the line it refers to, from 1
  uint32_t column = 0;     // byte offset within that line
  std::string text;        // a detail such as the name concerned; may be empty
};

// The problems of one load, with the text of the lines they refer to.
struct DiagnosticsList {
  SourceLines sourceLines;
  std::vector<Diagnostic> records;  // in the order they were added
  // Problems that stop a generator although the daemon has never printed
  // them; `text` says what is wrong, the code is kGeneratorInconsistent.
  // The offline definition tool shows them, printDiagnostics does not.
  std::vector<Diagnostic> unreported;
};

// Parses one input line with parseLine (parser.h) and returns its status
// code. A non-zero code is reported to `report` first; on standard error
// that is "Error on line N", the code's parse error message, the line as it
// is (a newline added when it has none) and a caret line with the parser's
// column in spaces before the ^.
int parseAndReport(DefinitionModel& model, const char* lineText,
                   uint32_t lineNumber,
                   LoadReport& report = standardErrorReport());

// What the parser's refusal with `code` says, newline included: "" for 0,
// "Unknown error\n" for a code the parser never reports.
const char* parseErrorMessage(int32_t code);

// What a generator's diagnostic of `code` says: "Unknown error." for a
// code no generator reports. Only the messages of 20 and 24 end in a
// newline, so that their detail text lands on the next line.
const char* diagnosticMessage(int32_t code);

// Appends a copy of `diagnostic` to list.records. `sourceLines` are those of
// the model record the diagnostic is about; the entry for its line, if
// there is one, is copied into list.sourceLines unless that line is already
// there (the first text recorded for a line wins).
void addDiagnostic(DiagnosticsList& list, const Diagnostic& diagnostic,
                   const SourceLines& sourceLines);

// Records a problem the daemon does not print (see
// DiagnosticsList::unreported) at (line, column) of a record whose lines are
// `sourceLines`.
void addUnreported(DiagnosticsList& list, uint32_t line, uint32_t column,
                   const SourceLines& sourceLines, const std::string& text);

// Adds an error of `code` without text at (line, column) of a record whose
// lines are `sourceLines`, as addDiagnostic does.
void addErrorAt(DiagnosticsList& list, int32_t code, uint32_t line,
                uint32_t column, const SourceLines& sourceLines);

// The same for a generator that holds the text of the diagnostic's line
// itself: records (line, lineText) under the same rule. Nothing is recorded
// for a diagnostic without a line.
void addDiagnosticWithLine(DiagnosticsList& list, const Diagnostic& diagnostic,
                           const std::string& lineText);

// Prints every record of `list` in order: "Error"/"Warning" (with " on line
// N" when it has a line), the diagnostic message, the text (after a space)
// and a newline, then the recorded line and a caret line when list holds the
// text of the record's line. Leaves the list as it is.
void printDiagnostics(const DiagnosticsList& list);

#endif  // OSTRAND_LANGUAGE_DIAGNOSTICS_H_
