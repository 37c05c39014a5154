#include "mib/varids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/status_codes.h"
#include "mib/mib_model.h"

namespace {

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
