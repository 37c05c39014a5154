#include "mib/merge_indices.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "expr/postfix.h"
#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/indices_and_variables.h"
#include "mib/mib_text.h"
#include "mib/multi_index_lists.h"
#include "mib/process_index.h"
#include "mib/version_combinations.h"

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
    std::function<void(MibIndex& b)> spoil;  // of the second component
    std::string message;
    std::vector<int32_t> merged = {1};
    std::vector<VersionCombination> combinations = {{1, 1}};
  };
  const auto keep = [](MibIndex&) {};
  const std::vector<Case> cases = {
      {keep,
       "mismatch between number of version combinations and number of merged "
       "versions.",
       {1, 2}},
      {keep,
       "mismatch between number of index versions and number of index "
       "definitions.",
       {1},
       {{1}}},
      {[](MibIndex& b) { b.valueNames.clear(); },
       "could not find version 1 range for index b"},
      {[](MibIndex& b) { b.indexToValue.clear(); },
       "Index 1 version 1 parameter index conversion not found"},
      {[](MibIndex& b) { b.indexToValue[1].resize(2); },
       "Index 1 version 1 parameter index conversion is not for an unmerged "
       "index:size=2"},
      {[](MibIndex& b) { b.valueTexts.clear(); },
       "Index 1 version 1 parameter index translation not found"},
      {[](MibIndex& b) { b.valueTexts[1]["c"]; },
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

using VersionedNames = std::map<int32_t, std::vector<std::string>>;

// A simple index's versions share a merged list while each keeps the names
// at the positions before it.
TEST(ProcessIndex, SimpleIndexSharesListsWhilePositionsKeepTheirNames) {
  struct Case {
    const char* name;
    VersionedNames lists;
    VersionedNames merged;
    std::string message = "";  // after the prefix, with -2
  };
  const std::vector<Case> cases = {
      {"extended, then renamed",
       {{1, {"x", "y"}}, {3, {"x", "y", "z"}}, {5, {"x", "z"}}},
       {{1, {"x", "y", "z"}}, {5, {"x", "z"}}}},
      {"no value list at all", {}, {}},
      {"an empty version", {{1, {"x"}}, {2, {}}}, {}, "Empty index range"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MibIndex index;
    index.valueNames = c.lists;
    index.mergedSplitters[9];  // left over: cleared for a simple index
    MessageList messages;
    if (!c.message.empty()) {
      EXPECT_EQ(processIndex(messages, index, kIndexValueLimit, "P: "),
                kGeneratorInconsistent);
      EXPECT_EQ(messages, MessageList{"P: " + c.message});
      continue;
    }
    EXPECT_EQ(processIndex(messages, index, kIndexValueLimit, "P: "), 0);
    EXPECT_EQ(index.mergedValueNames, c.merged);
    EXPECT_TRUE(index.mergedSplitters.empty());
    EXPECT_EQ(messages, MessageList{});
  }
}

// The limit applies to each merged list, 65536 passing and 65537 not.
TEST(ProcessIndex, LimitOnMergedValues) {
  struct Case {
    size_t first, second;  // values at versions 1 and 2, the second
                           // extending the first
    uint32_t limit;
    int status;
  };
  const std::vector<Case> cases = {
      {65536, 65536, kIndexValueLimit, 0},
      {1, 65537, kIndexValueLimit, kGeneratorFailed},
      {65537, 65537, kNoIndexValueLimit, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.second);
    std::vector<std::string> names;
    for (size_t i = 0; i < c.second; ++i) names.push_back(std::to_string(i));
    MibIndex index;
    index.valueNames[1].assign(names.begin(), names.begin() + c.first);
    index.valueNames[2] = names;
    MessageList messages;
    EXPECT_EQ(processIndex(messages, index, c.limit, "P: "), c.status);
    EXPECT_EQ(index.mergedValueNames.size(), 1u);
    EXPECT_EQ(messages, c.status == 0
                            ? MessageList{}
                            : MessageList{"P: Number of index values is "
                                          "larger than 65536"});
  }
}

// A combination holds from its highest component version, unless some
// component has a newer value list by then (-1); the last component
// advances fastest.
TEST(MultiIndexLists, VersionCombinationsHoldFromTheirHighestVersion) {
  std::vector<VersionCombination> combinations;
  std::vector<int32_t> merged;
  buildVersionCombinations({{1, 3}, {2}, {1, 3}}, combinations, merged);
  EXPECT_EQ(combinations, (std::vector<VersionCombination>{
                              {1, 2, 1}, {1, 2, 3}, {3, 2, 1}, {3, 2, 3}}));
  EXPECT_EQ(merged, (std::vector<int32_t>{2, -1, -1, 3}));
}

// Stage 1 never leaves a listed index missing or empty when it succeeds, so
// these maps are made by hand. Every list is visited before the stage fails.
TEST(MultiIndexLists, MissingAndEmptyComponentsAreReportedPerList) {
  MibIndexMap indices;
  indices[{"a"}].valueNames[1] = {"a0"};
  indices[{"e"}];
  MibVariableMap variables;
  variables["v"].indexLists = {{1, {"a", "gone"}}, {5, {"e", "a", "gone"}}};
  variables["w"].indexLists = {{2, {"a", "e"}}};
  MessageList messages;
  EXPECT_EQ(convertMultiIndexLists(indices, variables, messages),
            kGeneratorInconsistent);
  const std::string v1 =
      "Error processing MIB variable v index list version 1: ";
  const std::string v5 =
      "Error processing MIB variable v index list version 5: ";
  const std::string w2 =
      "Error processing MIB variable w index list version 2: ";
  EXPECT_EQ(messages, (MessageList{v1 + "Index definition for gone not found",
                                   v5 + "Index definition for e is empty",
                                   v5 + "Index definition for gone not found",
                                   w2 + "Index definition for e is empty"}));
  EXPECT_EQ(indices.size(), 2u);
}

}  // namespace
