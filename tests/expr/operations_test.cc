#include "expr/operations.h"

#include <gtest/gtest.h>

#include <climits>

#include "expr_text.h"

namespace {

ExprValue I(int32_t number) { return ExprValue{kExprInteger, number, ""}; }
ExprValue S(const char* text) { return ExprValue{kExprString, 0, text}; }
ExprValue N(const char* text) { return ExprValue{kExprName, 0, text}; }
const ExprValue kFails{kExprInvalid, 0, ""};

struct OperationCase {
  ExprValue left;
  int32_t code;
  ExprValue right;
  ExprValue expected;  // kFails: the operation fails
};

TEST(exprApplyOperator, EdgeValues) {
  const ValueMap values = {{"twelve", "12"}, {"on", "ON"}, {"zero", "0"}};
  const OperationCase cases[] = {
      {I(INT_MAX), kExprPlus, I(1), I(INT_MIN)},
      {I(INT_MIN), kExprMinus, I(1), I(INT_MAX)},
      {I(65536), kExprTimes, I(65536), I(0)},
      {I(INT_MAX), kExprTimes, I(2), I(-2)},
      {I(INT_MIN), kExprTimes, I(-1), I(INT_MIN)},
      {I(INT_MIN), kExprDivide, I(-1), I(INT_MIN)},
      {I(INT_MIN), kExprRemainder, I(-1), I(0)},
      {I(5), kExprDivide, I(0), kFails},
      {I(5), kExprRemainder, I(0), kFails},
      {I(INT_MIN), kExprDivide, N("zero"), kFails},
      {I(1), kExprShiftLeft, I(31), I(INT_MIN)},
      {I(1), kExprShiftLeft, I(255), I(0)},
      {I(3), kExprShiftLeft, I(-255), I(6)},  // low 8 bits of -255 are 1
      {I(INT_MIN), kExprShiftRight, I(31), I(-1)},
      {I(INT_MAX), kExprShiftRight, I(31), I(0)},
      {I(8), kExprShiftRight, I(32), I(0)},
      {I(-8), kExprShiftRight, I(256), I(-8)},
      {I(6), kExprBitOr, I(3), I(7)},
      {I(6), kExprBitXor, I(3), I(5)},
      {I(-1), kExprBitAnd, I(0xF0), I(0xF0)},
      {I(0), kExprOr, I(-3), I(1)},
      {I(2), kExprAnd, I(0), I(0)},
      {N("missing"), kExprAnd, I(0), kFails},  // no short cut
      {S("0x1Fzz"), kExprTimes, I(1), I(31)},  // the number at the start
      {N("on"), kExprMinus, I(1), I(-1)},
      {I(-1), kExprLess, I(1), I(1)},  // signed
      {I(10), kExprGreater, S("9"), I(0)},
      {N("twelve"), kExprGreaterEqual, S("2"), I(0)},  // "12" < "2"
      {S("\xff"), kExprGreater, S("a"), I(1)},  // unsigned bytes
      {S("ab"), kExprLess, S("abc"), I(1)},     // a proper prefix is less
      {S("abc"), kExprLessEqual, S("ab"), I(0)},
      {S(""), kExprNotEqual, S(""), I(0)},
      {N("missing"), kExprNotEqual, I(1), kFails},
      {I(INT_MIN), kExprPlus, S(""), S("-2147483648")},
      {N("twelve"), kExprPlus, I(1), I(13)},
      {S("abc"), kExprContains, S(""), I(1)},
      {S(""), kExprContains, S(""), I(1)},
      {S("ab"), kExprContains, S("abc"), I(0)},
      {I(-123), kExprContains, I(12), I(1)},
      {N("missing"), kExprContains, S(""), kFails},
  };
  for (const OperationCase& c : cases) {
    SCOPED_TRACE(describe({c.left, ExprValue{c.code, 0, ""}, c.right}));
    ExprValue result = kFails;
    EXPECT_EQ(applyOperator(c.code, c.left, c.right, values, result),
              c.expected != kFails);
    EXPECT_EQ(result, c.expected);
  }
}

}  // namespace
