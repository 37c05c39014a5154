#include "language/diagnostics.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "language/parser.h"
#include "language/status_codes.h"

namespace {

// A null message means the code is not reported that way; the printer in
// question falls back to its default text.
struct CodeMessages {
  int32_t code;
  const char* parseError;
  const char* diagnostic;
};

constexpr CodeMessages kMessages[] = {
    {kInternalError, "Internal error\n", nullptr},
    {kStatusOk, "", nullptr},
    {kSyntaxError, "Syntax error\n", nullptr},
    {kDuplicateTable, "Duplicate table declaration\n", nullptr},
    {kParameterNotFound, nullptr, "Parameter not found"},
    {kParameterInTwoTables, nullptr, "Parameter appears in multiple tables"},
    {kDuplicateParamVersion,
     "Parameter version has been defined multiple times\n", nullptr},
    {kBadRemovalVersion, "Parameter removal version is invalid\n", nullptr},
    {kIndexNotDefined, nullptr, "Parameter's index is not defined"},
    {kIndexRemoved, nullptr, "Parameter's index is defined as removed"},
    {kDuplicateIndex, "Duplicate parameter index definition\n", nullptr},
    {kDuplicateRange, "Duplicate parameter range definition\n", nullptr},
    {kRangeKindChanged, nullptr,
     "Parameter range definition has changed to/from int/enum from/to "
     "string"},
    {kInvalidRange, nullptr, "Invalid parameter range definition"},
    {kEmptyRange, "Empty parameter range definition\n", nullptr},
    {kFirstRangeVersion,
     "First range definition version does not match first parameter "
     "version\n",
     nullptr},
    {kRangeAfterRemoval,
     "Range definition version after last parameter version\n", nullptr},
    {kCtrlValidAfterRemoval,
     "Valid definition version after last parameter version\n", nullptr},
    {kGreyOutAfterRemoval,
     "Grey out definition version after last parameter version\n", nullptr},
    {kIndexAfterRemoval,
     "Parameter index version after last parameter version\n", nullptr},
    {kEmptyTrapDescription, "Empty trap description\n", nullptr},
    {kDuplicateTrap, "Duplicate trap declaration\n",
     "Duplicate trap declaration\n"},
    {kEmptyTrapAction, "Empty trap action\n", nullptr},
    {kIllegalTableName, "Illegal table name\n", nullptr},
    // No statement produces it: two video standards of one name and
    // version are merged.
    {kDuplicateVidStd, "Duplicate video standard declaration\n", nullptr},
    {kInvalidVidStdConstant, nullptr, "Invalid video standard constant\n"},
    {kDescriptionAfterRemoval,
     "Parameter description version after last parameter version\n",
     nullptr},
    {kGlobalDisplayRuleNotAlone,
     "Global display rule cannot be specified if there are multiple display "
     "rules\n",
     nullptr},
    {kConditionalAfterGlobalRule,
     "Conditional display rule cannot be specified if there is already a "
     "global display rule\n",
     nullptr},
};

const CodeMessages* findMessages(int32_t code) {
  for (const CodeMessages& entry : kMessages) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

// The key of a diagnostic's line in a SourceLines map; none without a line.
std::optional<uint32_t> lineKey(const Diagnostic& diagnostic) {
  if (diagnostic.line == kNoLine) return std::nullopt;
  return static_cast<uint32_t>(diagnostic.line);
}

// The quoted line, always ended by a newline, then `column` spaces and the
// caret. The caret line goes out in one write: standard error is unbuffered,
// and a column of a thousand spaces should not cost a thousand writes.
void printQuotedLine(std::string_view text, uint32_t column) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
  std::string caret(column, ' ');
  caret += "^\n";
  std::fwrite(caret.data(), 1, caret.size(), stderr);
}

// The message parseAndReport prints for `code`, newline included: "" for 0,
// "Unknown error\n" for a code the parser never reports.
const char* parseErrorMessage(int32_t code) {
  const CodeMessages* entry = findMessages(code);
  if (entry == nullptr || entry->parseError == nullptr) {
    return "Unknown error\n";
  }
  return entry->parseError;
}

// The message printDiagnostics prints for `code`: "Unknown error." for a
// code no generator reports. Only the messages of 20 and 24 end in a
// newline, so their detail text lands on the next line.
const char* diagnosticMessage(int32_t code) {
  const CodeMessages* entry = findMessages(code);
  if (entry == nullptr || entry->diagnostic == nullptr) return "Unknown error.";
  return entry->diagnostic;
}

}  // namespace

int parseAndReport(DefinitionModel& model, const char* lineText,
                   uint32_t lineNumber) {
  uint32_t column = 0;
  int result = parseLine(model, column, lineText, lineNumber);
  if (result != kStatusOk) {
    std::fprintf(stderr, "Error on line %u\n", lineNumber);
    std::fputs(parseErrorMessage(result), stderr);
    printQuotedLine(lineText, column);
  }
  return result;
}

void addDiagnostic(DiagnosticsList& list, const Diagnostic& diagnostic,
                   const SourceLines& sourceLines) {
  list.records.push_back(diagnostic);
  std::optional<uint32_t> key = lineKey(diagnostic);
  if (!key) return;
  auto found = sourceLines.find(*key);
  if (found != sourceLines.end()) {
    addSourceLine(list.sourceLines, *key, found->second.c_str());
  }
}

void addErrorAt(DiagnosticsList& list, int32_t code, uint32_t line,
                uint32_t column, const SourceLines& sourceLines) {
  Diagnostic error;
  error.code = code;
  error.line = static_cast<int32_t>(line);
  error.column = column;
  addDiagnostic(list, error, sourceLines);
}

void addDiagnosticWithLine(DiagnosticsList& list, const Diagnostic& diagnostic,
                           const std::string& lineText) {
  list.records.push_back(diagnostic);
  std::optional<uint32_t> key = lineKey(diagnostic);
  if (key) addSourceLine(list.sourceLines, *key, lineText.c_str());
}

void printDiagnostics(const DiagnosticsList& list) {
  for (const Diagnostic& record : list.records) {
    const char* kind = record.isWarning ? "Warning" : "Error";
    std::optional<uint32_t> key = lineKey(record);
    if (key) {
      std::fprintf(stderr, "%s on line %u\n", kind, *key);
    } else {
      std::fprintf(stderr, "%s\n", kind);
    }
    std::fputs(diagnosticMessage(record.code), stderr);
    if (!record.text.empty()) {
      std::fprintf(stderr, " %s\n", record.text.c_str());
    } else {
      std::fputc('\n', stderr);
    }
    if (!key) continue;
    auto found = list.sourceLines.find(*key);
    if (found != list.sourceLines.end()) {
      printQuotedLine(found->second, record.column);
    }
  }
}
