#include "mib/varids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "language/status_codes.h"
#include "mib/generated_mib.h"

namespace {

// Every pair "name@version" in numbering order, after checking that the
// identifiers count up from 34 in version order, then name order, with 350
// left out.
std::vector<std::string> numberedPairs(const VarIdMap& varIds) {
  std::vector<std::tuple<int32_t, std::string, int32_t>> byVersion;
  for (const auto& [name, versions] : varIds) {
    for (const auto& [version, id] : versions) {
      byVersion.emplace_back(version, name, id);
    }
  }
  std::sort(byVersion.begin(), byVersion.end());
  std::vector<std::string> pairs;
  int32_t expected = kFirstVarId;
  for (const auto& [version, name, id] : byVersion) {
    EXPECT_EQ(id, expected) << name << "@" << version;
    expected += expected + 1 == kSkippedVarId ? 2 : 1;
    pairs.push_back(name + "@" + std::to_string(version));
  }
  return pairs;
}

TEST(VarIds, NamesAndVersionsNumbered) {
  struct Case {
    const char* name;
    std::string definitions;
    std::vector<std::string> pairs;  // in numbering order
  };
  const std::vector<Case> cases = {
      {"a listed variable at its index lists, its index's versions and its "
       "ranges; the index parameter itself is not listed",
       "t table 0 { v }\n"
       "v 0 { index 2 { i } range 0 { 0 } range 1 { \"a\" } }\n"
       "i 0 { range 0 { 0..3 } range 3 { 5..6 } }\n",
       {"v@0", "v@1", "v@2", "v@3"}},
      {"traps have fault-present flags and no identifier of their own",
       "x 0 { range 0 { 0 } }\nx trap 0" + kTrapBody +
           "y 2 { index 2 { slot, port } range 2 { 0 } }\ny trap 2" +
           kTrapBody + "slot 2 { range 2 { 1..2 } }\n" +
           "port 2 { range 2 { 1..4 } }\n",
       {"v0FaultPresent@0", "slotPortV2FaultPresent@2"}},
      {"video standard constants of a variable no table lists, at its "
       "versions and, when later, at their own",
       "videoIn 0 { range 0 { \"a\" } range 2 { 0 } }\n"
       "videoIn vidstd 0 { spal }\nvideoIn vidstd 4 { f0 }\n",
       {"vidStd::videoIn::spal@0", "vidStd::videoIn::spal@2",
        "vidStd::videoIn::f0@4"}},
      {"a removed variable's constants up to the removal",
       "t table 0 { vin }\nvin 0 3 { range 0 { 0 } }\n"
       "vin vidstd 1 { fr }\nvin vidstd 3 { f1 }\n",
       {"vin@0", "vidStd::vin::fr@1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GeneratedMib generated = generateFromText(c.definitions);
    EXPECT_EQ(generated.status, kStatusOk);
    EXPECT_EQ(generated.messages, MessageList{});
    EXPECT_EQ(numberedPairs(generated.mib.varIds), c.pairs);
  }
}

// 320 names: the 317th gets 351.
TEST(VarIds, ThreeHundredFiftyIsNeverGiven) {
  std::string table = "t table 0 {";
  std::string params;
  for (int i = 0; i < 320; ++i) {
    const std::string name = "p" + std::to_string(1000 + i);
    table += (i == 0 ? " " : ", ") + name;
    params += name + " 0 { range 0 { 0 } }\n";
  }
  const GeneratedMib generated = generateFromText(table + " }\n" + params);
  ASSERT_EQ(generated.status, kStatusOk);
  EXPECT_EQ(numberedPairs(generated.mib.varIds).size(), 320u);
  EXPECT_EQ(generated.mib.varIds.at("p1000").at(0), 34);
  EXPECT_EQ(generated.mib.varIds.at("p1315").at(0), 349);
  EXPECT_EQ(generated.mib.varIds.at("p1316").at(0), 351);
}

TEST(VarIds, NegativeVersionsAreRefused) {
  MibVariable plain;
  plain.firstVersion = 0;
  plain.indexLists = {{0, {}}};
  plain.mergedRanges = {{0, {}}};
  MibIndexMap indices;
  indices[{"a", "b"}].mergedValueNames = {{-1, {"a0b0"}}};
  struct Case {
    MibVariable variable;
    std::string message;  // after "Generating varids for MIB variable v: "
  };
  std::vector<Case> cases(3, {plain, ""});
  cases[0].variable.indexLists = {{-1, {}}};
  cases[0].message = "Found negative index version number";
  cases[1].variable.mergedRanges[-2] = {};
  cases[1].message = "Found negative range version number";
  cases[2].variable.indexLists = {{0, {"a", "b"}}};
  cases[2].message =
      "Processing index a,b,: Found negative index range version number";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    VarIdMap varIds;
    MessageList messages;
    EXPECT_EQ(generateVarIds(varIds, messages, indices, {{"v", c.variable}},
                             {}, {"v"}, {}),
              kGeneratorInconsistent);
    EXPECT_EQ(messages, MessageList{"Generating varids for MIB variable v: " +
                                    c.message});
  }
}

}  // namespace
