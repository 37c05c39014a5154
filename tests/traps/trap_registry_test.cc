// Trap registries built from definition files: which traps register, their
// fault identifiers, and one instance per index value with its identifier.

#include "traps/trap_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "traps/registry_text.h"

namespace {

using ::testing::ElementsAreArray;

struct Case {
  const char* name;
  std::string definitions;
  std::vector<std::string> instances;
};

TEST(TrapRegistry, InstancesAndIdentifiers) {
  const std::vector<Case> cases = {
      {"scalar trap later than its parameter",
       "x 0 { range 0 { 0..1 } }\nx trap 3" + kTrapBody,
       {"x 34 0"}},
      {"integer index",
       "slot 0 { range 0 { 1..3 } }\n"
       "a 0 { index 0 { slot } range 0 { 0 } }\na trap 0" +
           kTrapBody + "b 0 { index 0 { slot } range 0 { 0 } }\nb trap 0" +
           kTrapBody,
       {"a[1] 34 0", "a[2] 34 1", "a[3] 34 2", "b[1] 34 256", "b[2] 34 257",
        "b[3] 34 258"}},
      {"string index",
       "port 0 { range 0 { \"in\", \"out\" } }\n"
       "p 0 { index 0 { port } range 0 { 0 } }\np trap 0" +
           kTrapBody,
       {"p[in] 34 0", "p[out] 34 1"}},
      {"two index parameters",
       "slot 0 { range 0 { 1..2 } }\nport 0 { range 0 { \"in\", \"out\" } }\n"
       "p 0 { index 0 { slot, port } range 0 { 0 } }\np trap 0" +
           kTrapBody,
       {"p[1,in] 34 0", "p[1,out] 34 1", "p[2,in] 34 2", "p[2,out] 34 3"}},
      // The scalar row holds a and x at version 0 and x again at 2, where
      // its range changes kind: x registers there, third. The slot row
      // counts from 0 again.
      {"positions per row group, every version and name",
       "slot 0 { range 0 { 1..2 } }\n"
       "a 0 { range 0 { 0 } }\na trap 0" +
           kTrapBody + "x 0 { range 0 { 0 } range 2 { \"on\" } }\nx trap 0" +
           kTrapBody + "i 0 { index 0 { slot } range 0 { 0 } }\ni trap 0" +
           kTrapBody +
           "j 0 { index 0 { slot } range 0 { 0 } range 2 { \"on\" } }\n"
           "j trap 0" +
           kTrapBody,
       {"a 35 0", "i[1] 34 0", "i[2] 34 1", "j[1] 34 512", "j[2] 34 513",
        "x 35 2"}},
      {"removed trap", "r 0 3 { range 0 { 0 } }\nr trap 0" + kTrapBody, {}},
      // Registered in the row of the index's last values, under the
      // fault-present flag of that row's version.
      {"index values change later",
       "i 0 { range 0 { 0..1 } range 2 { 5..6 } }\n"
       "y 0 { index 0 { i } range 0 { 0 } }\ny trap 1" +
           kTrapBody,
       {"y[5] 35 0", "y[6] 35 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THAT(describeIds(registryFromText(c.definitions)),
                ElementsAreArray(c.instances));
  }
}

// Hand-made: scalar from 0, indexed by a and b from 4 (with no index for
// the pair, so each one's own values count), ranges at 0 and 3.
TEST(TrapRegistry, NextChangeVersion) {
  MibVariable variable;
  variable.indexLists = {{0, {}}, {4, {"a", "b"}}};
  variable.mergedRanges = {{0, MibRange{}}, {3, MibRange{}}};
  MibIndexMap indices;
  indices[{"a"}].mergedValueNames = {{0, {"a0"}}, {6, {"a1"}}};
  indices[{"b"}].mergedValueNames = {{0, {"b0"}}, {5, {"b1"}}};
  const struct {
    int32_t version;
    int32_t removal;
    int32_t next;
  } cases[] = {
      {0, -1, 3},  {3, -1, 4}, {4, -1, 5}, {5, -1, 6},
      {6, -1, -1}, {6, 2, 2},  {0, 9, 3},
  };
  for (const auto& c : cases) {
    variable.removalVersion = c.removal;
    EXPECT_EQ(nextChangeVersion(variable, c.version, indices), c.next)
        << "after " << c.version << ", removed at " << c.removal;
  }
  indices[{"a", "b"}].mergedValueNames = {{0, {"a0b0"}}, {7, {"a1b1"}}};
  variable.removalVersion = -1;
  EXPECT_EQ(nextChangeVersion(variable, 4, indices), 7);
}

}  // namespace
