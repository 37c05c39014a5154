#include "language/diagnostics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string printed(const DiagnosticsList& list) {
  testing::internal::CaptureStderr();
  printDiagnostics(list);
  return testing::internal::GetCapturedStderr();
}

TEST(DiagnosticsTest, PrintsEachRecordWithItsQuotedLine) {
  struct Case {
    const char* name;
    SourceLines sourceLines;
    std::vector<Diagnostic> records;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"recorded line, warning at column 0, line not recorded",
       {{12, "p 2 { index 2 { foo } }\n"}, {3, "t table 1 { a }\n"}},
       {{false, 3, 12, 5, "foo"}, {true, 4, 3, 0, "a"}, {false, 3, 11, 5, "x"}},
       "Error on line 12\nParameter not found foo\n"
       "p 2 { index 2 { foo } }\n     ^\n"
       "Warning on line 3\nParameter appears in multiple tables a\n"
       "t table 1 { a }\n^\n"
       "Error on line 11\nParameter not found x\n"},
      {"no line: no quote, even under the key -1 would cast to",
       {{0xFFFFFFFFu, "never quoted\n"}},
       {{false, 12, -1, 5, "level"}, {true, 7, -1, 0, ""}},
       "Error\nInvalid parameter range definition level\n"
       "Warning\nParameter's index is not defined\n"},
      {"the messages of 20 and 24 put the text on the next line",
       {{4, "x trap 1 {\n"}},
       {{false, 20, 4, 0, "x"}, {false, 24, 4, 2, ""}},
       "Error on line 4\nDuplicate trap declaration\n x\nx trap 1 {\n^\n"
       "Error on line 4\nInvalid video standard constant\n\nx trap 1 {\n  ^\n"},
      {"unknown and parse-only codes",
       {},
       {{false, 99, -1, 0, "a"}, {false, 1, -1, 0, ""}},
       "Error\nUnknown error. a\nError\nUnknown error.\n"},
      {"recorded line empty or without newline",
       {{1, ""}, {2, "s vidstd 1 { q }"}},
       {{false, 24, 1, 5, "q"}, {false, 24, 2, 13, "q"}},
       "Error on line 1\nInvalid video standard constant\n q\n\n     ^\n"
       "Error on line 2\nInvalid video standard constant\n q\n"
       "s vidstd 1 { q }\n" + std::string(13, ' ') + "^\n"},
      {"the engineer's bytes as they are",
       {{2, "\xff\xfe name \x80%s\n"}},
       {{false, 3, 2, 1, "n\xe9%d"}},
       "Error on line 2\nParameter not found n\xe9%d\n\xff\xfe name \x80%s\n ^\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DiagnosticsList list{c.sourceLines, c.records};
    EXPECT_EQ(printed(list), c.expected);
    EXPECT_EQ(printed(list), c.expected) << "printing leaves the list as it is";
  }
}

TEST(DiagnosticsTest, FirstTextRecordedForALineWins) {
  DiagnosticsList list;
  const SourceLines model = {
      {12, "second\n"}, {13, "thirteen\n"}, {0xFFFFFFFFu, "bogus\n"}};
  list.sourceLines[12] = "first\n";

  addDiagnostic(list, {false, 3, 12, 0, "a"}, model);
  EXPECT_EQ(list.sourceLines, (SourceLines{{12, "first\n"}}))
      << "only the diagnostic's own line is taken, an existing one is kept";

  addDiagnostic(list, {false, 3, 13, 0, "b"}, model);
  addDiagnostic(list, {false, 3, -1, 0, "c"}, model);
  addDiagnostic(list, {false, 3, 14, 0, "d"}, model);
  addDiagnosticWithLine(list, {false, 20, 13, 0, "e"}, "generator's\n");
  addDiagnosticWithLine(list, {false, 20, 15, 0, "f"}, "fifteen\n");
  addDiagnosticWithLine(list, {false, 20, -1, 0, "g"}, "no line\n");
  EXPECT_EQ(list.sourceLines,
            (SourceLines{{12, "first\n"}, {13, "thirteen\n"}, {15, "fifteen\n"}}));

  std::string texts;
  for (const Diagnostic& d : list.records) texts += d.text;
  EXPECT_EQ(texts, "abcdefg") << "every record is appended, in order";
}

}  // namespace
