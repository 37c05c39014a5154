#include "tables/traps_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/parse_text.h"
#include "tables/table_text.h"

namespace {

// The smallest complete trap declaration, on one line.
std::string trap(const std::string& name, int version) {
  return name + " trap " + std::to_string(version) +
         " { description { d } action_true { t } action_false { f } }";
}

TEST(TrapsTable, TrapsInVersionThenNameOrderAtTheirDeclarations) {
  struct Case {
    const char* name;
    std::string definition;
    std::string tables;  // all tables of the model afterwards
  };
  const std::vector<Case> cases = {
      {"no traps: an empty table of version 0", "t table 3 { a }\n",
       "mibtraps 0:\nt 3: a@1:12\n"},
      {"version first, then name",
       trap("b", 5) + "\n" + trap("a", 5) + "\n" + trap("c", 2) + "\n",
       "mibtraps 2: c@3:0 a@2:0 b@1:0\n"},
      {"two traps on one line quote it once",
       "  # alarms\n  " + trap("y", 1) + " " + trap("x", 1) + "\n",
       "mibtraps 1: x@2:70 y@2:2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DefinitionModel model;
    ASSERT_EQ(parse(model, c.definition), Outcome{});
    DiagnosticsList diagnostics;
    // A second run replaces the table rather than adding to it.
    for (int run = 0; run < 2; ++run) {
      EXPECT_EQ(generateTrapsTable(diagnostics, model), 0);
    }
    EXPECT_EQ(describeTables(model), c.tables);
    expectQuotedLines(model, c.definition);
    EXPECT_TRUE(diagnostics.records.empty());
  }
}

}  // namespace
