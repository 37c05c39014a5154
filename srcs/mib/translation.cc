#include "mib/translation.h"

#include "expr/postfix.h"

ExprValue integerValue(int32_t number) {
  return ExprValue{kExprInteger, number, ""};
}

ExprValue stringValue(const std::string& text) {
  return ExprValue{kExprString, 0, text};
}

ExprValue operatorValue(int32_t kind) { return ExprValue{kind, 0, ""}; }

ExprValue thisValue() { return ExprValue{kExprName, 0, "sw::this"}; }

ValueTranslation makeTranslation(const std::vector<ExprValue>& condition,
                                 const std::vector<ExprValue>& result) {
  // The lists are made by the generators from operands and binary operators
  // only, so the conversion cannot fail.
  ValueTranslation translation;
  toPostfix(translation.condition, condition);
  toPostfix(translation.result, result);
  return translation;
}

std::vector<ExprValue> withinCondition(int32_t first, int32_t last) {
  return {integerValue(first), operatorValue(kExprLessEqual), thisValue(),
          operatorValue(kExprAnd), thisValue(), operatorValue(kExprLessEqual),
          integerValue(last)};
}

std::vector<ExprValue> equalsCondition(const ExprValue& value) {
  return {thisValue(), operatorValue(kExprEqual), value};
}
