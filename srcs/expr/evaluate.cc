#include "expr/evaluate.h"

#include <utility>

#include "expr/conversion.h"
#include "expr/operations.h"

namespace {

// The final value, or Invalid on any failure.
ExprValue run(const std::vector<ExprValue>& postfix, const ValueMap& values) {
  std::vector<ExprValue> stack;
  for (const ExprValue& element : postfix) {
    if (isExprOperand(element.kind)) {
      stack.push_back(element);  // a Name stays unresolved until it is used
      continue;
    }
    if (!isExprOperator(element.kind) || stack.size() < 2) return ExprValue{};
    const ExprValue right = std::move(stack.back());
    stack.pop_back();
    ExprValue value;
    if (!applyOperator(element.kind, stack.back(), right, values, value)) {
      return ExprValue{};
    }
    stack.back() = std::move(value);
  }
  // An empty list leaves no value.
  if (stack.size() != 1) return ExprValue{};
  return resolveName(stack.back(), values);
}

}  // namespace

int evaluate(const std::vector<ExprValue>& postfix, ExprValue* result,
             const ValueMap& values) {
  ExprValue value = run(postfix, values);
  const int truth = (value.kind == kExprInteger && value.number != 0) ||
                    (value.kind == kExprString && !value.text.empty());
  if (result != nullptr) *result = std::move(value);
  return truth;
}
