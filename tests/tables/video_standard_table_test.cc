#include "tables/video_standard_table.h"

#include <gtest/gtest.h>

#include <string>

#include "language/status_codes.h"
#include "tables/table_text.h"

namespace {

TEST(VideoStandardTable, ConstantsGatheredIntoTablesAndUnknownOnesReported) {
  runGeneratorCases("tables/video_standards.txt",
                    [](DiagnosticsList& diagnostics, DefinitionModel& model,
                       std::string& tables) {
    VideoStandardTable table;
    const int status = generateVideoStandardTable(diagnostics, table, model);
    for (const auto& [name, constants] : table) {
      tables += (tables.empty() ? "" : " ") + name + ":";
      for (const auto& [constant, version] : constants) {
        tables += " " + constant + "=" + std::to_string(version);
      }
      tables += ";";
    }
    tables += "\n";
    return status;
  });
}

// Every constant gets its own table, named after it, which no definition
// file may declare.
TEST(VideoStandardTable, EachOfTheFourteenConstantsHasItsTable) {
  const std::string constants[] = {"spal", "alpf", "sptl", "tlpf", "fr",
                                   "clkDiv", "f0", "f1", "f0v0", "f0v1",
                                   "f1v0", "f1v1", "f0sw", "f1sw"};
  std::string definition;
  for (const std::string& constant : constants) {
    definition += "v vidstd 4 { " + constant + " }\n";
  }
  DefinitionModel model;
  ASSERT_EQ(parse(model, definition), Outcome{});
  model.tables["vidStdfr"].version = 9;  // an earlier run's, replaced
  DiagnosticsList diagnostics;
  VideoStandardTable table;
  EXPECT_EQ(generateVideoStandardTable(diagnostics, table, model), 0);
  EXPECT_EQ(table["v"].size() + model.tables.size(), 28u);
  for (size_t i = 0; i < 14; ++i) {
    const std::string name = "vidStd" + constants[i];
    EXPECT_EQ(model.tables[name].params.items.at(0).line, i + 1) << name;
    DefinitionModel declared;
    EXPECT_EQ(parse(declared, name + " table 1 { a }\n").code,
              kIllegalTableName) << name;
  }
}

}  // namespace
