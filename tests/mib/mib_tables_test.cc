#include "mib/mib_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/status_codes.h"
#include "mib/generated_mib.h"

namespace {

// One line per row group: "table version, table name, index version
// [index parameters] @recorded index version: variable version:names ...".
std::vector<std::string> describeTables(const MibTableSet& tables) {
  std::vector<std::string> lines;
  for (const auto& [tableVersion, byName] : tables) {
    for (const auto& [name, table] : byName) {
      for (const auto& [indexVersion, groups] : table) {
        for (const auto& [indexList, group] : groups) {
          std::string line = std::to_string(tableVersion) + " " + name + " " +
                             std::to_string(indexVersion) + " [";
          for (size_t i = 0; i < indexList.size(); ++i) {
            line += (i == 0 ? "" : ",") + indexList[i];
          }
          line += "] @" + std::to_string(group.indexVersion) + ":";
          for (const auto& [version, names] : group.variableVersions) {
            line += " " + std::to_string(version) + ":";
            for (const std::string& variable : names) {
              line += (line.back() == ':' ? "" : ",") + variable;
            }
          }
          lines.push_back(line);
        }
      }
    }
  }
  return lines;
}

// The index parameter i takes new values (an incompatible list) at 2.
const std::string kIndexI =
    "i 0 { range 0 { 0..3 } range 2 { 5..6 } }\n";

TEST(MibTables, RowsFromDefinitions) {
  struct Case {
    const char* name;
    std::string definitions;
    std::vector<std::string> rows;
  };
  const std::vector<Case> cases = {
      {"scalar: window start, then each later range; moved up to 1",
       "t table 0 { v }\nv 1 { range 1 { 0..5 } range 3 { \"a\" } }\n",
       {"0 t 1 [] @0: 1:v 3:v"}},
      {"table later than the variable: the scalar entry before the index "
       "list is skipped",
       "t table 3 { v }\nv 1 { index 3 { i } range 1 { 0 } }\n" + kIndexI,
       {"3 t 3 [i] @2: 3:v"}},
      {"a row per index version, each with the ranges within it",
       "t table 0 { v, w }\n"
       "v 0 { index 0 { i } range 0 { 0 } range 4 { \"a\" } }\n"
       "w 3 { index 3 { i } range 3 { 0 } }\n" + kIndexI,
       {"0 t 0 [i] @0: 0:v", "0 t 2 [i] @2: 2:v 3:w 4:v"}},
      {"scalar until the index list, then indexed",
       "t table 0 { v }\nv 0 { index 2 { i } range 0 { 0 } }\n" + kIndexI,
       {"0 t 0 [] @0: 0:v", "0 t 2 [i] @2: 2:v"}},
      {"two index parameters make one row of the merged index",
       "t table 1 { v }\nv 0 { index 0 { a, b } range 0 { 0 } }\n"
       "a 0 { range 0 { 0..1 } }\nb 0 { range 0 { \"x\" } }\n",
       {"1 t 1 [a,b] @0: 1:v"}},
      {"traps table: a trap starts at its own version",
       "t table 0 { u }\nu 0 { range 0 { 0 } }\n"
       "x 0 { range 0 { 0 } }\nx trap 3" + kTrapBody +
           "y 0 { index 0 { i } range 0 { 0 } }\ny trap 1" + kTrapBody +
           kIndexI,
       {"0 t 0 [] @0: 0:u", "1 mibtraps 1 [i] @0: 1:y",
        "1 mibtraps 2 [i] @2: 2:y", "1 mibtraps 3 [] @0: 3:x"}},
      {"a parameter of a declared table and of the traps table",
       "t table 0 { x }\nx 0 { range 0 { 0 } }\nx trap 2" + kTrapBody,
       {"0 t 0 [] @0: 0:x", "2 mibtraps 2 [] @0: 2:x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GeneratedMib generated = generateFromText(c.definitions);
    EXPECT_EQ(generated.status, kStatusOk);
    EXPECT_EQ(generated.messages, MessageList{});
    EXPECT_EQ(describeTables(generated.mib.tables), c.rows);
  }
}

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
  EXPECT_EQ(describeTables(tables),
            (std::vector<std::string>{"0 t 3 [i] @3: 3:a,b 4:c",
                                      "0 t 5 [] @0: 5:s"}));
}

}  // namespace
