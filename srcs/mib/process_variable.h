// Stage 4 of the MIB generation: the ranges of a variable merged across
// versions into runs that share one MIB numbering of the values.

#ifndef OSTRAND_MIB_PROCESS_VARIABLE_H_
#define OSTRAND_MIB_PROCESS_VARIABLE_H_

#include <string>

#include "mib/mib_model.h"

// Fills `mergedRanges` of `variable` with one merged range per run of
// versions, under the run's first version, and replaces each of its
// `versionedRanges` by the version's translated form, numbered as its run.
//
// A free-text variable keeps its range as its only merged range. Otherwise
// a run ends where the ranges change between enumerated and integer, or
// where an integer version cannot keep the numbers of the run so far.
// Returns 0, or -2 with a message after `prefix` (a free-text range after
// others, a range that cannot be merged or numbered).
int processVariable(MessageList& messages, MibVariable& variable,
                    const std::string& prefix);

#endif  // OSTRAND_MIB_PROCESS_VARIABLE_H_
