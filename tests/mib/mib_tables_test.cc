#include "mib/mib_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/status_codes.h"
#include "mib/mib_text.h"

namespace {

// Hand-made MIB maps reach what a definition that passed the earlier stages
// never shows.
TEST(MibTables, FirstFailureStopsWithItsMessage) {
  MibVariable plain;
  plain.firstVersion = 1;
  plain.indexLists = {{1, {}}};
  plain.mergedRanges = {{1, {}}};
  const auto with = [&](auto change) {
    MibVariable variable = plain;
    change(variable);
    return MibVariableMap{{"v", variable}};
  };
  const auto indexedBy = [](MibVariable& v) { v.indexLists = {{1, {"i"}}}; };
  const auto indexFrom = [](int32_t version) {
    MibIndexMap indices;
    indices[{"i"}].mergedValueNames = {{version, {"i0"}}};
    return indices;
  };
  struct Case {
    std::string table;
    MibVariableMap variables;
    MibIndexMap indices;
    std::string message;  // after "Generating MIB: Processing parameter v: "
  };
  const std::vector<Case> cases = {
      {"t", {}, {}, "MIB variable not defined"},
      {"mibtraps", with([](MibVariable&) {}), {}, "Trap definition not found"},
      {"t", with([](MibVariable& v) { v.mergedRanges = {{2, {}}}; }), {},
       "First range version 2 does not match first MIB variable version 1"},
      {"t", with([](MibVariable& v) { v.mergedRanges.clear(); }), {},
       "Extracting range versions: Index range is empty"},
      {"t", with(indexedBy), indexFrom(2),
       "Extracting index versions: Index version <= 1 not found"},
      {"t", with(indexedBy), {},
       "Extracting index versions: Index range is empty"},
      {"t",
       with([](MibVariable& v) { v.indexLists[kOpenVersion] = {"i"}; }),
       indexFrom(0),
       "Extracting index versions: Invalid index range 2147483647 to "
       "2147483647"},
      {"t", with(indexedBy), indexFrom(-1),
       "MIB variable index version is negative."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    DefinitionModel model;
    model.tables[c.table].params.items = {{1, 0, "u"}, {2, 0, "v"}};
    model.traps["u"] = {};
    MibVariableMap variables = c.variables;
    variables["u"] = plain;
    MibTableSet tables;
    MessageList messages;
    EXPECT_EQ(generateMibTables(tables, messages, model, c.indices, variables),
              kGeneratorInconsistent);
    EXPECT_EQ(messages, MessageList{"Generating MIB: Processing parameter v: " +
                                    c.message});
  }
}

TEST(MibTables, AddToTablesRefusesNegativeVersions) {
  MibTableSet tables;
  MessageList messages;
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, -1, "v", -1, "P: "),
            kGeneratorInconsistent);
  EXPECT_EQ(messages, (MessageList{"P: MIB variable index version is negative.",
                                   "P: MIB variable version is negative."}));
  EXPECT_TRUE(tables.empty());
}

// Two row groups of one index brought to one version keep every variable.
TEST(MibTables, NormalisingJoinsGroupsMovedTogether) {
  MibTableSet tables;
  MessageList messages;
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, 3, "b", 3, ""), 0);
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, 0, "a", 3, ""), 0);
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {"i"}, 0, "c", 4, ""), 0);
  EXPECT_EQ(addToTables(tables, messages, "t", 0, {}, 7, "s", 5, ""), 0);
  normaliseMibTables(tables);
  EXPECT_EQ(describeMibTables(tables), "0 t 3 [i] @3: 3:a,b 4:c\n0 t 5 [] @0: 5:s\n");
}

}  // namespace
