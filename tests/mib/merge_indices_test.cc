#include "mib/merge_indices.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "language/status_codes.h"

namespace {

// A simple index with one value at version 1, as stage 1 makes it.
MibIndex simpleIndex(const std::string& name) {
  MibIndex index;
  index.version = 1;
  index.valueNames[1] = {name + "0"};
  index.indexToValue[1].resize(1);
  index.valueTexts[1][name][name + "0"] = "0";
  return index;
}

// What stage 1 never produces, each reported after the prefix with -2 and
// nothing merged.
TEST(MergeIndices, ComponentsThatDoNotFitAreReported) {
  struct Case {
    std::vector<int32_t> merged;
    std::vector<VersionCombination> combinations;
    std::function<void(MibIndex& b)> spoil;  // of the second component
    std::string message;
  };
  const auto keep = [](MibIndex&) {};
  const std::vector<Case> cases = {
      {{1, 2},
       {{1, 1}},
       keep,
       "mismatch between number of version combinations and number of merged "
       "versions."},
      {{1},
       {{1}},
       keep,
       "mismatch between number of index versions and number of index "
       "definitions."},
      {{1},
       {{1, 1}},
       [](MibIndex& b) { b.valueNames.clear(); },
       "could not find version 1 range for index b"},
      {{1},
       {{1, 1}},
       [](MibIndex& b) { b.indexToValue.clear(); },
       "Index 1 version 1 parameter index conversion not found"},
      {{1},
       {{1, 1}},
       [](MibIndex& b) { b.indexToValue[1].resize(2); },
       "Index 1 version 1 parameter index conversion is not for an unmerged "
       "index:size=2"},
      {{1},
       {{1, 1}},
       [](MibIndex& b) { b.valueTexts.clear(); },
       "Index 1 version 1 parameter index translation not found"},
      {{1},
       {{1, 1}},
       [](MibIndex& b) { b.valueTexts[1]["c"]; },
       "Index 1 version 1 parameter index translation is not for an unmerged "
       "index:size=2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    MibIndexMap indices;
    const MibIndex& a = indices[{"a"}] = simpleIndex("a");
    MibIndex& b = indices[{"b"}] = simpleIndex("b");
    c.spoil(b);
    MessageList messages;
    EXPECT_EQ(mergeIndices(messages, indices, c.merged, "P: ", {"a", "b"},
                           c.combinations, {&a, &b}, 1),
              kGeneratorInconsistent);
    EXPECT_EQ(messages,
              MessageList{"P: Error merging MIB indices: " + c.message});
    EXPECT_EQ(indices.count({"a", "b"}), 0u);
  }
}

// Two components of 65537 values would make 4294967297 names: the list
// stops one past the limit, enough for the limit check to refuse it.
TEST(MergeIndices, CombinedNamesStopPastTheLimit) {
  MibIndexMap indices;
  MibIndex& a = indices[{"a"}] = simpleIndex("a");
  a.valueNames[1].assign(kIndexValueLimit + 1, "x");
  const MibIndex& b = indices[{"b"}] = a;
  MessageList messages;
  ASSERT_EQ(mergeIndices(messages, indices, {1}, "P: ", {"a", "b"}, {{1, 1}},
                         {&a, &b}, 1),
            0);
  EXPECT_EQ(indices.at({"a", "b"}).valueNames.at(1).size(),
            kIndexValueLimit + 1);
}

}  // namespace
