#include "tables/video_standard_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "tables/table_text.h"

namespace {

// "name: constant=version ...;" per declared name.
std::string describe(const VideoStandardTable& table) {
  std::ostringstream out;
  for (const auto& [name, constants] : table) {
    out << name << ":";
    for (const auto& [constant, version] : constants) {
      out << " " << constant << "=" << version;
    }
    out << ";";
  }
  return out.str();
}

TEST(VideoStandardTable, ConstantsGatheredIntoTablesAndUnknownOnesReported) {
  struct Case {
    const char* name;
    std::string definition;
    int status;
    std::string table;
    std::string tables;       // all tables of the model afterwards
    std::string diagnostics;
  };
  const std::vector<Case> cases = {
      {"smallest version per name and per table",
       "videoIn vidstd 1 { spal, alpf }\nrefIn vidstd 0 { spal }\n", 0,
       "refIn: spal=0;videoIn: alpf=1 spal=1;",
       "vidStdalpf 1: videoIn@1:25\nvidStdspal 0: refIn@2:17 videoIn@1:19\n",
       ""},
      {"one name in two versions is listed once per version",
       "v vidstd 3 { fr }\nv vidstd 1 {\n  f0, fr }\n", 0, "v: f0=1 fr=1;",
       "vidStdf0 1: v@3:2\nvidStdfr 1: v@3:6 v@1:13\n", ""},
      {"a constant written twice counts once, at its first place",
       "v vidstd 1 { spal, spal }\nv vidstd 1 { spal }\n", 0, "v: spal=1;",
       "vidStdspal 1: v@1:13\n", ""},
      {"unknown constants, in statement order, leave out only themselves",
       "w vidstd 0 { bogus }\nv vidstd 1 { Spal, fr, SPAL }\n",
       kGeneratorFailed, "v: fr=1;", "vidStdfr 1: v@2:19\n",
       "24@2:13 24@2:23 24@1:13 "},
      {"no statements: nothing generated, declared tables kept",
       "t table 2 { a }\n", 0, "", "t 2: a@1:12\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DefinitionModel model;
    ASSERT_EQ(parse(model, c.definition), Outcome{});
    DiagnosticsList diagnostics;
    VideoStandardTable table;
    EXPECT_EQ(generateVideoStandardTable(diagnostics, table, model), c.status);
    EXPECT_EQ(describe(table), c.table);
    EXPECT_EQ(describeTables(model), c.tables);
    expectQuotedLines(model, c.definition);
    EXPECT_EQ(describeDiagnostics(diagnostics), c.diagnostics);
  }
}

// Every constant gets its own table, named after it, which no definition
// file may declare.
TEST(VideoStandardTable, EachOfTheFourteenConstantsHasItsTable) {
  const char* constants[] = {"spal", "alpf", "sptl", "tlpf", "fr",
                             "clkDiv", "f0", "f1", "f0v0", "f0v1",
                             "f1v0", "f1v1", "f0sw", "f1sw"};
  std::string definition;
  for (const char* constant : constants) {
    definition += std::string("v vidstd 4 { ") + constant + " }\n";
  }
  DefinitionModel model;
  ASSERT_EQ(parse(model, definition), Outcome{});
  DiagnosticsList diagnostics;
  VideoStandardTable table;
  EXPECT_EQ(generateVideoStandardTable(diagnostics, table, model), 0);
  EXPECT_EQ(table["v"].size(), 14u);
  EXPECT_EQ(describeTables(model),
            "vidStdalpf 4: v@2:13\nvidStdclkDiv 4: v@6:13\n"
            "vidStdf0 4: v@7:13\nvidStdf0sw 4: v@13:13\nvidStdf0v0 4: v@9:13\n"
            "vidStdf0v1 4: v@10:13\nvidStdf1 4: v@8:13\nvidStdf1sw 4: v@14:13\n"
            "vidStdf1v0 4: v@11:13\nvidStdf1v1 4: v@12:13\nvidStdfr 4: v@5:13\n"
            "vidStdspal 4: v@1:13\nvidStdsptl 4: v@3:13\n"
            "vidStdtlpf 4: v@4:13\n");
  // A definition file may not declare a table the generator makes.
  for (const auto& [name, generated] : model.tables) {
    DefinitionModel declared;
    EXPECT_EQ(parse(declared, name + " table 1 { a }\n").code, kIllegalTableName)
        << name;
  }
}

}  // namespace
