// Postfix written back as infix, the cases in tests/cases/expr/infix.txt.

#include "expr/infix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/postfix.h"
#include "expr_text.h"

namespace {

std::vector<ExprValue> listOf(const std::string& text) {
  Expression expression;
  EXPECT_EQ(readText(expression, text, true), 0);
  return infixOf(expression);
}

TEST(exprInfixText, FewestParenthesesThatKeepTheMeaning) {
  for (const auto& c : caseRows("expr/infix.txt", 3)) {
    SCOPED_TRACE(c[1]);
    const bool converted = c[0] == "infix";
    const std::vector<ExprValue> read = listOf(c[1]);
    std::vector<ExprValue> postfix = read;
    if (converted) {
      ASSERT_EQ(toPostfix(postfix, read), 0);
    }
    EXPECT_EQ(infixText(postfix), c[2]);
    if (!converted) continue;
    std::vector<ExprValue> again;
    EXPECT_EQ(toPostfix(again, listOf("(" + c[2] + ")")), 0);
    EXPECT_EQ(describe(again), describe(postfix));
  }
}

}  // namespace
