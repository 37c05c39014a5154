#include "expr/reader.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "expr/line_text.h"
#include "expr/postfix.h"
#include "expr_text.h"
#include "support/exact_line.h"

namespace {

struct ReadCase {
  const char* text;
  bool indexAllowed;
  int status;
  const char* tokens;  // as read up to the end or the failure
  uint32_t column;     // where reading stopped
};

TEST(exprReadExpression, TokensStatusAndStopColumn) {
  const ReadCase cases[] = {
      {"(a)", false, 0, "a", 2},
      {"( 0x10 )", false, 0, "#16", 7},
      {"(-5)", false, 0, "#-5", 3},
      {"(2 * -3)", false, 0, "#2 * #-3", 7},
      {"(2 * (-3))", false, 0, "#2 * ( - #3 )", 9},
      {"(-x)", false, 0, "- x", 3},
      {"(x * -0x10 - -y)", false, 0, "x * #-16 - - y", 15},
      {"(a||b&&c==d!=e<=f>=g<<h>>i)", false, 0,
       "a || b && c == d != e <= f >= g << h >> i", 26},
      {"(a|b^c&d<e>f+g-h*i/j%k$l)", false, 0,
       "a | b ^ c & d < e > f + g - h * i / j % k $ l", 24},
      {"(08 1st sw::this 0x1F 010)", false, 0, "08 1st sw::this #31 #8", 25},
      {"(4294967296 - -99999999999)", false, 0, "#2147483647 - #-2147483647",
       26},
      {"(\" a b\" + \"\")", false, 0, "\" a b\" + \"\"", 12},
      {"(a\"b\")", false, 0, "a\"b\"", 5},  // a quote does not end a word
      {"(name[ 2 ])", true, 0, "name[2]", 10},
      {"(a[1][ x y ] == 2)", true, 0, "a[1][x y] == #2", 17},
      {"(name [x])", false, 2, "name", 6},
      {"([1])", true, 2, "", 1},
      {"(1[2])", true, 2, "#1", 2},
      {"(a = b)", false, 2, "a", 3},
      {"(!a)", false, 2, "", 1},
      {"(a])", false, 2, "a", 2},
      {"(a<<=b)", false, 2, "a <<", 4},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.text);
    Expression expression;
    uint32_t column = 0;
    EXPECT_EQ(readText(expression, c.text, c.indexAllowed, &column), c.status);
    EXPECT_EQ(describe(infixOf(expression)), c.tokens);
    EXPECT_EQ(column, c.column);
  }
}

// Feeds `lines` to one expression, the first line's `(` already consumed;
// returns the status of every call and leaves the last cursor's offset.
// There is no reset: a completed expression must leave the reader ready for
// the next one.
std::vector<int> feed(Expression& expression,
                      const std::vector<std::string>& lines,
                      bool indexAllowed, uint32_t& column, size_t& rest) {
  std::vector<int> statuses;
  for (size_t i = 0; i < lines.size(); ++i) {
    const char* cursor = lines[i].c_str() + (i == 0 ? 1 : 0);
    statuses.push_back(readExpression(expression, column, cursor,
                                      lines[i].c_str(),
                                      static_cast<uint32_t>(i + 1),
                                      indexAllowed));
    rest = static_cast<size_t>(cursor - lines[i].c_str());
  }
  return statuses;
}

TEST(exprReadExpression, TokenLinesColumnsAndSourceLines) {
  const std::vector<std::string> lines = {"(\"ab\n", "   cd\" + -7 &&\n",
                                          "\tb)  tail\n"};
  Expression expression;
  expression.sourceLines[3] = "kept";  // an existing entry is not replaced
  uint32_t column = 0;
  size_t rest = 0;
  EXPECT_EQ(feed(expression, lines, false, column, rest),
            (std::vector<int>{-2, -2, 0}));
  const std::vector<ExprToken> expected = {
      {2, 3, {kExprString, 0, "abcd"}}, {2, 7, {kExprPlus, 0, ""}},
      {2, 9, {kExprInteger, -7, ""}},   {2, 12, {kExprAnd, 0, ""}},
      {3, 1, {kExprName, 0, "b"}}};
  EXPECT_EQ(expression.tokens, expected);
  EXPECT_EQ(expression.sourceLines,
            (std::map<uint32_t, std::string>{{2, lines[1]}, {3, "kept"}}));
  EXPECT_EQ(column, 2u);           // the closing parenthesis
  EXPECT_EQ(lines[2].substr(rest), "tail\n");
}

