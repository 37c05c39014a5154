#include "mib/indices_and_variables.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/index_values.h"
#include "mib/mib_text.h"
#include "mib/variable_ranges.h"
#include "tables/traps_table.h"
#include "tables/video_standard_table.h"

namespace {

// One line per variable: "name first/removal idx version:[names] ...
// ranges version ...", then one per index: "[names] version/removal
// version:count ...".
std::string describeMib(const MibVariableMap& variables,
                        const MibIndexMap& indices) {
  std::ostringstream out;
  const auto names = [&](const std::vector<std::string>& list) {
    out << "[";
    for (size_t i = 0; i < list.size(); ++i) out << (i ? "," : "") << list[i];
    out << "]";
  };
  for (const auto& [name, v] : variables) {
    out << name << " " << v.firstVersion << "/" << v.removalVersion << " idx";
    for (const auto& [version, list] : v.indexLists) {
      out << " " << version << ":";
      names(list);
    }
    out << " ranges";
    for (const auto& [version, range] : v.versionedRanges)
      out << " " << version;
    out << "\n";
  }
  for (const auto& [key, index] : indices) {
    names(key);
    out << " " << index.version << "/" << index.removalVersion;
    for (const auto& [version, names] : index.valueNames) {
      out << " " << version << ":" << names.size();
    }
    out << "\n";
  }
  return out.str();
}

const char kTrapBody[] =
    " { description { d } action_true { t } action_false { f } }\n";

// Stage 1 on `definition` with its traps and video standard tables; 1 when
// the definition does not parse.
int build(const std::string& definition, MibIndexMap& indices,
          MibVariableMap& variables, DiagnosticsList& diagnostics) {
  DefinitionModel model;
  if (parse(model, definition) != Outcome{}) return 1;
  VideoStandardTable vidStdTable;
  EXPECT_EQ(generateTrapsTable(diagnostics, model), 0);
  EXPECT_EQ(generateVideoStandardTable(diagnostics, vidStdTable, model), 0);
  return buildIndicesAndVariables(indices, variables, diagnostics, model);
}

TEST(IndicesAndVariables, TablesReferencesAndIndices) {
  struct Case {
    const char* name;
    std::string definition;
    int status;
    std::string mib;
    std::string diagnostics;
  };
  const std::vector<Case> cases = {
      {"a parameter in two declared tables belongs to the first by name",
       "b table 0 { x }\na table 0 { x }\nx 1 { range 1 { 0 } }\n",
       kGeneratorFailed, "x 1/-1 idx 1:[] ranges 1\n", "4@1:12 "},
      {"generated tables: listed elsewhere, or no such parameter",
       "t table 0 { alarm, videoIn }\n"
       "alarm 1 { range 1 { 0..1 } }\nvideoIn 1 { range 1 { string8 } }\n"
       "alarm trap 1" +
           std::string(kTrapBody) + "ghost trap 2" + kTrapBody +
           "videoIn vidstd 1 { spal }\nrefIn vidstd 1 { fr }\n",
       kGeneratorFailed,
       "alarm 1/-1 idx 1:[] ranges 1\nvideoIn 1/-1 idx 1:[] ranges 1\n",
       "3@5:0 3@7:17 "},
      {"scalar until the first index definition; an index takes the lowest "
       "version that uses it",
       "t table 0 { gain, level }\n"
       "gain 1 { index 3 { slot } range 1 { 0 } }\n"
       "level 2 4 { index 2 { slot } range 2 { 0 } }\n"
       "slot 1 { range 1 { 0..3 } range 2 { 0..1 } }\n",
       0,
       "gain 1/-1 idx 1:[] 3:[slot] ranges 1\n"
       "level 2/4 idx 2:[slot] ranges 2\n[slot] 2/-1 1:4 2:2\n",
       ""},
      {"an index that is no parameter yet is left out of the list",
       "t table 0 { gain }\n"
       "gain 1 { index 1 { nope, late, slot } range 1 { 0 } }\n"
       "late 2 { range 2 { 0 } }\nslot 1 { range 1 { 0 } }\n",
       kGeneratorFailed, "gain 1/-1 idx 1:[slot] ranges 1\n[slot] 1/-1 1:1\n",
       "7@2:19 7@2:25 "},
      {"an index parameter may be neither removed nor indexed",
       "t table 0 { a, b }\n"
       "a 1 { index 1 { gone } range 1 { 0 } }\n"
       "b 1 { index 1 { deep } range 1 { 0 } }\n"
       "gone 1 3 { range 1 { 0..1 } }\n"
       "deep 1 { index 1 { slot } range 1 { 0 } }\nslot 1 { range 1 { 0 } }\n",
       kGeneratorFailed,
       "a 1/-1 idx 1:[gone] ranges 1\nb 1/-1 idx 1:[deep] ranges 1\n",
       "8@1:12 8@1:15 "},
      {"an index already made, then a new one in the same list",
       "t table 0 { a, b }\n"
       "a 1 { index 1 { slot } range 1 { 0 } }\n"
       "b 1 { index 1 { slot, port } range 1 { 0 } }\n"
       "slot 1 { range 1 { 0 } }\nport 1 { range 1 { 0..1 } }\n",
       0,
       "a 1/-1 idx 1:[slot] ranges 1\nb 1/-1 idx 1:[slot,port] ranges 1\n"
       "[port] 1/-1 1:2\n[slot] 1/-1 1:1\n",
       ""},
      {"an unreported inconsistency outlasts a later error of its table",
       "t table 0 { a, missing }\n"
       "a 1 { index 1 { bare } range 1 { 0 } }\nbare rw { label { x } }\n",
       kGeneratorInconsistent, "a 1/-1 idx 1:[bare] ranges 1\n[bare] 1/-1\n",
       "3@1:15 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiagnosticsList diagnostics;
    MibIndexMap indices;
    MibVariableMap variables;
    EXPECT_EQ(build(c.definition, indices, variables, diagnostics), c.status);
    EXPECT_EQ(describeMib(variables, indices), c.mib);
    EXPECT_EQ(describeDiagnostics(diagnostics), c.diagnostics);
  }
}

// Definitions made of the statements this stage reads, with names and
// versions from small pools so that they meet: the stage ends in a known
// status whatever they say, and a definition problem is always reported.
TEST(IndicesAndVariables, RandomDefinitionsEndInAKnownStatus) {
  std::mt19937 random(7);
  const std::vector<std::string> names = {"a", "b", "slot", "port", "x"};
  const std::vector<std::string> items = {"0..3", "5",     "\"s\"", "\"s\"",
                                          "?",    "-1..1", "7..2",  "string8"};
  auto pick = [&](const std::vector<std::string>& pool) {
    return pool[random() % pool.size()];
  };
  auto version = [&] { return std::to_string(random() % 4); };
  int built = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string definition;
    for (int statement = random() % 8; statement >= 0; --statement) {
      const std::string name = pick(names);
      switch (random() % 5) {
        case 0:
          definition += pick({"t", "u"}) + " table " + version() + " { " +
                        name + ", " + pick(names) + " }\n";
          break;
        case 1:
          definition +=
              name + " " + version() + (random() % 4 == 0 ? " 3" : "") +
              " { index " + version() + " { " + pick(names) + " } range " +
              version() + " { " + pick(items) + ", " + pick(items) + " } }\n";
          break;
        case 2:
          definition += name + " trap " + version() + kTrapBody;
          break;
        case 3:
          definition += name + " rw { label { l } }\n";
          break;
        default:
          definition += name + " vidstd " + version() + " { spal, fr }\n";
      }
    }
    DiagnosticsList diagnostics;
    MibIndexMap indices;
    MibVariableMap variables;
    const int status = build(definition, indices, variables, diagnostics);
    if (status == 1) continue;
    ++built;
    EXPECT_TRUE(status == 0 || status == kGeneratorFailed ||
                status == kGeneratorInconsistent)
        << status << "\n"
        << definition;
    // A reported problem fails the stage, and a failure without a report
    // is an inconsistency.
    EXPECT_EQ(status == 0,
              diagnostics.records.empty() && status != kGeneratorInconsistent)
        << definition;
  }
  // Most random definitions should get past the parser.
  EXPECT_GT(built, 500);
}

// Per version "version: name=text ... | translated ...; ": each value's name
// and text in index number order, then what the version's translation gives
// for each index number. Nothing is given just outside the numbers.
std::string enumerated(const MibIndex& index, const std::string& paramName) {
  std::string out;
  for (const auto& [version, names] : index.valueNames) {
    SCOPED_TRACE(version);
    const auto& texts = index.valueTexts.at(version).at(paramName);
    EXPECT_EQ(texts.size(), names.size());
    const std::vector<TranslationList>& components =
        index.indexToValue.at(version);
    EXPECT_EQ(components.size(), 1u);
    std::string translated;
    out += std::to_string(version) + ":";
    for (size_t number = 0; number < names.size(); ++number) {
      out += " " + names[number] + "=" + texts.at(names[number]);
      translated += " " + translate(components[0], std::to_string(number));
    }
    EXPECT_EQ(translate(components[0], "-1"), "-");
    EXPECT_EQ(translate(components[0], std::to_string(names.size())), "-");
    out += " |" + translated + "; ";
  }
  return out;
}

TEST(IndexValues, NamesTextsAndTranslationsPerVersion) {
  struct Case {
    std::string definition;  // of the index parameter slot
    int status;
    std::string values;
    std::string diagnostics;
  };
  // Column 19 is the first item of the first range.
  const std::vector<Case> cases = {
      {"slot 1 { range 1 { -2..1 } }", 0,
       "1: slotm2=-2 slotm1=-1 slot0=0 slot1=1 | #-2 #-1 #0 #1; ", ""},
      {"slot 1 { range 1 { \"A b\", \"A-b\", \"1st\", \"\", \"\xc3\xa9\", -1 } "
       "}",
       0,
       "1: axb=A b axbz=A-b s1st=1st s= sxx=\xc3\xa9 slotm1=-1 | \"A b\" "
       "\"A-b\" \"1st\" \"\" \"\xc3\xa9\" #-1; ",
       ""},
      {"slot 1 { range 1 { 1, ?, 2, \"a\", \"a\", 4..3, 3, string8 } }",
       kGeneratorFailed, "1: slot1=1 slot2=2 a=a slot3=3 | #1 #2 \"a\" #3; ",
       "12@1:22 12@1:34 12@1:38 12@1:47 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.definition);
    DefinitionModel model;
    ASSERT_EQ(parse(model, c.definition + "\n"), Outcome{});
    DiagnosticsList diagnostics;
    MibIndex index;
    EXPECT_EQ(
        enumerateIndexValues(diagnostics, "slot", model.params["slot"], index),
        c.status);
    EXPECT_EQ(enumerated(index, "slot"), c.values);
    EXPECT_EQ(describeDiagnostics(diagnostics), c.diagnostics);
  }
}

// A range far beyond what an index may hold is cut just past the limit,
// which the merging of the index then refuses.
TEST(IndexValues, HugeRangeStopsPastTheLimit) {
  for (const char* range : {"0..2147483647", "-2147483648..2147483647"}) {
    SCOPED_TRACE(range);
    DefinitionModel model;
    ASSERT_EQ(parse(model, std::string("n 1 { range 1 { ") + range + " } }\n"),
              Outcome{});
    DiagnosticsList diagnostics;
    MibIndex index;
    EXPECT_EQ(enumerateIndexValues(diagnostics, "n", model.params["n"], index),
              0);
    EXPECT_EQ(index.valueNames[1].size(), kIndexValueLimit + 1);
  }
}

// The ranges of a variable, checked and converted per version.
TEST(VariableRanges, ItemsCheckedAndConvertedPerVersion) {
  struct Case {
    std::string ranges;  // the range items of parameter p, first version 1
    int status;
    std::string converted;  // "version: range; " per stored version
    std::string diagnostics;
  };
  // Column 16 is the first item of the first range line.
  const std::vector<Case> cases = {
      {"range 1 { ?, 3..4 }", 0, "1: int #-1000000..#1000000 #3..#4; ", ""},
      {"range 1 { 1..5, 5 }", kGeneratorFailed, "", "12@1:22 "},
      {"range 1 { 5..1 }", kGeneratorFailed, "", "12@1:16 "},
      {"range 1 { -2147483648 }", kGeneratorFailed, "", "12@1:16 "},
      {"range 1 { \"a\", \"b\", \"a\" }", kGeneratorFailed, "", "12@1:27 "},
      {"range 1 { 1, string8 }", kGeneratorFailed, "", "12@1:19 "},
      {"range 1 { 1 } range 2 { 1..2, 0 }", kGeneratorFailed, "1: int #1..#1; ",
       "12@1:36 "},
      {"range 1 { 1 }\n range 2 { string8 }", kGeneratorFailed,
       "1: int #1..#1; ", "11@2:11 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ranges);
    DefinitionModel model;
    ASSERT_EQ(parse(model, "p 1 { " + c.ranges + " }\n"), Outcome{});
    DiagnosticsList diagnostics;
    MibVariable variable;
    EXPECT_EQ(buildVersionedRanges(diagnostics, model.params["p"], variable),
              c.status);
    std::string converted;
    for (const auto& [version, range] : variable.versionedRanges) {
      converted += std::to_string(version) + ": " + describeRange(range) + "; ";
    }
    EXPECT_EQ(converted, c.converted);
    EXPECT_EQ(describeDiagnostics(diagnostics), c.diagnostics);
  }
}

}  // namespace
