#include "mib/process_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/status_codes.h"

namespace {

using Names = std::vector<std::string>;
using VersionedNames = std::map<int32_t, Names>;

TEST(ProcessIndex, SimpleIndexSharesListsWhilePositionsKeepTheirNames) {
  struct Case {
    const char* name;
    VersionedNames lists;
    VersionedNames merged;
  };
  const std::vector<Case> cases = {
      {"extended, then renamed",
       {{1, {"x", "y"}}, {3, {"x", "y", "z"}}, {5, {"x", "z"}}},
       {{1, {"x", "y", "z"}}, {5, {"x", "z"}}}},
      {"a shorter list keeps the longer one",
       {{0, {"x", "y", "z"}}, {2, {"x"}}, {4, {"x", "y"}}},
       {{0, {"x", "y", "z"}}}},
      {"reordered, then back",
       {{1, {"x", "y"}}, {2, {"y", "x"}}, {3, {"x", "y"}}},
       {{1, {"x", "y"}}, {2, {"y", "x"}}, {3, {"x", "y"}}}},
      {"no value list at all", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MibIndex index;
    index.valueNames = c.lists;
    index.mergedSplitters[9];  // left over: cleared for a simple index
    MessageList messages;
    EXPECT_EQ(processIndex(messages, index, kIndexValueLimit, "P: "), 0);
    EXPECT_EQ(index.mergedValueNames, c.merged);
    EXPECT_TRUE(index.mergedSplitters.empty());
    EXPECT_EQ(messages, MessageList{});
  }
}

TEST(ProcessIndex, EmptyVersionFails) {
  MibIndex index;
  index.valueNames = {{1, {"x"}}, {2, {}}};
  MessageList messages;
  EXPECT_EQ(processIndex(messages, index, kIndexValueLimit, "P: "),
            kGeneratorInconsistent);
  EXPECT_EQ(messages, MessageList{"P: Empty index range"});
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
      {3, 4, 3, kGeneratorFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.second);
    Names names;
    for (size_t i = 0; i < c.second; ++i) names.push_back(std::to_string(i));
    MibIndex index;
    index.valueNames[1].assign(names.begin(), names.begin() + c.first);
    index.valueNames[2] = names;
    MessageList messages;
    EXPECT_EQ(processIndex(messages, index, c.limit, "P: "), c.status);
    EXPECT_EQ(index.mergedValueNames.size(), 1u);
    if (c.status == 0) {
      EXPECT_EQ(messages, MessageList{});
    } else {
      EXPECT_EQ(messages,
                MessageList{"P: Number of index values is larger than " +
                            std::to_string(c.limit)});
    }
  }
}

}  // namespace
