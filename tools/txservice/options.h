// The stand-in's command line.
//
//   txservice [--name=NAME] [--values=FILE]
//
// FILE is a values file (common/values_file.h).

#ifndef OSTRAND_TOOLS_TXSERVICE_OPTIONS_H_
#define OSTRAND_TOOLS_TXSERVICE_OPTIONS_H_

#include <optional>
#include <string>

struct Options {
  std::string name = "org.velmor.transaction";
  std::optional<std::string> valuesFile;
};

// Parses argv into `options`. Returns only when the service is to run:
// --help, --usage and --version end the process with status 0, a usage
// error, a NAME that is not a well-known bus name among them, with
// kUsageStatus (common/tool_options.h).
void parseOptions(int argc, char** argv, Options* options);

#endif  // OSTRAND_TOOLS_TXSERVICE_OPTIONS_H_
