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

// "entries | MIB number to value | value texts and number offsets", the
// numbers being those of the run `merged` and one either side, and those
// whose integer values step by one joined ("0..5>#0..#5"). Checks on the
// way that valueToIndex takes each value back to its number and gives
// nothing for the other integers there. Free text is its entry alone.
std::string describeNumbered(const MibRange& range, const MibRange& merged) {
  if (range.stringLength) return describeRange(range);
  int64_t low = -1, high = int64_t(merged.entries.size());
  if (merged.isInteger) {
    low = merged.entries.at(0).min.at(0).number - int64_t{1};
    high = merged.entries.at(0).max.at(0).number + int64_t{1};
  }
  if (high - low > 1000) return "too many numbers to try";
  std::vector<std::pair<int64_t, std::string>> found;
  std::set<std::string> values;
  for (int64_t n = low; n <= high; ++n) {
    const std::string value = translate(range.indexToValue, std::to_string(n));
    if (value == "-") continue;
    found.push_back({n, value});
    values.insert(value);
    const std::string text =
        value[0] == '#' ? value.substr(1) : value.substr(1, value.size() - 2);
    EXPECT_EQ(translate(range.valueToIndex, text), "#" + std::to_string(n))
        << "the value " << value;
  }
  for (int64_t n = low; n <= high; ++n) {
    if (values.count("#" + std::to_string(n)) != 0) continue;
    EXPECT_EQ(translate(range.valueToIndex, std::to_string(n)), "-")
        << "the value " << n;
  }
  const auto follows = [&](size_t i) {
    return found[i].first == found[i - 1].first + 1 &&
           found[i].second[0] == '#' && found[i - 1].second[0] == '#' &&
           std::stoll(found[i].second.substr(1)) ==
               std::stoll(found[i - 1].second.substr(1)) + 1;
  };
  std::string out = describeRange(range) + " |";
  for (size_t i = 0; i < found.size(); ++i) {
    size_t j = i;
    while (j + 1 < found.size() && follows(j + 1)) ++j;
    out += " " + std::to_string(found[i].first);
    if (j != i) out += ".." + std::to_string(found[j].first);
    out += ">" + found[i].second;
    if (j != i) out += ".." + found[j].second;
    i = j;
  }
  out += " |";
  for (const auto& [name, text] : range.valueTexts) {
    out += " " + name + "=" + text;
  }
  for (const auto& [numbers, offset] : range.numberOffsets) {
    out += " " + std::to_string(numbers.first) + ".." +
           std::to_string(numbers.second) + "+" + std::to_string(offset);
  }
  return out;
}

// "version: ...\n" for each of `ranges`, numbered as the run it is in.
std::string describeRuns(const MibVariable& variable,
                         const std::map<int32_t, MibRange>& ranges) {
  std::string out;
  for (const auto& [version, range] : ranges) {
    const auto next = variable.mergedRanges.upper_bound(version);
    if (next == variable.mergedRanges.begin()) return "no run for a version";
    out += std::to_string(version) + ": " +
           describeNumbered(range, std::prev(next)->second) + "\n";
  }
  return out;
}

