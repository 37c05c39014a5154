// The MIB numbers of an integer run: integer ranges keep their own values
// as far as the strings between them allow.

#ifndef OSTRAND_MIB_INTEGER_NUMBERING_H_
#define OSTRAND_MIB_INTEGER_NUMBERING_H_

#include <string>
#include <vector>

#include "mib/integer_ranges.h"
#include "mib/mib_model.h"

// The run's merged range: the numbering of its items in order, its entry
// spanning the run (mib_model.h).
//
// Returns 0, or -2 with "Invalid expression" after `prefix` when a MIB
// number falls outside 32 bits: the entries and translations hold 32-bit
// literals, and a wrapped number would collide with another value's.
int finishIntegerRange(MessageList& messages, const IntegerRun& run,
                       MibRange& merged, const std::string& prefix);

// The translated form of a version merged into `run` as `segments`: the
// numbering of the version's own values in the order written, with the
// run's numbers.
//
// Returns 0, or -2 with a message after `prefix` when a value of the
// version is not in the run or a number falls outside 32 bits.
int translateIntegerVersion(MessageList& messages, const IntegerRun& run,
                            const std::vector<RangeSegment>& segments,
                            MibRange& translated, const std::string& prefix);

#endif  // OSTRAND_MIB_INTEGER_NUMBERING_H_
