// Steps of the MIB stages whose results no definition case shows whole:
// the version combinations of a combined index and the joining of row
// groups brought to one version. The stages themselves are told by the
// definition cases (tests/cases/definitions).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mib/mib_tables.h"
#include "mib/mib_text.h"
#include "mib/version_combinations.h"

namespace {

// A combination holds from its highest component version, unless some
// component has a newer value list by then (-1); the last component
// advances fastest.
TEST(MibStages, VersionCombinationsHoldFromTheirHighestVersion) {
  std::vector<VersionCombination> combinations;
  std::vector<int32_t> merged;
  buildVersionCombinations({{1, 3}, {2}, {1, 3}}, combinations, merged);
  EXPECT_EQ(combinations, (std::vector<VersionCombination>{
                              {1, 2, 1}, {1, 2, 3}, {3, 2, 1}, {3, 2, 3}}));
  EXPECT_EQ(merged, (std::vector<int32_t>{2, -1, -1, 3}));
}

// Two row groups of one index brought to one version keep every variable.
TEST(MibStages, NormalisingJoinsGroupsMovedTogether) {
  MibTableSet tables;
  MessageList messages;
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, 3, "b", 3, ""), 0);
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, 0, "a", 3, ""), 0);
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, 0, "c", 4, ""), 0);
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {}, 7, "s", 5, ""), 0);
  normaliseMibTables(tables);
  EXPECT_EQ(describeMibTables(tables),
            "0 t 3 [i] @3: 3:a,b 4:c\n0 t 5 [] @0: 5:s\n");
}

}  // namespace
