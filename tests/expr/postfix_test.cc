#include "expr/postfix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr_text.h"

namespace {

struct TextCase {
  const char* text;
  int status;
  const char* postfix;
};

TEST(exprToPostfix, PrecedenceAssociativityAndFailurePositions) {
  const TextCase cases[] = {
      {"(1 + 2 * 3)", 0, "#1 #2 #3 * +"},
      {"(10 - 4 - 3)", 0, "#10 #4 - #3 -"},
      {"(1 | 2 == 2)", 0, "#1 #2 #2 == |"},
      {"(\"abc\" $ \"b\" == 1)", 0, "\"abc\" \"b\" $ #1 =="},
      {"((1 + 2) * (3))", 0, "#1 #2 + #3 *"},
      {"(a || b && c < d << e)", 0, "a b c d e << < && ||"},
      {"(2 * -3)", 0, "#2 #-3 *"},
      {"()", -1, ""},
      {"(1 2)", 2, ""},         // surplus operand, seen at the end
      {"(1 (2))", 4, ""},       // surplus operand before a parenthesis
      {"(+ 1)", 2, ""},         // missing left operand
      {"(a + )", 2, ""},        // missing right operand
      {"(1 * + 2)", 3, ""},     // `+` pops `*`, which lacks an operand
      {"(1 + * 2)", 4, ""},
      {"(2 * (-3))", 6, ""},    // a `-` behind `(` is not folded
      {"(-x)", 2, ""},
      {"((  ) 1)", 2, ""},      // empty parenthesis
      {"((1 2) + 3)", 4, ""},   // two values in a parenthesis
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.text);
    Expression expression;
    ASSERT_EQ(readText(expression, c.text), 0);
    std::vector<ExprValue> postfix = {ExprValue{kExprInteger, 99, ""}};
    EXPECT_EQ(toPostfix(postfix, infixOf(expression)), c.status);
    EXPECT_EQ(describe(postfix), c.postfix);  // emptied on failure
  }
}

const ExprValue kOne{kExprInteger, 1, ""};
const ExprValue kPlus{kExprPlus, 0, ""};
const ExprValue kOpen{kExprOpenParen, 0, ""};
const ExprValue kClose{kExprCloseParen, 0, ""};
const ExprValue kBad{kExprInvalid, 0, ""};

struct ListCase {
  std::vector<ExprValue> list;
  int status;
};

// Lists that the reader cannot produce but the generators could assemble.
TEST(exprToPostfix, UnbalancedParenthesesAndForeignKinds) {
  const ListCase cases[] = {
      {{kClose, kOne}, 1},
      {{kOne, kClose}, 2},
      {{kOpen, kOne}, 2},
      {{kOpen, kOpen, kOne, kClose}, 4},
      {{kOne, kPlus, kOne, kClose, kPlus}, 4},
      {{kOne, kPlus, kBad}, 3},
      {{kOne, kPlus, ExprValue{99, 0, ""}}, 3},
      {{kOpen, kOne, kClose}, 0},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(describe(c.list));
    std::vector<ExprValue> postfix;
    EXPECT_EQ(toPostfix(postfix, c.list), c.status);
    EXPECT_EQ(postfix.empty(), c.status != 0);
  }
}

TEST(exprCheckPostfix, FailurePositions) {
  const ListCase cases[] = {
      {{}, -1},
      {{kOne}, 0},
      {{kOne, kOne, kPlus}, 0},
      {{kPlus}, 1},
      {{kOne, kPlus}, 2},
      {{kOne, kOne}, 2},
      {{kOne, kOne, kPlus, kOne}, 4},
      {{kOne, kOpen}, 2},
      {{kOne, kBad, kPlus}, 2},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(describe(c.list));
    EXPECT_EQ(checkPostfix(c.list), c.status);
  }
}

}  // namespace
