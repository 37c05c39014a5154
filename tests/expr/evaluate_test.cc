#include "expr/evaluate.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "expr/postfix.h"
#include "expr_text.h"

namespace {

const ValueMap kValues = {
    {"empty", ""}, {"oct", "08"},     {"on", "ON"},     {"unit", "12 dB"},
    {"zero", "0"}, {"level[3]", "4"}, {"padded", " 7"}, {"huge", "99999999999"},
    {"min", "-2147483648"}, {"twelve", "12"}};

ExprValue I(int32_t number) { return ExprValue{kExprInteger, number, ""}; }
ExprValue S(const char* text) { return ExprValue{kExprString, 0, text}; }
const ExprValue kInvalid{kExprInvalid, 0, ""};

struct EvaluateCase {
  const char* text;
  int truth;
  ExprValue result;
};

TEST(exprEvaluate, ExpressionsReadFromText) {
  const EvaluateCase cases[] = {
      {"(1 + 2 * 3)", 1, I(7)},
      {"(10 - 4 - 3)", 1, I(3)},
      {"(1 | 2 == 2)", 1, I(1)},
      {"(\"abc\" $ \"b\" == 1)", 1, I(1)},
      {"(\"10\" < 9)", 1, I(1)},
      {"(5 == \"5\")", 1, I(1)},
      {"(\"a\" + 1)", 1, S("a1")},
      {"(\"7\" * 2)", 1, I(14)},
      {"(\"x\" * 2)", 0, I(0)},
      {"(1 << 32)", 0, I(0)},
      {"(1 << 256)", 1, I(1)},
      {"(-8 >> 1)", 1, I(-4)},
      {"(-1 >> 40)", 1, I(-1)},
      {"(7 / -2)", 1, I(-3)},
      {"(7 % -2)", 1, I(1)},
      {"(-7 % 2)", 1, I(-1)},
      {"(2 * -3)", 1, I(-6)},
      {"(-2147483647 - 1 >> 31)", 1, I(-1)},
      {"(2147483647 + 1)", 1, I(INT_MIN)},  // wrapping
      {"(-2147483647 - 1 - 1)", 1, I(INT_MAX)},
      {"(65536 * 65536)", 0, I(0)},
      {"(min * -1)", 1, I(INT_MIN)},
      {"(min / -1)", 1, I(INT_MIN)},
      {"(min % -1)", 0, I(0)},
      {"(1 << 31)", 1, I(INT_MIN)},
      {"(1 << 255)", 0, I(0)},
      {"(3 << -255)", 1, I(6)},  // the low 8 bits of -255 are 1
      {"(2147483647 >> 31)", 0, I(0)},
      {"(-8 >> 256)", 1, I(-8)},
      {"(6 | 3 ^ 1 & 7)", 1, I(6)},
      {"(0 || -3)", 1, I(1)},
      {"(\"0x1Fzz\" * 1)", 1, I(31)},  // the number at the start of a text
      {"(on - 1)", 1, I(-1)},
      {"(-1 < 1)", 1, I(1)},  // signed
      {"(twelve >= \"2\")", 0, I(0)},  // "12" < "2"
      {"(\"\xff\" > \"a\")", 1, I(1)},  // unsigned bytes
      {"(\"ab\" < \"abc\")", 1, I(1)},  // a proper prefix is less
      {"(min + \"\")", 1, S("-2147483648")},
      {"(twelve + 1)", 1, I(13)},
      {"(\"abc\" $ \"\")", 1, I(1)},
      {"(\"ab\" $ \"abc\")", 0, I(0)},
      {"(-123 $ 12)", 1, I(1)},
      {"(-2147483648 == -2147483647)", 1, I(1)},  // the word saturates
      {"(empty)", 0, I(0)},
      {"(oct)", 1, S("08")},
      {"(padded)", 1, I(7)},
      {"(huge)", 1, I(INT_MAX)},
      {"(unit < 2)", 1, I(1)},  // "12 dB" is text
      {"(on $ \"N\")", 1, I(1)},
      {"(level[3] == 4)", 1, I(1)},
      {"(missing)", 0, kInvalid},
      {"(missing || 1)", 0, kInvalid},
      {"(missing && 0)", 0, kInvalid},  // both sides always converted
      {"(missing != 1)", 0, kInvalid},
      {"(missing $ \"\")", 0, kInvalid},
      {"(1 / zero)", 0, kInvalid},
      {"(5 % 0 || 1)", 0, kInvalid},
      {"(\"\")", 0, S("")},
      {"(0)", 0, I(0)},
      {"(\"0\")", 1, S("0")},
  };
  for (const EvaluateCase& c : cases) {
    SCOPED_TRACE(c.text);
    Expression expression;
    ASSERT_EQ(readText(expression, c.text, true), 0);
    std::vector<ExprValue> postfix;
    ASSERT_EQ(toPostfix(postfix, infixOf(expression)), 0);
    ExprValue result = S("untouched");
    EXPECT_EQ(evaluate(postfix, &result, kValues), c.truth);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(evaluate(postfix, nullptr, kValues), c.truth);
  }
}

TEST(exprEvaluate, MalformedListsYieldInvalid) {
  const ExprValue plus{kExprPlus, 0, ""};
  const std::vector<std::vector<ExprValue>> lists = {
      {},
      {I(1), plus},
      {I(1), I(2)},
      {ExprValue{kExprOpenParen, 0, ""}},
      {I(1), kInvalid, plus},
      {I(1), I(2), ExprValue{77, 0, ""}},
  };
  for (const std::vector<ExprValue>& list : lists) {
    SCOPED_TRACE(describe(list));
    ExprValue result = I(5);
    EXPECT_EQ(evaluate(list, &result, kValues), 0);
    EXPECT_EQ(result, kInvalid);
  }
}

// Random element lists, as a generator bug could assemble them: the
// conversion either succeeds with a list checkPostfix accepts or fails at a
// position inside the list, and evaluation of anything ends in an allowed
// value without a crash.
TEST(exprEvaluate, RandomListsNeverCrash) {
  std::mt19937 random(77);
  const int32_t numbers[] = {0, 1, -1, 2, 31, 32, 255, 256, INT_MAX, INT_MIN};
  const char* const texts[] = {"", "0", "08", "on", "missing", "level[3]"};
  for (int round = 0; round < 20000; ++round) {
    std::vector<ExprValue> infix;
    for (size_t n = random() % 10; n > 0; --n) {
      const int32_t kind = static_cast<int32_t>(random() % 27) - 4;
      ExprValue value{kind, numbers[random() % 10], ""};
      if (kind == kExprString || kind == kExprName) {
        value.text = texts[random() % 6];
      }
      infix.push_back(value);
    }
    std::vector<ExprValue> postfix;
    const int status = toPostfix(postfix, infix);
    if (status == 0) {
      ASSERT_EQ(checkPostfix(postfix), 0) << describe(infix);
    } else {
      ASSERT_TRUE(postfix.empty());
      ASSERT_TRUE(status == -1 ||
                  (status >= 1 && status <= static_cast<int>(infix.size())))
          << status;
    }
    for (const std::vector<ExprValue>* list : {&postfix, &infix}) {
      ExprValue result;
      const int truth = evaluate(*list, &result, kValues);
      ASSERT_TRUE(truth == 0 || truth == 1);
      ASSERT_TRUE(result.kind == kExprInteger || result.kind == kExprString ||
                  result.kind == kExprInvalid) << describe(*list);
    }
  }
}

}  // namespace