struct LinesCase {
  std::vector<std::string> lines;
  bool indexAllowed;
  std::vector<int> statuses;
  const char* tokens;
};

TEST(exprReadExpression, StateAcrossLines) {
  const LinesCase cases[] = {
      {{"((a\n", "\n", ") + 1)\n"}, false, {-2, -2, 0}, "( a ) + #1"},
      {{"(lvl[ 3\n", "  ] == 1)\n"}, true, {-2, 0}, "lvl[3] == #1"},
      {{"(\"a \n", "\n", "  b\")"}, false, {-2, -2, 0}, "\"a b\""},
      // The last character of a line is taken for its newline even where
      // the line has none (a piece of a line longer than the read buffer).
      {{"(\"abx", "cd\")"}, false, {-2, 0}, "\"abcd\""},
      {{"(2 *\n", "-3)\n"}, false, {-2, 0}, "#2 * #-3"},
      {{"(\"x\") + 1)\n"}, false, {0}, "\"x\""},
  };
  for (const LinesCase& c : cases) {
    SCOPED_TRACE(c.lines[0]);
    Expression expression;
    uint32_t column = 0;
    size_t rest = 0;
    EXPECT_EQ(feed(expression, c.lines, c.indexAllowed, column, rest),
              c.statuses);
    EXPECT_EQ(describe(infixOf(expression)), c.tokens);
  }
}

TEST(exprLineText, WhiteSpaceIsExactlyTheSixPosixCharacters) {
  const std::string six = " \t\n\v\f\r";
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    EXPECT_EQ(isWhiteSpace(ch), six.find(ch) != std::string::npos) << c;
  }
}

TEST(exprLineText, ReadWordAppendsUpToNulWhiteSpaceOrAStop) {
  struct Case {
    const char* text;
    const char* stops;
    std::string word;
    long end;
  };
  const Case cases[] = {
      {"abc def", nullptr, "abc", 3}, {"a,b}", nullptr, "a,b}", 4},
      {"a,b}", ",}", "a", 1},         {",a", ",}", "", 0},
      {"x\ty", "", "x", 1},           {"", ",", "", 0},
      {"ab{c d", "{", "ab", 2},       {"na\xffme\n", "}", "na\xffme", 5},
  };
  for (const Case& c : cases) {
    std::string out = "kept:";
    const char* end = readWord(out, c.text, c.stops);
    EXPECT_EQ(out, "kept:" + c.word) << c.text;
    EXPECT_EQ(end - c.text, c.end) << c.text;
  }
}

// Random bytes as definition lines: every call ends with a known status, a
// column inside the line and a cursor inside the line; a completed
// expression holds only kinds an expression can hold.
TEST(exprReadExpression, RandomLinesNeverCrash) {
  std::mt19937 random(20240611);
  const std::string alphabet = "\"()[]|&=!<>+-*/%$ \t\n0x19azZ:";
  for (int round = 0; round < 3000; ++round) {
    resetExpressionReader();
    Expression expression;
    const bool indexAllowed = random() % 2 == 0;
    for (uint32_t lineNumber = 1; lineNumber <= 4; ++lineNumber) {
      std::string line;
      for (size_t n = random() % 24; n > 0; --n) {
        const unsigned pick = random() % 4;
        line += pick == 0 ? static_cast<char>(1 + random() % 255)
                          : alphabet[random() % alphabet.size()];
      }
      if (random() % 3 != 0) line += '\n';
      const ExactLine exact(line);
      const char* cursor = exact.c_str();
      uint32_t column = 0;
      const int status = readExpression(expression, column, cursor,
                                        exact.c_str(), lineNumber, indexAllowed);
      ASSERT_TRUE(status == 0 || status == -2 || status == 2) << status;
      ASSERT_LE(column, line.size());
      ASSERT_LE(static_cast<size_t>(cursor - exact.c_str()), line.size());
      if (status == -2) continue;
      for (const ExprToken& token : expression.tokens) {
        const int32_t kind = token.value.kind;
        ASSERT_TRUE(kind >= kExprOpenParen && kind != kExprInvalid &&
                    kind <= kExprName) << kind;
        ASSERT_EQ(expression.sourceLines.count(token.line), 1u);
      }
      break;
    }
  }
}

}  // namespace
