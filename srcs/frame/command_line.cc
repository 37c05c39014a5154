#include "frame/command_line.h"

#include <argp.h>

#include "frame/release.h"

// argp reads these two globals for --version and for the last line of
// --help; the card's tools print an empty bug address there.
const char* argp_program_version = "ostrand " OSTRAND_RELEASE;
const char* argp_program_bug_address = "";

namespace {

const argp_option kOptions[] = {
    {"bus", 'b', "STRING", 0, "D-Bus (well-known) bus name", 0},
    {"debug", 'd', nullptr, 0, "Allow debugging - do not daemonize", 0},
    {},
};

error_t parseOption(int key, char* arg, argp_state* state) {
  auto* commandLine = static_cast<CommandLine*>(state->input);
  switch (key) {
    case 'b':
      commandLine->busName = arg;
      return 0;
    case 'd':
      commandLine->daemonize = false;
      return 0;
    case ARGP_KEY_ARG:
      if (state->arg_num >= 1) argp_usage(state);  // a second definition file
      commandLine->definitionFile = arg;
      return 0;
    case ARGP_KEY_END:
      if (state->arg_num < 1) argp_usage(state);  // no definition file
      return 0;
    default:
      return ARGP_ERR_UNKNOWN;
  }
}

const argp kParser = {kOptions, parseOption, "mib_definition_file",
                      "ostrand -- USB command/status trap handler",
                      nullptr, nullptr, nullptr};

}  // namespace

void parseCommandLine(CommandLine& commandLine, int argc, char** argv) {
  argp_parse(&kParser, argc, argv, 0, nullptr, &commandLine);
}
