// The example card of examples/, compiled once per process for the targets
// that need a loaded card, and a load report that gathers what a load says
// instead of printing it.

#ifndef OSTRAND_FUZZ_EXAMPLE_CARD_H_
#define OSTRAND_FUZZ_EXAMPLE_CARD_H_

#include <map>
#include <string>

#include "language/load_report.h"
#include "traps/trap_registry.h"

// Everything a load reports, as one text.
class TextReport : public LoadReport {
 public:
  void cannotOpen(const std::string& path, int error) override;
  void progress(const char* line) override;
  void parseError(uint32_t lineNumber, int32_t code, uint32_t column,
                  const char* lineText) override;
  void diagnostics(const DiagnosticsList& list) override;
  void messages(const std::vector<std::string>& lines) override;

  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The registry of examples/card.kdl, its records going to /dev/null. Aborts
// with a message when the card does not load with its traps: every input
// of the targets depending on it would otherwise test nothing.
TrapRegistry& exampleCard();

// The values the service holds for the example card (examples/card.values).
const std::map<std::string, std::string>& exampleCardValues();

#endif  // OSTRAND_FUZZ_EXAMPLE_CARD_H_
