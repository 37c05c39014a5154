// Conversion to postfix, its check, and evaluation; the cases written as
// text are in tests/cases/expr.

#include "expr/evaluate.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "expr/postfix.h"
#include "expr_text.h"

namespace {

const ValueMap kValues = {
    {"empty", ""}, {"oct", "08"},     {"on", "ON"},     {"unit", "12 dB"},
    {"zero", "0"}, {"level[3]", "4"}, {"padded", " 7"}, {"huge", "99999999999"},
    {"min", "-2147483648"}, {"twelve", "12"}};

ExprValue K(int32_t kind) { return ExprValue{kind, 0, ""}; }  // no operand
const ExprValue kOne{kExprInteger, 1, ""}, kPlus = K(kExprPlus),
    kOpen = K(kExprOpenParen), kClose = K(kExprCloseParen),
    kInvalid = K(kExprInvalid);

TEST(exprToPostfix, PrecedenceAssociativityAndFailurePositions) {
  for (const auto& c : caseRows("expr/postfix.txt", 3)) {
    SCOPED_TRACE(c[0]);
    Expression expression;
    ASSERT_EQ(readText(expression, c[0]), 0);
    std::vector<ExprValue> postfix = {kOne};
    EXPECT_EQ(std::to_string(toPostfix(postfix, infixOf(expression))), c[1]);
    EXPECT_EQ(describe(postfix), c[2]);
  }
}

using ListCase = std::pair<std::vector<ExprValue>, int>;  // and a status

// Lists that the reader cannot produce but the generators could assemble.
TEST(exprToPostfix, UnbalancedParenthesesAndForeignKinds) {
  const ListCase cases[] = {
      {{kClose, kOne}, 1}, {{kOne, kClose}, 2}, {{kOpen, kOne}, 2},
      {{kOpen, kOpen, kOne, kClose}, 4},
      {{kOne, kPlus, kOne, kClose, kPlus}, 4},
      {{kOne, kPlus, kInvalid}, 3}, {{kOne, kPlus, K(99)}, 3},
      {{kOpen, kOne, kClose}, 0}};
  for (const auto& [list, status] : cases) {
    std::vector<ExprValue> postfix;
    EXPECT_EQ(toPostfix(postfix, list), status) << describe(list);
    EXPECT_EQ(postfix.empty(), status != 0) << describe(list);
  }
}

// Where checkPostfix refuses a list, evaluating it yields Invalid and 0.
TEST(exprCheckPostfix, FailurePositionsAndInvalidResult) {
  const ListCase cases[] = {
      {{}, -1}, {{kOne}, 0}, {{kOne, kOne, kPlus}, 0}, {{kPlus}, 1},
      {{kOne, kPlus, kOne}, 2}, {{kOne, kOne}, 2}, {{kOpen}, 1},
      {{kOne, kOpen}, 2}, {{kOne, kOne, kPlus, kOne}, 4},
      {{kOne, kInvalid, kPlus}, 2}, {{kOne, kOne, K(77)}, 3}};
  for (const auto& [list, status] : cases) {
    EXPECT_EQ(checkPostfix(list), status) << describe(list);
    if (status == 0) continue;
    ExprValue result = kOne;
    EXPECT_EQ(evaluate(list, &result, kValues), 0) << describe(list);
    EXPECT_EQ(result, kInvalid) << describe(list);
  }
}

TEST(exprEvaluate, ExpressionsReadFromText) {
  for (const auto& c : caseRows("expr/evaluate.txt", 3)) {
    SCOPED_TRACE(c[0]);
    Expression expression;
    ASSERT_EQ(readText(expression, c[0], true), 0);
    std::vector<ExprValue> postfix;
    ASSERT_EQ(toPostfix(postfix, infixOf(expression)), 0);
    ExprValue result{kExprString, 0, "untouched"};
    EXPECT_EQ(std::to_string(evaluate(postfix, &result, kValues)), c[1]);
    EXPECT_EQ(describe({result}), c[2]);
    EXPECT_EQ(std::to_string(evaluate(postfix, nullptr, kValues)), c[1]);
  }
}

}  // namespace
