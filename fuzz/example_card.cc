#include "example_card.h"

#include <fcntl.h>

#include <cstdio>
#include <cstdlib>

#include "common/values_file.h"
#include "frame/load.h"
#include "language/diagnostics.h"

void TextReport::cannotOpen(const std::string& path, int error) {
  text_ += "cannot open " + path + ": " + std::to_string(error) + "\n";
}

void TextReport::progress(const char* line) { text_ += line; }

void TextReport::parseError(uint32_t lineNumber, int32_t code,
                            uint32_t column, const char* lineText) {
  text_ += "parse error " + std::to_string(code) + " at " +
           std::to_string(lineNumber) + ":" + std::to_string(column) + ": " +
           lineText + "\n";
}

void TextReport::diagnostics(const DiagnosticsList& list) {
  for (const auto* records : {&list.records, &list.unreported}) {
    for (const Diagnostic& record : *records) {
      text_ += (record.isWarning ? "warning " : "error ") +
               std::to_string(record.code) + " at " +
               std::to_string(record.line) + ":" +
               std::to_string(record.column) + ": " + record.text + "\n";
    }
  }
}

void TextReport::messages(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) text_ += line + "\n";
}

namespace {

[[noreturn]] void cannotSetUp(const std::string& what) {
  std::fprintf(stderr, "fuzz: cannot set up the example card: %s\n",
               what.c_str());
  std::abort();
}

}  // namespace

TrapRegistry& exampleCard() {
  static TrapRegistry* registry = [] {
    auto* loaded = new TrapRegistry;
    const int deviceFd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (deviceFd < 0) cannotSetUp("/dev/null cannot be opened");
    TextReport report;
    const LoadResult result =
        compileDefinitions(FUZZ_EXAMPLE_CARD, report, *loaded, deviceFd);
    if (result.status != 0 || !result.trapsGenerated) {
      cannotSetUp(std::string(FUZZ_EXAMPLE_CARD) + " does not load:\n" +
                  report.text());
    }
    return loaded;
  }();
  return *registry;
}

const std::map<std::string, std::string>& exampleCardValues() {
  static const auto* values = [] {
    auto* read = new std::map<std::string, std::string>;
    std::string error;
    if (readValues(FUZZ_EXAMPLE_VALUES, read, &error) != 0) cannotSetUp(error);
    return read;
  }();
  return *values;
}
