#include "mib/version_combinations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "a,b>m" per combination, space-separated.
std::string combine(const std::vector<std::vector<int32_t>>& versionLists) {
  std::vector<VersionCombination> combinations;
  std::vector<int32_t> merged;
  buildVersionCombinations(versionLists, combinations, merged);
  EXPECT_EQ(combinations.size(), merged.size());
  std::string out;
  for (size_t i = 0; i < combinations.size(); ++i) {
    if (i != 0) out += " ";
    for (size_t j = 0; j < combinations[i].size(); ++j) {
      out += (j != 0 ? "," : "") + std::to_string(combinations[i][j]);
    }
    out += ">" + std::to_string(merged[i]);
  }
  return out;
}

TEST(VersionCombinations, LastComponentFastestAndCombinationsThatNeverOccur) {
  struct Case {
    std::vector<std::vector<int32_t>> lists;
    std::string combinations;
  };
  const std::vector<Case> cases = {
      {{{1}, {1, 4}}, "1,1>1 1,4>4"},
      {{{1, 3}, {1, 4}}, "1,1>1 1,4>-1 3,1>3 3,4>4"},
      {{{2}, {0, 5}, {1, 3}}, "2,0,1>2 2,0,3>3 2,5,1>-1 2,5,3>5"},
      // A version 0 list is in effect from the start and hides nothing.
      {{{0, 2}, {0}}, "0,0>0 2,0>2"},
      {{{0}}, "0>0"},
      {{}, ""},
      {{{1}, {}}, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(combine(c.lists), c.combinations);
  }
}

}  // namespace
