#include "language/diagnostics.h"

#include <cstdio>
#include <cstring>
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

// Shares the text of the diagnostic's line from `sourceLines` with the
// list, unless the list has that line already.
void keepSourceLine(DiagnosticsList& list, const Diagnostic& diagnostic,
                    const SourceLines& sourceLines) {
  std::optional<uint32_t> key = lineKey(diagnostic);
  if (!key) return;
  auto found = sourceLines.find(*key);
  if (found != sourceLines.end()) {
    list.sourceLines.insert(*key, found->second);
  }
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

class StandardErrorReport : public LoadReport {
 public:
  void cannotOpen(const std::string& path, int error) override {
    std::fprintf(stderr, "Could not open file %s: %s\n", path.c_str(),
                 std::strerror(error));
  }

  void progress(const char* line) override { std::fputs(line, stderr); }

  void parseError(uint32_t lineNumber, int32_t code, uint32_t column,
                  const char* lineText) override {
    std::fprintf(stderr, "Error on line %u\n", lineNumber);
    std::fputs(parseErrorMessage(code), stderr);
    printQuotedLine(lineText, column);
  }

  void diagnostics(const DiagnosticsList& list) override {
    printDiagnostics(list);
  }

  void messages(const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) {
      std::fprintf(stderr, "%s\n", line.c_str());
    }
  }
};

}  // namespace

LoadReport& standardErrorReport() {
  static StandardErrorReport report;
  return report;
}

const char* parseErrorMessage(int32_t code) {
  const CodeMessages* entry = findMessages(code);
  if (entry == nullptr || entry->parseError == nullptr) {
    return "Unknown error\n";
  }
  return entry->parseError;
}

const char* diagnosticMessage(int32_t code) {
  const CodeMessages* entry = findMessages(code);
  if (entry == nullptr || entry->diagnostic == nullptr) return "Unknown error.";
  return entry->diagnostic;
}

int parseAndReport(DefinitionModel& model, const char* lineText,
                   uint32_t lineNumber, LoadReport& report) {
  uint32_t column = 0;
  int result = parseLine(model, column, lineText, lineNumber);
  if (result != kStatusOk) report.parseError(lineNumber, result, column, lineText);
  return result;
}

void addDiagnostic(DiagnosticsList& list, const Diagnostic& diagnostic,
                   const SourceLines& sourceLines) {
  list.records.push_back(diagnostic);
  keepSourceLine(list, diagnostic, sourceLines);
}

void addUnreported(DiagnosticsList& list, uint32_t line, uint32_t column,
                   const SourceLines& sourceLines, const std::string& text) {
  Diagnostic problem;
  problem.code = kGeneratorInconsistent;
  problem.line = static_cast<int32_t>(line);
  problem.column = column;
  problem.text = text;
  list.unreported.push_back(problem);
  keepSourceLine(list, problem, sourceLines);
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
