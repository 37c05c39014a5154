// The versioned definitions of a parameter: ascending versions whatever the
// order they were written in, the first definition of a version kept, and
// nothing lost when the entries move from their place in the map to room
// of their own.

#include "language/version_map.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<int32_t, std::string>>;

Entries entriesOf(const VersionMap<std::string>& map) {
  return Entries(map.begin(), map.end());
}

TEST(LanguageVersionMap, AscendingFirstWinsAndSurvivesCopyAndMove) {
  VersionMap<std::string> map;
  EXPECT_TRUE(map.try_emplace(5, "five, long enough to own its characters")
                  .second);
  EXPECT_TRUE(map.try_emplace(1, "one").second);
  EXPECT_FALSE(map.try_emplace(5, "again").second);
  map[3] += "three";
  EXPECT_TRUE(map.try_emplace(9, "nine").second);
  const Entries expected{{1, "one"},
                         {3, "three"},
                         {5, "five, long enough to own its characters"},
                         {9, "nine"}};
  EXPECT_EQ(entriesOf(map), expected);
  EXPECT_EQ(map.rbegin()->first, 9);

  VersionMap<std::string> copy(map);
  VersionMap<std::string> moved(std::move(map));
  EXPECT_TRUE(map.empty());
  EXPECT_EQ(entriesOf(copy), expected);
  EXPECT_EQ(entriesOf(moved), expected);

  // A single definition stands in the map itself and moves with it.
  VersionMap<std::string> one;
  one[2] = "two, long enough to own its characters";
  VersionMap<std::string> target;
  target[7] = "replaced";
  target = std::move(one);
  EXPECT_TRUE(one.empty());
  EXPECT_EQ(entriesOf(target),
            (Entries{{2, "two, long enough to own its characters"}}));
  target = copy;
  EXPECT_EQ(entriesOf(target), expected);
}

}  // namespace
