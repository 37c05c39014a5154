// Where the load of a definition file says what it is doing and what it
// found wrong. The daemon prints everything on standard error as it comes
// (standardErrorReport); the offline definition tool gathers the same calls
// to show them in its own form. Calls come in the order the daemon prints,
// so a report that prints each call as it comes writes the daemon's text.

#ifndef OSTRAND_LANGUAGE_LOAD_REPORT_H_
#define OSTRAND_LANGUAGE_LOAD_REPORT_H_

#include <cstdint>
#include <string>
#include <vector>

struct DiagnosticsList;

class LoadReport {
 public:
  virtual ~LoadReport() = default;

  // The definition file could not be opened; `error` is the errno value.
  virtual void cannotOpen(const std::string& path, int error) = 0;

  // A step of the load begins; `line` is its progress line, newline
  // included ("Generating traps table.\n").
  virtual void progress(const char* line) = 0;

  // The statement parser refused piece `lineNumber` of the file (pieces
  // are counted as the load counts lines) with status `code`, at byte
  // `column` of `lineText`. The load stops here.
  virtual void parseError(uint32_t lineNumber, int32_t code, uint32_t column,
                          const char* lineText) = 0;

  // The load prints `list`: every record in it, those printed before
  // included.
  virtual void diagnostics(const DiagnosticsList& list) = 0;

  // A MIB stage prints its message lines.
  virtual void messages(const std::vector<std::string>& lines) = 0;
};

// The daemon's report: everything on standard error, unconverted.
LoadReport& standardErrorReport();

#endif  // OSTRAND_LANGUAGE_LOAD_REPORT_H_
