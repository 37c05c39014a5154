// `ostrand-kdl check`: what the daemon's load of a definition file says,
// and what it leaves unsaid, without a card.

#ifndef OSTRAND_TOOLS_KDL_CHECK_H_
#define OSTRAND_TOOLS_KDL_CHECK_H_

#include <string>

// Compiles `path` as the daemon loads it and prints on standard error every
// problem the load reports, each once, in the compiler form of
// common/card_compile.h, with what the daemon leaves unsaid, and warnings
// when no trap instance comes of the file or when instances carry the same
// record identifiers (a record holds only their low 16 bits). With `daemonText`, prints
// instead exactly what the daemon prints on standard error while it loads.
//
// Returns 0 when the daemon's load would go through every stage, 1 when it
// would not (the daemon ends at once, or runs without ever sending a
// record), 2 when the file cannot be read.
int runCheck(const std::string& path, bool daemonText);

#endif  // OSTRAND_TOOLS_KDL_CHECK_H_
