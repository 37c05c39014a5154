#include "language/diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "expr/expr_text.h"

namespace {

std::string printed(const DiagnosticsList& list) {
  testing::internal::CaptureStderr();
  printDiagnostics(list);
  return testing::internal::GetCapturedStderr();
}

TEST(DiagnosticsTest, PrintsEachRecordWithItsQuotedLine) {
  for (const auto& c : caseRows("diagnostics/printed.txt", 5)) {
    Diagnostic record;
    std::istringstream(c[0]) >> record.isWarning >> record.code >>
        record.line >> record.column;
    record.text = c[1];
    DiagnosticsList list;
    list.records.push_back(record);
    if (!c[2].empty()) list.sourceLines[std::stoul(c[2])] = c[3];
    EXPECT_EQ(printed(list), c[4]) << c[0];
  }
}

// Every record is appended, in order; only a record's own line is taken,
// and the first text recorded for a line wins.
TEST(DiagnosticsTest, FirstTextRecordedForALineWins) {
  DiagnosticsList list;
  list.sourceLines[12] = "first\n";
  const SourceLines model = {
      {12, "second\n"}, {13, "thirteen\n"}, {0xFFFFFFFFu, "bogus\n"}};
  addDiagnostic(list, {false, 3, 12, 0, "a"}, model);
  addDiagnostic(list, {false, 3, 13, 0, "b"}, model);
  addDiagnostic(list, {false, 3, -1, 0, "c"}, model);
  addDiagnostic(list, {false, 3, 14, 0, "d"}, model);
  addDiagnosticWithLine(list, {false, 20, 13, 0, "e"}, "generator's\n");
  addDiagnosticWithLine(list, {false, 20, 15, 0, "f"}, "fifteen\n");
  addDiagnosticWithLine(list, {false, 20, -1, 0, "g"}, "no line\n");
  EXPECT_EQ(list.sourceLines, (SourceLines{{12, "first\n"},
                                          {13, "thirteen\n"},
                                          {15, "fifteen\n"}}));
  std::string texts;
  for (const Diagnostic& d : list.records) texts += d.text;
  EXPECT_EQ(texts, "abcdefg");
}

}  // namespace
