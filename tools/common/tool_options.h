// The command-line convention of the card's tools, which is the daemon's:
// argp with its --help, --usage and --version, a usage error ending the
// process with argp's usage status after the usage lines.

#ifndef OSTRAND_TOOLS_COMMON_TOOL_OPTIONS_H_
#define OSTRAND_TOOLS_COMMON_TOOL_OPTIONS_H_

#include <sysexits.h>

// The exit status of a bad command line, in every tool and the daemon.
constexpr int kUsageStatus = EX_USAGE;

// Sets up argp for the tool `program`: --version prints
// "PROGRAM (ostrand) RELEASE"; the help ends without a bug address line.
// Call before argp_parse.
void useToolConvention(const char* program);

#endif  // OSTRAND_TOOLS_COMMON_TOOL_OPTIONS_H_
