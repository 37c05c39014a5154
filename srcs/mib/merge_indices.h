// The merged index of a variable indexed by several index parameters (a
// slot and a port, say): its values are all combinations of the
// components' values, numbered with the last component changing fastest.

#ifndef OSTRAND_MIB_MERGE_INDICES_H_
#define OSTRAND_MIB_MERGE_INDICES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "mib/mib_model.h"
#include "mib/version_combinations.h"

// Adds to the index keyed by `key` in `indices` one merged version per
// entry of `mergedVersions` that is not negative and not merged before: the
// combined value names of the component value lists in the matching entry
// of `combinations`, one split expression per component ((sw::this / m) %
// sk, in infix form), the components' translation lists and the union of
// their value texts. `components` are the simple indices of the names of
// `key`, in order (one per name). Unless `mergedVersions` is empty, the
// index is then created if missing, its version lowered to `listVersion`,
// and it has no removal version; nothing is created when the merge fails.
//
// A merged version is not listed beyond kIndexValueLimit + 1 combined
// names, which is enough for the limit check of processIndex to refuse it,
// while two large components could otherwise combine into billions of names.
//
// Returns 0, or -2 with a message after `prefix` when the combinations do
// not fit the components.
int mergeIndices(MessageList& messages, MibIndexMap& indices,
                 std::vector<int32_t> mergedVersions, const std::string& prefix,
                 const MibIndexKey& key,
                 const std::vector<VersionCombination>& combinations,
                 const std::vector<const MibIndex*>& components,
                 int32_t listVersion);

#endif  // OSTRAND_MIB_MERGE_INDICES_H_
