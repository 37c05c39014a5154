#include "expr/evaluate.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
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
ExprValue K(int32_t kind) { return ExprValue{kind, 0, ""}; }  // no operand
const ExprValue kOne = I(1), kPlus = K(kExprPlus), kOpen = K(kExprOpenParen),
                kClose = K(kExprCloseParen), kInvalid = K(kExprInvalid);

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
    std::vector<ExprValue> postfix = {I(99)};
    EXPECT_EQ(toPostfix(postfix, infixOf(expression)), c.status);
    EXPECT_EQ(describe(postfix), c.postfix);  // emptied on failure
  }
}

struct ListCase {
  std::vector<ExprValue> list;
  int status;
};

// Lists that the reader cannot produce but the generators could assemble.
TEST(exprToPostfix, UnbalancedParenthesesAndForeignKinds) {
  const ListCase cases[] = {
      {{kClose, kOne}, 1},       {{kOne, kClose}, 2},
      {{kOpen, kOne}, 2},        {{kOpen, kOpen, kOne, kClose}, 4},
      {{kOne, kPlus, kOne, kClose, kPlus}, 4},
      {{kOne, kPlus, kInvalid}, 3}, {{kOne, kPlus, K(99)}, 3},
      {{kOpen, kOne, kClose}, 0},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(describe(c.list));
    std::vector<ExprValue> postfix;
    EXPECT_EQ(toPostfix(postfix, c.list), c.status);
    EXPECT_EQ(postfix.empty(), c.status != 0);
  }
}

// Where checkPostfix refuses a list, evaluating it yields Invalid and 0.
TEST(exprCheckPostfix, FailurePositionsAndInvalidResult) {
  const ListCase cases[] = {
      {{}, -1},           {{kOne}, 0},        {{kOne, kOne, kPlus}, 0},
      {{kPlus}, 1},       {{kOne, kPlus}, 2}, {{kOne, I(2)}, 2},
      {{kOpen}, 1},       {{kOne, kOpen}, 2}, {{kOne, kOne, kPlus, kOne}, 4},
      {{kOne, kInvalid, kPlus}, 2},           {{kOne, I(2), K(77)}, 3},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(describe(c.list));
    EXPECT_EQ(checkPostfix(c.list), c.status);
    if (c.status != 0) {
      ExprValue result = I(5);
      EXPECT_EQ(evaluate(c.list, &result, kValues), 0);
      EXPECT_EQ(result, kInvalid);
    }
  }
}

struct EvaluateCase {
  const char* text;
  int truth;
  ExprValue result;
};

TEST(exprEvaluate, ExpressionsReadFromText) {
  const EvaluateCase cases[] = {
      // Mixed kinds compare and join as text; a text converts to the number
      // at its start, 0 when there is none.
      {"(\"10\" < 9)", 1, I(1)},  {"(5 == \"5\")", 1, I(1)},
      {"(\"a\" + 1)", 1, S("a1")}, {"(min + \"\")", 1, S("-2147483648")},
      {"(\"x\" * 2)", 0, I(0)},    {"(\"0x1Fzz\" * 1)", 1, I(31)},
      {"(-1 < 1)", 1, I(1)},      {"(twelve >= \"2\")", 0, I(0)},  // "12"<"2"
      {"(\"\xff\" > \"a\")", 1, I(1)},  // unsigned bytes
      {"(\"ab\" < \"abc\")", 1, I(1)},  // a proper prefix is less
      {"(\"abc\" $ \"\")", 1, I(1)}, {"(\"ab\" $ \"abc\")", 0, I(0)},
      {"(-123 $ 12)", 1, I(1)},
      // The low 8 bits of the count; 32 or more shift everything out.
      {"(1 << 31)", 1, I(INT_MIN)}, {"(1 << 32)", 0, I(0)},
      {"(1 << 255)", 0, I(0)},      {"(1 << 256)", 1, I(1)},
      {"(3 << -255)", 1, I(6)},     {"(-8 >> 1)", 1, I(-4)},
      {"(-1 >> 40)", 1, I(-1)},     {"(-8 >> 256)", 1, I(-8)},
      {"(2147483647 >> 31)", 0, I(0)},
      {"(-2147483647 - 1 >> 31)", 1, I(-1)},
      // Wrapping arithmetic, quotients truncated toward zero.
      {"(2147483647 + 1)", 1, I(INT_MIN)},
      {"(-2147483647 - 1 - 1)", 1, I(INT_MAX)},
      {"(65536 * 65536)", 0, I(0)}, {"(min * -1)", 1, I(INT_MIN)},
      {"(min / -1)", 1, I(INT_MIN)}, {"(min % -1)", 0, I(0)},
      {"(7 / -2)", 1, I(-3)}, {"(7 % -2)", 1, I(1)}, {"(-7 % 2)", 1, I(-1)},
      {"(6 | 3 ^ 1 & 7)", 1, I(6)}, {"(0 || -3)", 1, I(1)},
      // Names: a whole number is an Integer, anything else a String.
      {"(empty)", 0, I(0)},        {"(oct)", 1, S("08")},
      {"(padded)", 1, I(7)},       {"(huge)", 1, I(INT_MAX)},
      {"(twelve + 1)", 1, I(13)},  {"(on - 1)", 1, I(-1)},
      {"(unit < 2)", 1, I(1)},     {"(on $ \"N\")", 1, I(1)},
      {"(level[3] == 4)", 1, I(1)},
      // Both sides are always converted: a missing name or a division by
      // zero fails the whole expression.
      {"(missing)", 0, kInvalid},       {"(missing || 1)", 0, kInvalid},
      {"(missing && 0)", 0, kInvalid},  {"(missing != 1)", 0, kInvalid},
      {"(missing $ \"\")", 0, kInvalid}, {"(1 / zero)", 0, kInvalid},
      {"(5 % 0 || 1)", 0, kInvalid},
      {"(\"\")", 0, S("")}, {"(0)", 0, I(0)}, {"(\"0\")", 1, S("0")},
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
