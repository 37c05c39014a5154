#include "mib/integer_ranges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/status_codes.h"
#include "mib/mib_text.h"

namespace {

// "[a b] 0..1 ... | used strings": the working list and the strings placed.
std::string describeRun(const IntegerRun& run) {
  std::string out;
  for (const WorkingItem& item : run.items) {
    out += out.empty() ? "" : " ";
    if (item.isStringRun()) {
      out += "[";
      for (const std::string& s : item.strings) {
        out += (out.back() == '[' ? "" : " ") + s;
      }
      out += "]";
    } else {
      out += std::to_string(item.min) + ".." + std::to_string(item.max);
    }
  }
  out += " |";
  for (const std::string& s : run.usedStrings) out += " " + s;
  return out;
}

// The first version of a run, made by hand where the definition language
// would refuse it.
TEST(IntegerRanges, FirstVersionStartsTheRun) {
  struct Case {
    MibRange versioned;
    std::string message;  // after the prefix; none when it succeeds
    std::string run = " |";
  };
  const std::vector<Case> cases = {
      {rangeOf(1,
               {"\"x\"", "#0..#1", "\"a\"", "\"b\"", "#3..#4", "#7", "\"t\""}),
       "", "[x] 0..1 [a b] 3..4 7..7 [t] | a b t x"},
      {rangeOf(1, {"#0..#5", "#6..#8"}), "", "0..8 |"},
      {rangeOf(0, {"\"a\""}),
       "Trying to use integer logic to merge string range"},
      {rangeOf(1, {}), "Trying to merge empty integer range"},
      {rangeOf(1, {"#1 #2..#3"}), "Invalid integer range min value"},
      {rangeOf(1, {"x..#3"}), "Invalid integer range min value definition"},
      {rangeOf(1, {"#1..#2 #3"}), "Invalid integer range max value"},
      {rangeOf(1, {"#1..\"b\""}), "Invalid integer range max value definition"},
      {rangeOf(1, {"#5..#5", "#3..#4"}),
       "Adjacent integer ranges did not have incrementing values"},
      {rangeOf(1, {"#0..#5", "\"a\"", "#5..#6"}),
       "Adjacent integer ranges did not have incrementing values"},
      {rangeOf(1, {"\"a\"", "#0..#1", "\"a\"", "#3..#4"}),
       "Could not merge string range to end"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describeRange(c.versioned));
    IntegerRun run;
    std::vector<RangeSegment> segments;
    MessageList messages;
    const int status =
        mergeIntegerRange(messages, run, c.versioned, segments, "P: ");
    if (c.message.empty()) {
      EXPECT_EQ(status, 0);
      EXPECT_EQ(messages, MessageList{});
    } else {
      EXPECT_EQ(status, kGeneratorInconsistent);
      EXPECT_EQ(messages, MessageList{"P: " + c.message});
    }
    EXPECT_EQ(describeRun(run), c.run);
  }
}

// A version that cannot keep every number of the run leaves the run
// exactly as it was, so that the caller can start a new run with it.
TEST(IntegerRanges, RefusedLaterVersionLeavesTheRunAsItWas) {
  struct Case {
    const char* name;
    MibRange versioned;
    int status;
  };
  const std::vector<Case> cases = {
      {"a string too many for the gap",
       rangeOf(1, {"#0..#1", "\"a\"", "\"b\"", "#3..#4"}), 1},
      {"a range widened over a string", rangeOf(1, {"#0..#2"}), 1},
      {"a leading string placed, then a range over a string",
       rangeOf(1, {"\"z\"", "#0..#8"}), 1},
      {"a leading string placed, then a string too many",
       rangeOf(1, {"\"z\"", "#0..#1", "\"a\"", "\"b\"", "#3..#4"}), 1},
      {"a placed string moved to the front", rangeOf(1, {"\"a\"", "#0..#1"}),
       1},
      {"malformed after a leading string",
       rangeOf(1, {"\"z\"", "#0..#1", "#1..#2"}), kGeneratorInconsistent},
  };
  IntegerRun first;
  std::vector<RangeSegment> segments;
  MessageList messages;
  ASSERT_EQ(mergeIntegerRange(messages, first,
                              rangeOf(1, {"#0..#1", "\"a\"", "#3..#4"}),
                              segments, "P: "),
            0);
  ASSERT_EQ(describeRun(first), "0..1 [a] 3..4 | a");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntegerRun run = first;
    messages.clear();
    EXPECT_EQ(mergeIntegerRange(messages, run, c.versioned, segments, "P: "),
              c.status);
    EXPECT_EQ(describeRun(run), "0..1 [a] 3..4 | a");
    EXPECT_EQ(messages, c.status == 1 ? MessageList{}
                                      : MessageList{"P: Adjacent integer "
                                                    "ranges did not have "
                                                    "incrementing values"});
  }
}

}  // namespace
