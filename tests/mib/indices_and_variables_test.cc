#include "mib/indices_and_variables.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/mib_text.h"
#include "tables/traps_table.h"
#include "tables/video_standard_table.h"

namespace {

// One line per variable: "name first/removal idx version:[names] ...
// ranges version ...", then one per index: "[names] version/removal
// version:count ...".
std::string describeMib(const MibVariableMap& variables,
                        const MibIndexMap& indices) {
  std::ostringstream out;
  for (const auto& [name, v] : variables) {
    out << name << " " << v.firstVersion << "/" << v.removalVersion << " idx";
    for (const auto& [version, list] : v.indexLists) {
      out << " " << version << ":[";
      for (size_t i = 0; i < list.size(); ++i) out << (i ? "," : "") << list[i];
      out << "]";
    }
    out << " ranges";
    for (const auto& [version, range] : v.versionedRanges) out << " " << version;
    out << "\n";
  }
  for (const auto& [key, index] : indices) {
    out << "[";
    for (size_t i = 0; i < key.size(); ++i) out << (i ? "," : "") << key[i];
    out << "] " << index.version << "/" << index.removalVersion;
    for (const auto& [version, names] : index.valueNames) {
      out << " " << version << ":" << names.size();
    }
    out << "\n";
  }
  return out.str();
}

const char kTrapBody[] =
    " { description { d } action_true { t } action_false { f } }\n";

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
       "alarm trap 1" + std::string(kTrapBody) +
       "ghost trap 2" + kTrapBody +
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
      {"an unreported inconsistency outlasts a later error of its table",
       "t table 0 { a, missing }\n"
       "a 1 { index 1 { bare } range 1 { 0 } }\nbare rw { label { x } }\n",
       kGeneratorInconsistent, "a 1/-1 idx 1:[bare] ranges 1\n[bare] 1/-1\n",
       "3@1:15 "},
      {"the last table that failed decides",
       "t table 0 { a }\nu table 0 { missing }\n"
       "a 1 { index 1 { bare } range 1 { 0 } }\nbare rw { label { x } }\n",
       kGeneratorFailed, "a 1/-1 idx 1:[bare] ranges 1\n[bare] 1/-1\n",
       "3@2:12 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DefinitionModel model;
    ASSERT_EQ(parse(model, c.definition), Outcome{});
    DiagnosticsList diagnostics;
    VideoStandardTable vidStdTable;
    ASSERT_EQ(generateTrapsTable(diagnostics, model), 0);
    ASSERT_EQ(generateVideoStandardTable(diagnostics, vidStdTable, model), 0);
    MibIndexMap indices;
    MibVariableMap variables;
    EXPECT_EQ(buildIndicesAndVariables(indices, variables, diagnostics, model),
              c.status);
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
  const std::vector<std::string> items = {"0..3", "5", "\"s\"", "\"s\"", "?",
                                          "-1..1", "7..2", "string8"};
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
          definition += name + " " + version() +
                        (random() % 4 == 0 ? " 3" : "") + " { index " +
                        version() + " { " + pick(names) + " } range " +
                        version() + " { " + pick(items) + ", " + pick(items) +
                        " } }\n";
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
    DefinitionModel model;
    if (parse(model, definition) != Outcome{}) continue;
    DiagnosticsList diagnostics;
    VideoStandardTable vidStdTable;
    generateTrapsTable(diagnostics, model);
    generateVideoStandardTable(diagnostics, vidStdTable, model);
    MibIndexMap indices;
    MibVariableMap variables;
    const int status =
        buildIndicesAndVariables(indices, variables, diagnostics, model);
    ++built;
    EXPECT_TRUE(status == 0 || status == kGeneratorFailed ||
                status == kGeneratorInconsistent)
        << status << "\n" << definition;
    // A reported problem fails the stage, and a failure without a report
    // is an inconsistency.
    EXPECT_EQ(status == 0, diagnostics.records.empty() &&
                               status != kGeneratorInconsistent)
        << definition;
  }
  // Most random definitions should get past the parser.
  EXPECT_GT(built, 500);
}

}  // namespace
