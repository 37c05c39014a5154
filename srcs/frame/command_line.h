// The daemon's command line: one definition file, an optional bus name for
// the transaction service and a switch that keeps the process in the
// foreground.

#ifndef OSTRAND_FRAME_COMMAND_LINE_H_
#define OSTRAND_FRAME_COMMAND_LINE_H_

#include <string>

#include "transaction/service_calls.h"

struct CommandLine {
  bool daemonize = true;
  std::string busName = kServiceName;
  std::string definitionFile;
};

// Parses argv into `commandLine` with argp. A usage error, --help, --usage
// and --version end the process inside argp (usage errors with argp's usage
// exit status); the function returns only when the command line was good.
void parseCommandLine(CommandLine& commandLine, int argc, char** argv);

#endif  // OSTRAND_FRAME_COMMAND_LINE_H_
