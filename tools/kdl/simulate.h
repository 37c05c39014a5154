// `ostrand-kdl simulate`: transaction signals played on a definition file
// through the daemon's own signal handling, with a simulated transaction
// service, so that trap rules can be tried before the card exists.
//
// The script holds the strings of the signals, one per line, as the service
// sends them ("name=value", index suffixes allowed); an empty line ends a
// signal, and so does the end of the script. A line "value NAME=TEXT" sets
// what the service holds without a signal, at once; a line starting with
// '#' is a comment. A line ending in "\r\n" ends before the '\r'.
//
// The service holds the values of the values file (name=value lines, read
// as the service stand-in reads them) and, like a service announcing its
// changes, the values of each signal's well-formed strings (the last of a
// name given twice), set before the signal is handled. A name it holds no
// value for reads as empty, the service's "no value".
//
// Output on standard output, per signal: with `calls`, each service call
// the daemon makes, as "call METHOD ARGUMENTS" (the arguments as a GVariant
// tuple in text form: single_get ('limit',)); then each record the daemon
// writes, decoded as trapdecode decodes it with the definitions, or with
// `raw` its bytes in lower-case hex; then an empty line.

#ifndef OSTRAND_TOOLS_KDL_SIMULATE_H_
#define OSTRAND_TOOLS_KDL_SIMULATE_H_

#include <optional>
#include <string>

struct SimulateOptions {
  std::string definitions;
  std::optional<std::string> values;  // none: the service holds nothing
  std::optional<std::string> script;  // none: standard input
  bool raw = false;
  bool calls = false;
};

// Returns 0 when every signal of the script was played; 1 when the
// definitions do not load with their traps; 2 when a file cannot be read or
// a line of the values file or the script has no form given above (the
// signals before it are played).
int runSimulate(const SimulateOptions& options);

#endif  // OSTRAND_TOOLS_KDL_SIMULATE_H_
