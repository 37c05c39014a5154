#include "common/card_compile.h"

#include <cstring>

#include "common/source_pieces.h"
#include "frame/load.h"
#include "language/diagnostics.h"

namespace {

std::string withoutNewline(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// Turns what the load reports into findings at the file's own places, and
// remembers which step spoke last.
class GatheringReport : public LoadReport {
 public:
  GatheringReport(const SourcePieces& pieces, std::vector<Finding>* findings)
      : pieces_(pieces), findings_(findings) {}

  void cannotOpen(const std::string&, int error) override {
    unopened_ = true;
    add(Finding::kError, 0, 0,
        std::string("cannot open the file: ") + std::strerror(error));
  }

  void progress(const char* line) override {
    step_ = withoutNewline(line);
    stepSpoke_ = false;
  }

  void parseError(uint32_t lineNumber, int32_t code, uint32_t column,
                  const char*) override {
    add(Finding::kError, lineNumber, column,
        withoutNewline(parseErrorMessage(code)));
  }

  // The table steps share one list, reported whole after each of them, but
  // the traps table step never adds to it: each report holds what the
  // step before it found.
  void diagnostics(const DiagnosticsList& list) override {
    for (const Diagnostic& record : list.records) {
      std::string message = withoutNewline(diagnosticMessage(record.code));
      if (!record.text.empty()) message += ": " + record.text;
      addRecord(record, record.isWarning ? Finding::kWarning : Finding::kError,
                message);
    }
    for (const Diagnostic& record : list.unreported) {
      addRecord(record, Finding::kError,
                record.text + " (the daemon does not say so)");
    }
  }

  void messages(const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) add(Finding::kError, 0, 0, line);
  }

  // The step that began last, without its full stop.
  std::string step() const {
    return step_.ends_with('.') ? step_.substr(0, step_.size() - 1) : step_;
  }
  bool stepSpoke() const { return stepSpoke_; }
  bool unopened() const { return unopened_; }

 private:
  void addRecord(const Diagnostic& record, Finding::Severity severity,
                 const std::string& message) {
    const bool placed = record.line != kNoLine && record.line > 0;
    add(severity, placed ? static_cast<uint32_t>(record.line) : 0,
        record.column, message);
  }

  // `piece` and `column` as the load counts them; piece 0 for no place.
  void add(Finding::Severity severity, uint32_t piece, uint32_t column,
           const std::string& message) {
    Finding finding{severity, 0, 0, message, {}};
    if (piece != 0) {
      const SourcePlace place = pieces_.place(piece, column);
      finding.line = place.line + 1;
      finding.column = place.offset + 1;
      finding.lineText = pieces_.lineText(place.line);
    }
    findings_->push_back(std::move(finding));
    stepSpoke_ = true;
  }

  const SourcePieces& pieces_;
  std::vector<Finding>* findings_;
  std::string step_;
  bool stepSpoke_ = false;
  bool unopened_ = false;
};

// The caret under byte `column` (from 1) of `text`: tabs kept and one
// space per character before it, so that it lines up on a terminal also
// under indented and UTF-8 text.
std::string caretLine(std::string_view text, uint32_t column) {
  std::string caret;
  for (uint32_t i = 0; i + 1 < column; ++i) {
    const unsigned char byte = i < text.size() ? text[i] : ' ';
    if ((byte & 0xc0) == 0x80) continue;
    caret += byte == '\t' ? '\t' : ' ';
  }
  return caret + "^";
}

const char* severityName(Finding::Severity severity) {
  switch (severity) {
    case Finding::kError:
      return "error";
    case Finding::kWarning:
      return "warning";
    case Finding::kNote:
      return "note";
  }
  return "error";
}

}  // namespace

CardStatus compileCard(const std::string& path, TrapRegistry& registry,
                       std::vector<Finding>* findings) {
  SourcePieces pieces;
  if (const int error = pieces.read(path); error != 0) {
    findings->push_back(
        {Finding::kError, 0, 0,
         std::string("cannot read the file: ") + std::strerror(error), {}});
    return kCardUnreadable;
  }
  GatheringReport report(pieces, findings);
  const LoadResult loaded = compileDefinitions(path, report, registry, -1);
  if (loaded.status == 0 && loaded.trapsGenerated) return kCardLoads;
  if (report.unopened()) return kCardUnreadable;
  if (!report.stepSpoke()) {
    findings->push_back({Finding::kError, 0, 0,
                         "the step \"" + report.step() +
                             "\" stops without saying why",
                         {}});
  }
  if (loaded.status == 0) {
    findings->push_back(
        {Finding::kNote, 0, 0,
         "the daemon would start, and never send a trap record: its MIB "
         "generation stops at \"" + report.step() + "\"",
         {}});
  }
  return kCardFails;
}

void printFindings(const std::string& path,
                   const std::vector<Finding>& findings, FILE* out) {
  for (const Finding& finding : findings) {
    const char* severity = severityName(finding.severity);
    if (finding.line == 0) {
      std::fprintf(out, "%s: %s: %s\n", path.c_str(), severity,
                   finding.message.c_str());
      continue;
    }
    std::fprintf(out, "%s:%u:%u: %s: %s\n", path.c_str(), finding.line,
                 finding.column, severity, finding.message.c_str());
    // The line is the engineer's own bytes, a NUL among them perhaps.
    std::fwrite(finding.lineText.data(), 1, finding.lineText.size(), out);
    std::fprintf(out, "\n%s\n",
                 caretLine(finding.lineText, finding.column).c_str());
  }
}

CardStatus compileCard(const std::string& path, TrapRegistry& registry) {
  std::vector<Finding> findings;
  const CardStatus status = compileCard(path, registry, &findings);
  if (status != kCardLoads) printFindings(path, findings, stderr);
  return status;
}
