#include "expr/infix.h"

#include <utility>

#include "expr/postfix.h"
#include "expr/reader.h"

namespace {

// An operand is never parenthesised.
constexpr int kOperandPrecedence = 0;

struct Part {
  std::string text;
  int precedence;  // of the operator applied last
};

std::string operandText(const ExprValue& value) {
  if (value.kind == kExprInteger) return std::to_string(value.number);
  if (value.kind == kExprString) return "\"" + value.text + "\"";
  return value.text;
}

// With left associativity, `a - b - c` is (a - b) - c: a left operand needs
// parentheses only when it binds more loosely than the operator, a right
// one already when it binds as loosely.
std::string operandOf(const Part& part, int precedence, bool right) {
  const bool parenthesise =
      right ? part.precedence >= precedence : part.precedence > precedence;
  return parenthesise ? "(" + part.text + ")" : part.text;
}

}  // namespace

std::string infixText(const std::vector<ExprValue>& postfix) {
  if (postfix.empty()) return "";
  if (checkPostfix(postfix) != 0) return kMalformedInfix;
  std::vector<Part> parts;
  for (const ExprValue& value : postfix) {
    if (isExprOperand(value.kind)) {
      parts.push_back({operandText(value), kOperandPrecedence});
      continue;
    }
    const int precedence = operatorPrecedence(value.kind);
    const Part right = std::move(parts.back());
    parts.pop_back();
    Part& left = parts.back();
    left.text = operandOf(left, precedence, false) + " " +
                exprSpelling(value.kind) + " " +
                operandOf(right, precedence, true);
    left.precedence = precedence;
  }
  return std::move(parts.back().text);
}
