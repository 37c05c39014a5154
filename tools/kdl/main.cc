// ostrand-kdl: the card engineer's offline tool. It compiles a card's
// definition file with the daemon's own code, needing no card, no bus, no
// device and no root:
//
//   ostrand-kdl check [--format=compiler|daemon] FILE
//   ostrand-kdl traps [--json] FILE
//   ostrand-kdl simulate [--values=VALUES] [--raw] [--calls] FILE [SCRIPT]
//
// check.h, kdl/catalogue.h and simulate.h say what each prints. The
// command line follows the daemon's convention (common/tool_options.h).

#include <argp.h>

#include <cstdio>
#include <string>

#include "common/card_compile.h"
#include "common/tool_options.h"
#include "kdl/catalogue.h"
#include "kdl/check.h"
#include "kdl/simulate.h"

namespace {

enum Key { kFormat = 'f', kJson = 'j', kValues = 'v', kRaw = 'r', kCalls = 'c' };

const argp_option kOptions[] = {
    {nullptr, 0, nullptr, 0,
     "check FILE: every problem the daemon's load of FILE reports, and what "
     "it leaves unsaid; status 0 when the load would go through every "
     "stage, 1 when not, 2 when FILE cannot be read",
     1},
    {"format", kFormat, "FORMAT", 0,
     "compiler (FILE:LINE:COL: error: MESSAGE, the default) or daemon (the "
     "daemon's own text)",
     1},
    {nullptr, 0, nullptr, 0,
     "traps FILE: one row per trap instance, with the identifiers of its "
     "records, its bindings, what it reads and its rules",
     2},
    {"json", kJson, nullptr, 0, "as one JSON array", 2},
    {nullptr, 0, nullptr, 0,
     "simulate FILE [SCRIPT]: plays the transaction signals of SCRIPT "
     "(standard input when absent) on FILE and shows the records the daemon "
     "would write",
     3},
    {"values", kValues, "VALUES", 0,
     "what the simulated service holds (name=value lines)", 3},
    {"raw", kRaw, nullptr, 0, "each record's bytes in hex", 3},
    {"calls", kCalls, nullptr, 0, "also the service calls the daemon makes",
     3},
    {},
};

struct CommandLine {
  std::string command;
  std::string file;
  bool daemonFormat = false;
  bool json = false;
  SimulateOptions simulate;
  // The options given, for the check that each belongs to the command.
  std::string given;
};

// The first option of `given` that `command` does not take, or 0.
char foreignOption(const std::string& command, const std::string& given) {
  const std::string own = command == "check"   ? "f"
                          : command == "traps" ? "j"
                                               : "vrc";
  for (const char key : given) {
    if (own.find(key) == std::string::npos) return key;
  }
  return 0;
}

const char* longName(char key) {
  for (const argp_option& option : kOptions) {
    if (option.key == key) return option.name;
  }
  return "?";
}

error_t parseOption(int key, char* arg, argp_state* state) {
  auto* line = static_cast<CommandLine*>(state->input);
  switch (key) {
    case kFormat:
      if (std::string(arg) != "compiler" && std::string(arg) != "daemon") {
        argp_error(state, "--format is compiler or daemon, not '%s'", arg);
      }
      line->daemonFormat = std::string(arg) == "daemon";
      break;
    case kJson:
      line->json = true;
      break;
    case kValues:
      line->simulate.values = arg;
      break;
    case kRaw:
      line->simulate.raw = true;
      break;
    case kCalls:
      line->simulate.calls = true;
      break;
    case ARGP_KEY_ARG:
      if (state->arg_num == 0) {
        line->command = arg;
        if (line->command != "check" && line->command != "traps" &&
            line->command != "simulate") {
          argp_error(state, "no command '%s': check, traps or simulate", arg);
        }
      } else if (state->arg_num == 1) {
        line->file = arg;
      } else if (state->arg_num == 2 && line->command == "simulate") {
        line->simulate.script = arg;
      } else {
        argp_error(state, "too many arguments");
      }
      return 0;
    case ARGP_KEY_END:
      if (state->arg_num < 2) argp_usage(state);
      if (const char foreign = foreignOption(line->command, line->given)) {
        argp_error(state, "--%s is no option of %s", longName(foreign),
                   line->command.c_str());
      }
      return 0;
    default:
      return ARGP_ERR_UNKNOWN;
  }
  line->given += static_cast<char>(key);
  return 0;
}

const argp kParser = {
    kOptions, parseOption, "check FILE\ntraps FILE\nsimulate FILE [SCRIPT]",
    "ostrand-kdl -- checks, lists and tries a card's definition file "
    "without a card",
    nullptr, nullptr, nullptr};

int listTraps(const std::string& path, bool json) {
  TrapRegistry registry;
  const CardStatus status = compileCard(path, registry);
  if (status != kCardLoads) return status;
  writeCatalogue(registry, json, stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  useToolConvention("ostrand-kdl");
  CommandLine line;
  argp_parse(&kParser, argc, argv, 0, nullptr, &line);
  if (line.command == "check") return runCheck(line.file, line.daemonFormat);
  if (line.command == "traps") return listTraps(line.file, line.json);
  line.simulate.definitions = line.file;
  return runSimulate(line.simulate);
}
