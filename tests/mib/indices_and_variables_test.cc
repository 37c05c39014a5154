#include "mib/indices_and_variables.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "tables/traps_table.h"
#include "tables/video_standard_table.h"

namespace {

const char kTrapBody[] =
    " { description { d } action_true { t } action_false { f } }\n";

// Stage 1 on `definition` with its traps and video standard tables; 1 when
// the definition does not parse.
int build(const std::string& definition, MibIndexMap& indices,
          MibVariableMap& variables, DiagnosticsList& diagnostics,
          bool keepRanges = true) {
  DefinitionModel model;
  if (parse(model, definition) != Outcome{}) return 1;
  VideoStandardTable vidStdTable;
  EXPECT_EQ(generateTrapsTable(diagnostics, model), 0);
  EXPECT_EQ(generateVideoStandardTable(diagnostics, vidStdTable, model), 0);
  return buildIndicesAndVariables(indices, variables, diagnostics, model,
                                  keepRanges);
}

// Ranges only checked report a repeated string where converted ones do, in
// a short range and in one long enough to keep its strings sorted.
TEST(IndicesAndVariables, CheckedRangesReportTheRepeatedStringAsConverted) {
  for (const int count : {3, 40}) {
    std::string items;
    for (int i = count; i > 0; --i) items += "\"s" + std::to_string(i) + "\", ";
    const std::string definition =
        "t table 1 { a }\na 1 { range 1 { " + items + "\"s2\", \"s0\" } }\n";
    const uint32_t repeated =
        definition.rfind("s2\"") - definition.find('\n') - 1;
    for (const bool keep : {true, false}) {
      SCOPED_TRACE(std::to_string(count) + (keep ? " kept" : " checked"));
      DiagnosticsList diagnostics;
      MibIndexMap indices;
      MibVariableMap variables;
      EXPECT_EQ(build(definition, indices, variables, diagnostics, keep),
                kGeneratorFailed);
      ASSERT_EQ(diagnostics.records.size(), 1u);
      EXPECT_EQ(diagnostics.records[0].code, kInvalidRange);
      EXPECT_EQ(diagnostics.records[0].line, 2);
      EXPECT_EQ(diagnostics.records[0].column, repeated);
    }
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

}  // namespace
