// The stand-in's command line and its values file.
//
//   txservice [--name NAME] [--values FILE]
//
// The values file holds one name=value per line, split at the first '=';
// the name may carry an index suffix (level[3]) and the value may be empty.
// Blank lines and lines starting with '#' are skipped; a line ending in
// "\r\n" ends there, so that a file written on another system reads the
// same. A name given twice keeps its last value.

#ifndef OSTRAND_TOOLS_TXSERVICE_OPTIONS_H_
#define OSTRAND_TOOLS_TXSERVICE_OPTIONS_H_

#include <map>
#include <optional>
#include <string>

struct Options {
  std::string name = "org.velmor.transaction";
  std::optional<std::string> valuesFile;
};

// The status parseOptions gives when the service is to run.
inline constexpr int kRun = -1;

// Parses argv into `options`. Returns kRun, or the exit status after a
// usage error (2, the usage line on standard error) or --help (0, on
// standard output).
int parseOptions(int argc, char** argv, Options* options);

// Reads the values file `path` into `values`. Returns 0, or 1 with `error`
// set to "FILE:LINE: expected name=value" for a line that is not name=value
// (or "FILE:LINE: expected UTF-8 text" for one that cannot travel on the
// bus as a string), or "cannot read FILE: <reason>".
int readValues(const std::string& path,
               std::map<std::string, std::string>* values, std::string* error);

#endif  // OSTRAND_TOOLS_TXSERVICE_OPTIONS_H_
