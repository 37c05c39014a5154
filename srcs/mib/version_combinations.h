// Which value lists of its component indices a merged index combines: each
// component may change its values at its own versions, and every pairing
// of those changes that can be in effect together is one merged version.

#ifndef OSTRAND_MIB_VERSION_COMBINATIONS_H_
#define OSTRAND_MIB_VERSION_COMBINATIONS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

using VersionCombination = std::vector<int32_t>;  // one version per component

// Steps `positions` (one per list, each below its list's size in `sizes`)
// to the next combination, the last position fastest. False, with every
// position back at 0, after the last combination.
bool nextCombination(std::vector<size_t>& positions,
                     const std::vector<size_t>& sizes);

// Every combination of one version of each list of `versionLists` (one
// ascending list per component, in component order), the last component
// changing fastest, and beside each the version from which it is in effect:
// its highest component version (at least 0), or -1 when at that version a
// component has already moved on to a later value list, so that the
// combination never occurs. Both results are empty when there is no
// component or a component has no version: a component without values has
// nothing to combine, and an empty odometer position could not be read.
void buildVersionCombinations(
    const std::vector<std::vector<int32_t>>& versionLists,
    std::vector<VersionCombination>& combinations,
    std::vector<int32_t>& mergedVersions);

#endif  // OSTRAND_MIB_VERSION_COMBINATIONS_H_
