#include "mib/version_combinations.h"

#include <algorithm>

namespace {

// The version from which `combination` is in effect, or -1.
int32_t mergedVersionOf(const std::vector<std::vector<int32_t>>& versionLists,
                        const VersionCombination& combination) {
  int32_t merged = 0;
  for (int32_t version : combination) merged = std::max(merged, version);
  for (size_t j = 0; j < versionLists.size(); ++j) {
    // The component's value list in effect at `merged`; a version 0 list
    // counts as none, so that it never hides a combination.
    int32_t current = 0;
    for (int32_t version : versionLists[j]) {
      if (version > 0 && version <= merged) current = version;
    }
    if (combination[j] < current) return -1;
  }
  return merged;
}

}  // namespace

bool nextCombination(std::vector<size_t>& positions,
                     const std::vector<size_t>& sizes) {
  for (size_t j = positions.size(); j > 0; --j) {
    if (++positions[j - 1] < sizes[j - 1]) return true;
    positions[j - 1] = 0;
  }
  return false;
}

void buildVersionCombinations(
    const std::vector<std::vector<int32_t>>& versionLists,
    std::vector<VersionCombination>& combinations,
    std::vector<int32_t>& mergedVersions) {
  combinations.clear();
  mergedVersions.clear();
  if (versionLists.empty()) return;
  std::vector<size_t> sizes;
  for (const auto& list : versionLists) {
    if (list.empty()) return;
    sizes.push_back(list.size());
  }
  std::vector<size_t> positions(versionLists.size(), 0);
  do {
    VersionCombination combination;
    for (size_t j = 0; j < positions.size(); ++j) {
      combination.push_back(versionLists[j][positions[j]]);
    }
    mergedVersions.push_back(mergedVersionOf(versionLists, combination));
    combinations.push_back(std::move(combination));
  } while (nextCombination(positions, sizes));
}
