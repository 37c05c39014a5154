#include "mib/enum_ranges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/status_codes.h"
#include "mib/mib_text.h"

namespace {

// Hand-made, as the definition language gives an enumerated range nothing
// but strings. Numbering through whole variables is in
// process_variable_test.cc.
TEST(EnumRanges, MalformedVersionIsRefused) {
  struct Case {
    MibRange versioned;
    std::string message;  // after the prefix
  };
  const std::vector<Case> cases = {
      {rangeOf(1, {"\"a\""}),
       "Trying to use enum logic to merge integer range"},
      {rangeOf(0, {}), "Trying to merge empty string range"},
      {rangeOf(0, {"\"a\"", "\"b\" \"c\""}), "Invalid string range min value"},
      {rangeOf(0, {"\"a\"..\"b\""}), "Invalid string range max value"},
      {rangeOf(0, {"\"a\"", "#1"}),
       "Invalid string range min value definition"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describeRange(c.versioned));
    EnumState state;
    MibRange merged;
    MibRange translated;
    MessageList messages;
    EXPECT_EQ(
        mergeEnumRange(messages, state, merged, c.versioned, translated, "P: "),
        kGeneratorInconsistent);
    EXPECT_EQ(messages, MessageList{"P: " + c.message});
  }
}

}  // namespace
