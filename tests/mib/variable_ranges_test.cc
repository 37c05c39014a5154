#include "mib/variable_ranges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/mib_text.h"

namespace {

TEST(VariableRanges, ItemsCheckedAndConvertedPerVersion) {
  struct Case {
    std::string ranges;  // the range items of parameter p, first version 1
    int status;
    std::string converted;    // "version: range; " per stored version
    std::string diagnostics;
  };
  // Column 16 is the first item of the first range line.
  const std::vector<Case> cases = {
      {"range 1 { \"on\", \"off\" }", 0, "1: enum \"on\" \"off\"; ", ""},
      {"range 1 { 1, \"on\", 2..3 } range 4 { 0 }", 0,
       "1: int #1..#1 \"on\" #2..#3; 4: int #0..#0; ", ""},
      {"range 1 { ?, 3..4 }", 0, "1: int #-1000000..#1000000 #3..#4; ", ""},
      {"range 1 { string8:none }", 0, "1: text8:none; ", ""},
      {"range 1 { string4 }", 0, "1: text4:; ", ""},
      {"range 1 { 1..5, 3..8 }", kGeneratorFailed, "", "12@1:22 "},
      {"range 1 { 1..5, 5 }", kGeneratorFailed, "", "12@1:22 "},
      {"range 1 { 5..1 }", kGeneratorFailed, "", "12@1:16 "},
      {"range 1 { -2147483648 }", kGeneratorFailed, "", "12@1:16 "},
      {"range 1 { \"a\", \"b\", \"a\" }", kGeneratorFailed, "", "12@1:27 "},
      {"range 1 { 1, string8 }", kGeneratorFailed, "", "12@1:19 "},
      {"range 1 { 1 } range 2 { 1..2, 0 }", kGeneratorFailed, "1: int #1..#1; ",
       "12@1:36 "},
      {"range 1 { string8 } range 2 { 1 }", kGeneratorFailed, "", "11@1:16 "},
      {"range 1 { 1 }\n range 2 { string8 }", kGeneratorFailed,
       "1: int #1..#1; ", "11@2:11 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ranges);
    DefinitionModel model;
    ASSERT_EQ(parse(model, "p 1 { " + c.ranges + " }\n"), Outcome{});
    DiagnosticsList diagnostics;
    MibVariable variable;
    EXPECT_EQ(buildVersionedRanges(diagnostics, model.params["p"], variable),
              c.status);
    std::string converted;
    for (const auto& [version, range] : variable.versionedRanges) {
      converted += std::to_string(version) + ": " + describeRange(range) + "; ";
    }
    EXPECT_EQ(converted, c.converted);
    EXPECT_EQ(describeDiagnostics(diagnostics), c.diagnostics);
  }
}

}  // namespace