// Variables written in the definition language: their runs, and each
// version translated to the numbers of its run.
TEST(ProcessVariable, RunsNumbersAndTranslatedVersions) {
  struct Case {
    const char* name;
    std::string ranges;
    std::string message;     // after the prefix; none when it succeeds
    std::string merged;      // per merged range
    std::string translated;  // per version
  };
  const std::string offOn =
      "enum \"off\" \"on\" | 0>\"off\" 1>\"on\" | off=off on=on\n";
  const std::string int0to3 = "int #0..#3 | 0..3>#0..#3 | 0..3+0\n";
  const std::string onAuto =
      "enum \"on\" \"auto\" | 0>\"on\" 1>\"auto\" | auto=auto on=on\n";
  const std::string noneAt0 =
      "int #0..#3 | 0>\"none\" 1..3>#1..#3 | 0=none 1..3+0\n";
  const std::string aFull =
      "int #0..#4 | 0..1>#0..#1 2>\"a\" 3..4>#3..#4 | 2=a 0..1+0 3..4+0\n";
  const std::string abShift1 =
      "int #0..#5 | 0..1>#0..#1 2>\"a\" 3>\"b\" 4..5>#3..#4 | 2=a 3=b "
      "0..1+0 4..5+1\n";
  const std::string offNone =
      "int #-1..#3 | -1>\"off\" 0>\"none\" 1..3>#1..#3 | -1=off 0=none "
      "1..3+0\n";
  const std::string noneAt4 =
      "int #2..#6 | 2..3>#2..#3 4>\"none\" 5..6>#5..#6 | 4=none 2..3+0 "
      "5..6+0\n";
  const std::string abTrailing =
      "int #0..#3 | 0..1>#0..#1 2>\"a\" 3>\"b\" | 2=a 3=b 0..1+0\n";
  const std::vector<Case> cases = {
      {"each change of kind starts a run numbered afresh",
       "range 1 { \"off\", \"on\" } range 3 { 0..3 } "
       "range 5 { \"on\", \"auto\" }",
       "", "1: " + offOn + "3: " + int0to3 + "5: " + onAuto,
       "1: " + offOn + "3: " + int0to3 + "5: " + onAuto},
      {"a new string in a full gap starts a run",
       "range 1 { 0..1, \"a\", 3..4 } range 3 { 0..1, \"a\", \"b\", 3..4 }", "",
       "1: " + aFull + "3: " + abShift1, "1: " + aFull + "3: " + abShift1},
      {"a new leading string below a run's first integer",
       "range 1 { 0..1, \"a\", 3..4 } range 3 { \"z\", 0..1 }", "",
       "1: int #-1..#4 | -1>\"z\" 0..1>#0..#1 2>\"a\" 3..4>#3..#4 | -1=z 2=a "
       "0..1+0 3..4+0\n",
       "1: " + aFull + "3: int #-1..#1 | -1>\"z\" 0..1>#0..#1 | -1=z 0..1+0\n"},
      {"a leading string run grows downwards",
       "range 1 { \"none\", 1..3 } range 3 { \"off\", \"none\", 1..3 }", "",
       "1: " + offNone, "1: " + noneAt0 + "3: " + offNone},
      {"integers put before a leading string that keeps its number",
       "range 1 { \"none\", 5..6 } range 3 { 2..3, \"none\", 5..6 }", "",
       "1: " + noneAt4,
       "1: int #4..#6 | 4>\"none\" 5..6>#5..#6 | 4=none 5..6+0\n3: " + noneAt4},
      {"trailing strings grow at the end",
       "range 1 { 0..1, \"a\" } range 3 { 0..1, \"a\", \"b\" }", "",
       "1: " + abTrailing,
       "1: int #0..#2 | 0..1>#0..#1 2>\"a\" | 2=a 0..1+0\n3: " + abTrailing},
      {"free text is its own merged range", "range 1 { string8:none }", "",
       "1: text8:none\n", "1: text8:none\n"},
      {"an integer range after the wildcard", "range 1 { ?, 5 }",
       "Adjacent integer ranges did not have incrementing values", "", ""},
      {"shifted past 2147483647",
       "range 1 { 0..1, \"a\", \"b\", \"c\", 3..2147483647 }",
       "Invalid expression", "", ""},
      {"strings below -2147483648", "range 1 { \"a\", \"b\", -2147483647..0 }",
       "Invalid expression", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MibVariable variable = variableWith(c.ranges);
    MessageList messages;
    if (!c.message.empty()) {
      EXPECT_EQ(processVariable(messages, variable, "P: "),
                kGeneratorInconsistent);
      EXPECT_EQ(messages, MessageList{"P: " + c.message});
      continue;
    }
    EXPECT_EQ(processVariable(messages, variable, "P: "), 0);
    EXPECT_EQ(messages, MessageList{});
    EXPECT_EQ(describeRuns(variable, variable.mergedRanges), c.merged);
    EXPECT_EQ(describeRuns(variable, variable.versionedRanges), c.translated);
  }
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
        const std::string number = translate(translated.valueToIndex, text);
        ASSERT_NE(number, "-") << version << " " << text;
        EXPECT_EQ(translate(merged.valueToIndex, text), number);
        EXPECT_EQ(translate(merged.indexToValue, number.substr(1)), value);
        EXPECT_EQ(translate(translated.indexToValue, number.substr(1)), value);
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
