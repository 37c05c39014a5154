// The version at which a trap's row stops holding: how long an instance
// found at one version stays valid. Which traps register, with which
// identifiers, rules and bindings, is told by the definition cases
// (tests/cases/definitions/traps-*, trap-rules-*).

#include "traps/trap_registry.h"

#include <gtest/gtest.h>

namespace {

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
