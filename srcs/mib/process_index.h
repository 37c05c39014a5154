// Stage 3 of the MIB generation: the value lists of an index merged across
// versions, so that a value keeps its index number for as long as the
// versions allow, and the limit on the number of values.

#ifndef OSTRAND_MIB_PROCESS_INDEX_H_
#define OSTRAND_MIB_PROCESS_INDEX_H_

#include <cstdint>
#include <string>
#include <vector>

#include "mib/mib_model.h"

// The value limit that turns the limit check off.
constexpr uint32_t kNoIndexValueLimit = 4294967295u;

// Fills `mergedValueNames` and `mergedSplitters` of `index`. A merged index
// keeps its lists as they are. A simple index shares one merged list among
// consecutive versions as long as each keeps the names before it at their
// positions and at most appends new ones; the list then holds the longest
// of them, under the first of those versions.
//
// Returns 0; -2 with "Empty index range" when a version has no values; -1
// with "Number of index values is larger than <limit>" when a merged list
// holds more names than `limit` (unless it is kNoIndexValueLimit). Messages
// follow `prefix`. Lists are enumerated to at most kIndexValueLimit + 1
// names, so a limit above kIndexValueLimit cannot be told apart from none.
int processIndex(MessageList& messages, MibIndex& index, uint32_t limit,
                 const std::string& prefix);

// Merges the value names of the next version, `next`, into `accumulated`:
// 0 when every common position holds the same name (`accumulated` becomes
// the longer of the two), 1 when a position differs (nothing changes), -2
// with "Empty index range" when `next` is empty.
int mergeIndexValueList(MessageList& messages,
                        std::vector<std::string>& accumulated,
                        const std::vector<std::string>& next,
                        const std::string& prefix);

#endif  // OSTRAND_MIB_PROCESS_INDEX_H_
