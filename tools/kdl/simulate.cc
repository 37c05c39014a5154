#include "kdl/simulate.h"

#include <glib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <vector>

#include "common/card_compile.h"
#include "common/values_file.h"
#include "trapdecode/instance_labels.h"
#include "trapdecode/record_framing.h"
#include "trapdecode/record_lines.h"
#include "traps/transaction_handler.h"

namespace {

constexpr char kValuePrefix[] = "value ";

// The transaction service as the daemon meets it, answering from the
// values it holds, and the trap device, printing what it receives.
class SimulatedPorts : public TrapPorts {
 public:
  SimulatedPorts(const SimulateOptions& options, const InstanceLabels& labels)
      : options_(options) {
    printer_.labels = &labels;
    sink_ = printingSink(printer_);
  }

  std::map<std::string, std::string>& held() { return held_; }

  // The method and arguments the daemon's parameter get sends: one name
  // alone, several with their count.
  void fetch(const NameSet& names, ValueMap& values) override {
    if (options_.calls) printCall(names);
    for (const std::string& name : names) {
      const auto found = held_.find(name);
      if (found != held_.end() && !found->second.empty()) {
        values.emplace(name, found->second);
      }
    }
  }

  void send(const std::string& record) override {
    if (options_.raw) {
      for (const char byte : record) {
        std::printf("%02x", static_cast<unsigned char>(byte));
      }
      std::putchar('\n');
      return;
    }
    RecordFraming framing;
    frameBytes(framing, record, sink_);
    endRecord(framing, sink_);
  }

 private:
  static void printCall(const NameSet& names) {
    std::vector<const char*> strings;
    for (const std::string& name : names) strings.push_back(name.c_str());
    strings.push_back(nullptr);
    GVariant* arguments =
        names.size() == 1
            ? g_variant_new("(s)", strings[0])
            : g_variant_new("(u^as)", static_cast<guint32>(names.size()),
                            strings.data());
    g_variant_ref_sink(arguments);
    gchar* text = g_variant_print(arguments, FALSE);
    std::printf("call %s %s\n", names.size() == 1 ? "single_get" : "single_get_bulk",
                text);
    g_free(text);
    g_variant_unref(arguments);
  }

  const SimulateOptions& options_;
  std::map<std::string, std::string> held_;
  RecordPrinter printer_;
  RecordSink sink_;
};

// Sets what the service holds for each well-formed string of the signal,
// then hands the signal to the daemon's handler.
void playSignal(std::vector<std::string>& strings, TrapRegistry& registry,
                SimulatedPorts& ports) {
  std::vector<char*> changes;
  for (std::string& text : strings) {
    std::string name, value;
    if (splitEntry(text, &name, &value)) ports.held()[name] = value;
    changes.push_back(text.data());
  }
  changes.push_back(nullptr);
  handleTransaction(changes.data(), registry, ports);
  std::putchar('\n');
  std::fflush(stdout);
  strings.clear();
}

// Plays every signal of `script`; `scriptName` names it in errors.
int playScript(std::istream& script, const std::string& scriptName,
               TrapRegistry& registry, SimulatedPorts& ports) {
  std::vector<std::string> strings;
  std::string line;
  for (unsigned number = 1; std::getline(script, line); ++number) {
    if (line.ends_with('\r')) line.pop_back();
    if (line.empty()) {
      if (!strings.empty()) playSignal(strings, registry, ports);
    } else if (line.starts_with(kValuePrefix)) {
      std::string name, value;
      if (!splitEntry(line.substr(sizeof kValuePrefix - 1), &name, &value)) {
        std::fprintf(stderr, "ostrand-kdl: %s:%u: expected value NAME=TEXT\n",
                     scriptName.c_str(), number);
        return 2;
      }
      ports.held()[name] = value;
    } else if (line[0] != '#') {
      strings.push_back(line);
    }
  }
  if (!strings.empty()) playSignal(strings, registry, ports);
  if (script.bad()) {
    std::fprintf(stderr, "ostrand-kdl: cannot read %s\n", scriptName.c_str());
    return 2;
  }
  return 0;
}

}  // namespace

int runSimulate(const SimulateOptions& options) {
  TrapRegistry registry;
  const CardStatus compiled = compileCard(options.definitions, registry);
  if (compiled != kCardLoads) return compiled;
  const InstanceLabels labels = labelInstances(registry);
  SimulatedPorts ports(options, labels);
  if (options.values) {
    std::string error;
    if (readValues(*options.values, &ports.held(), &error) != 0) {
      std::fprintf(stderr, "ostrand-kdl: %s\n", error.c_str());
      return 2;
    }
  }
  if (!options.script) return playScript(std::cin, "standard input", registry, ports);
  std::ifstream script(*options.script, std::ios::binary);
  if (!script) {
    std::fprintf(stderr, "ostrand-kdl: cannot read %s: %s\n",
                 options.script->c_str(), std::strerror(errno));
    return 2;
  }
  return playScript(script, *options.script, registry, ports);
}
