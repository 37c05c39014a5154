#include "expr/postfix.h"

#include <utility>

namespace {

// Precedence by operator code; 1 binds tightest. `$` binds tighter than
// the comparisons so that `("abc" $ "b" == 1)` asks for containment first.
constexpr int kPrecedence[] = {
    11,                  // ||
    10,                  // &&
    9,  8,  7,           // | ^ &
    6,  6,               // == !=
    5,  5,  5,  5,       // < > <= >=
    4,  4,               // << >>
    3,  3,               // + -
    2,  2,  2,           // * / %
    1,                   // $
};

struct StackEntry {
  ExprValue element;  // an operator or an opening parenthesis
  int outerOperands;  // for a parenthesis: the count of the level outside
};

// The operator-precedence conversion, with a count of the operands produced
// at the current parenthesis level so that a missing or surplus operand is
// caught at the element where it shows.
class Converter {
 public:
  explicit Converter(std::vector<ExprValue>& output) : output_(output) {}

  // Takes the next element; false when the expression fails there.
  bool take(const ExprValue& element) {
    if (isExprOperand(element.kind)) {
      output_.push_back(element);
      ++operands_;
      return true;
    }
    if (isExprOperator(element.kind)) {
      const int precedence = operatorPrecedence(element.kind);
      while (!stack_.empty() && stack_.back().element.kind != kExprOpenParen &&
             operatorPrecedence(stack_.back().element.kind) <= precedence) {
        if (!popOperator()) return false;
      }
      stack_.push_back({element, 0});
      return true;
    }
    if (element.kind == kExprOpenParen) {
      ++depth_;
      stack_.push_back({element, operands_});
      operands_ = 0;
      return true;
    }
    if (element.kind == kExprCloseParen) return closeParenthesis();
    return false;
  }

  // After the last element: true when exactly one value is left and every
  // parenthesis was closed.
  bool finish() {
    while (!stack_.empty()) {
      if (stack_.back().element.kind == kExprOpenParen) return false;
      if (!popOperator()) return false;
    }
    return operands_ == 1;
  }

 private:
  // Moves the operator on top of the stack to the output; it turns the two
  // operands before it into one.
  bool popOperator() {
    if (operands_ < 2) return false;
    --operands_;
    output_.push_back(std::move(stack_.back().element));
    stack_.pop_back();
    return true;
  }

  bool closeParenthesis() {
    if (depth_ < 1) return false;
    while (stack_.back().element.kind != kExprOpenParen) {
      if (!popOperator()) return false;
    }
    // `()` and `(1 2)` give no value or two.
    if (operands_ != 1) return false;
    operands_ = stack_.back().outerOperands + 1;
    stack_.pop_back();
    --depth_;
    return true;
  }

  std::vector<ExprValue>& output_;
  std::vector<StackEntry> stack_;
  int operands_ = 0;  // values produced at the current level
  int depth_ = 0;     // open parentheses
};

}  // namespace

int operatorPrecedence(int32_t kind) { return kPrecedence[kind]; }

std::vector<ExprValue> infixOf(const Expression& expression) {
  std::vector<ExprValue> infix;
  infix.reserve(expression.tokens.size());
  for (const ExprToken& token : expression.tokens) infix.push_back(token.value);
  return infix;
}

int toPostfix(std::vector<ExprValue>& postfix,
              const std::vector<ExprValue>& infix) {
  postfix.clear();
  if (infix.empty()) return -1;
  const int count = static_cast<int>(infix.size());
  Converter converter(postfix);
  for (int position = 1; position <= count; ++position) {
    if (!converter.take(infix[position - 1])) {
      postfix.clear();
      return position;
    }
  }
  if (!converter.finish() || checkPostfix(postfix) != 0) {
    postfix.clear();
    return count;
  }
  return 0;
}

int checkPostfix(const std::vector<ExprValue>& postfix) {
  if (postfix.empty()) return -1;
  const int count = static_cast<int>(postfix.size());
  int values = 0;
  for (int position = 1; position <= count; ++position) {
    const int32_t kind = postfix[position - 1].kind;
    if (isExprOperand(kind)) {
      ++values;
    } else if (isExprOperator(kind) && values >= 2) {
      --values;
    } else {
      return position;
    }
  }
  return values == 1 ? 0 : count;
}
