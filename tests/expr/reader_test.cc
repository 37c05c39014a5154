// Reading expressions from definition lines, and the character rules of
// every input line; the cases written as text are in tests/cases/expr.

#include "expr/reader.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "expr/line_text.h"
#include "expr/number.h"
#include "expr/postfix.h"
#include "expr_text.h"
#include "support/exact_line.h"

namespace {

TEST(exprReadExpression, TokensStatusAndStopColumn) {
  for (const auto& c : caseRows("expr/read.txt", 5)) {
    SCOPED_TRACE(c[0]);
    Expression expression;
    uint32_t column = 0;
    const int status = readText(expression, c[0], c[1] == "1", &column);
    EXPECT_EQ(std::to_string(status), c[2]);
    EXPECT_EQ(std::to_string(column), c[3]);
    EXPECT_EQ(describe(infixOf(expression)), c[4]);
  }
}

// One expression fed line by line, the first line's `(` already consumed.
// There is no reset: a completed expression must leave the reader ready
// for the next one. The lines are exactly sized, so the sanitizer build
// sees a read past one.
TEST(exprReadExpression, StateAcrossLines) {
  for (const auto& c : caseRows("expr/lines.txt", 4)) {
    SCOPED_TRACE(c[3]);
    g_auto(GStrv) lines = g_strsplit(c[3].c_str(), " | ", -1);
    Expression expression;
    std::string statuses;
    for (guint i = 0; lines[i] != nullptr; ++i) {
      const ExactLine line(lines[i]);
      const char* cursor = line.c_str() + (i == 0 ? 1 : 0);
      uint32_t column = 0;
      statuses += (i == 0 ? "" : " ") +
                  std::to_string(readExpression(expression, column, cursor,
                                                line.c_str(), i + 1,
                                                c[0] == "1"));
    }
    EXPECT_EQ(statuses, c[1]);
    EXPECT_EQ(describe(infixOf(expression)), c[2]);
  }
}

// Words end at the NUL, at white space or at a stop character (none when
// the stops are null), and are appended to what the target holds.
TEST(exprLineText, ReadWordAppendsUpToNulWhiteSpaceOrAStop) {
  std::string out = "kept:";
  EXPECT_STREQ(readWord(out, "a,b}\tc", nullptr), "\tc");
  EXPECT_STREQ(readWord(out, "na\xffme,x", ",}"), ",x");
  EXPECT_STREQ(readWord(out, "end", nullptr), "");
  EXPECT_EQ(out, "kept:a,b}na\xffmeend");
}

// Numbers in words read as the C library reads them, clamped to 32 bits:
// names and short decimals are answered without it, and must agree.
TEST(exprNumber, Strtol32AgreesWithTheCLibrary) {
  for (const char* word :
       {"p1", "Z9", "_x", "9", "12x", "7[3]", "123456789", "999999999",
        "1234567890", "2147483647", "2147483648", "99999999999", "017",
        "0x1f", "+5", "-5", " 42", "1e5", ""}) {
    char* libraryEnd = nullptr;
    const long long library = std::strtoll(word, &libraryEnd, 0);
    const char* end = nullptr;
    EXPECT_EQ(strtol32(word, &end),
              std::clamp<long long>(library, INT32_MIN, INT32_MAX))
        << word;
    EXPECT_EQ(end, libraryEnd) << word;
  }
}

}  // namespace
