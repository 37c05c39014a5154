#include "mib/process_variable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/enum_ranges.h"
#include "mib/indices_and_variables.h"
#include "mib/integer_ranges.h"
#include "mib/mib_text.h"

namespace {

// The variable v of a table with the range items `ranges`, first version 1,
// as stage 1 builds it.
MibVariable variableWith(const std::string& ranges) {
  DefinitionModel model;
  EXPECT_EQ(parse(model, "t table 0 { v }\nv 1 { " + ranges + " }\n"),
            Outcome{});
  MibIndexMap indices;
  MibVariableMap variables;
  DiagnosticsList diagnostics;
  EXPECT_EQ(buildIndicesAndVariables(indices, variables, diagnostics, model),
            0);
  return variables["v"];
}

// Random ascending ranges over several versions: whatever runs they make,
// every value of a version has one MIB number, the same in the version's
// translated form and in its run's merged range, and both take the number
// back to the value.
TEST(ProcessVariable, RandomVersionsKeepEveryValueNumberedInItsRun) {
  std::mt19937 random(5);
  int runs = 0;
  for (int round = 0; round < 1000; ++round) {
    const bool enumerated = random() % 4 == 0;
    std::string ranges;
    std::vector<std::vector<std::string>> values;  // per version, as texts
    for (int version = 1, count = 1 + random() % 4; count > 0; --count) {
      std::string items;
      std::vector<std::string> texts;
      std::vector<std::string> strings = {"a", "b", "c", "d", "e"};
      std::shuffle(strings.begin(), strings.end(), random);
      size_t used = 0;
      for (int item = 0, low = -3; item < 6; ++item) {
        if (enumerated || random() % 3 == 0) {
          if (used == strings.size()) continue;
          items += "\"" + strings[used] + "\", ";
          texts.push_back(strings[used++]);
          continue;
        }
        const int a = low + random() % 4;
        const int b = a + random() % 4;
        items += std::to_string(a) + ".." + std::to_string(b) + ", ";
        for (int n = a; n <= b; ++n) texts.push_back(std::to_string(n));
        low = b + 1;
      }
      ranges += "range " + std::to_string(version) + " { " + items + "} ";
      values.push_back(texts);
      version += 1 + random() % 2;
    }
    SCOPED_TRACE(ranges);
    MibVariable variable = variableWith(ranges);
    MessageList messages;
    ASSERT_EQ(processVariable(messages, variable, "P: "), 0);
    runs += static_cast<int>(variable.mergedRanges.size());
    auto versionValues = values.begin();
    for (const auto& [version, translated] : variable.versionedRanges) {
      const MibRange& merged =
          std::prev(variable.mergedRanges.upper_bound(version))->second;
      for (const std::string& text : *versionValues) {
        const std::string value =
            std::isdigit(text.back()) ? "#" + text : "\"" + text + "\"";
        const std::string number = translate(valueToIndex(translated), text);
        ASSERT_NE(number, "-") << version << " " << text;
        EXPECT_EQ(translate(valueToIndex(merged), text), number);
        EXPECT_EQ(translate(indexToValue(merged), number.substr(1)), value);
        EXPECT_EQ(translate(indexToValue(translated), number.substr(1)), value);
      }
      ++versionValues;
    }
  }
  // Enough versions that could not keep their run's numbers.
  EXPECT_GT(runs, 1500);
}

// Made by hand: the definition language allows free text only as a
// variable's one range version.
TEST(ProcessVariable, FreeTextAfterOtherRangesIsRefused) {
  MibRange text;
  text.stringLength = MibStringLength{8, "none"};
  for (const MibRange& first :
       {rangeOf(0, {"\"a\""}), rangeOf(1, {"#0..#3"})}) {
    SCOPED_TRACE(describeRange(first));
    MibVariable variable;
    variable.versionedRanges = {{1, first}, {3, text}};
    MessageList messages;
    EXPECT_EQ(processVariable(messages, variable, "P: "),
              kGeneratorInconsistent);
    EXPECT_EQ(messages,
              MessageList{"P: Range has changed from enum/int to string"});
  }
}

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

// The first version of a run, and malformed versions of either kind, made
// by hand where the definition language would refuse them; later versions
// are merged through whole variables above.
TEST(IntegerRanges, FirstVersionStartsTheRunOrIsRefused) {
  struct Case {
    MibRange versioned;
    std::string message;  // after the prefix; none when it succeeds
    std::string run = " |";
    bool enumLogic = false;
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
      {rangeOf(1, {"#0..#5", "\"a\"", "#5..#6"}),
       "Adjacent integer ranges did not have incrementing values"},
      {rangeOf(1, {"\"a\"", "#0..#1", "\"a\"", "#3..#4"}),
       "Could not merge string range to end"},
      {rangeOf(1, {"\"a\""}), "Trying to use enum logic to merge integer range",
       " |", true},
      {rangeOf(0, {}), "Trying to merge empty string range", " |", true},
      {rangeOf(0, {"\"a\"", "\"b\" \"c\""}), "Invalid string range min value",
       " |", true},
      {rangeOf(0, {"\"a\"..\"b\""}), "Invalid string range max value", " |",
       true},
      {rangeOf(0, {"\"a\"", "#1"}), "Invalid string range min value definition",
       " |", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describeRange(c.versioned));
    IntegerRun run;
    MessageList messages;
    int status = 0;
    if (c.enumLogic) {
      EnumState state;
      MibRange merged;
      MibRange translated;
      status = mergeEnumRange(messages, state, merged, c.versioned, translated,
                              "P: ");
    } else {
      std::vector<RangeSegment> segments;
      status = mergeIntegerRange(messages, run, c.versioned, segments, "P: ");
    }
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

}  // namespace
