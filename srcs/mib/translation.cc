#include "mib/translation.h"

#include "expr/postfix.h"

ExprValue integerValue(int32_t number) {
  return ExprValue{kExprInteger, number, ""};
}

ExprValue stringValue(const std::string& text) {
  return ExprValue{kExprString, 0, text};
}

ExprValue operatorValue(int32_t kind) { return ExprValue{kind, 0, ""}; }

ExprValue thisValue() { return ExprValue{kExprName, 0, kThisName}; }

ValueTranslation makeTranslation(const std::vector<ExprValue>& condition,
                                 const std::vector<ExprValue>& result) {
  // The lists are made by the generators from operands and binary operators
  // only, so the conversion cannot fail.
  ValueTranslation translation;
  toPostfix(translation.condition, condition);
  toPostfix(translation.result, result);
  return translation;
}

ValueTranslation valueTranslation(const ExprValue& from, const ExprValue& to) {
  return makeTranslation({thisValue(), operatorValue(kExprEqual), from}, {to});
}

ValueTranslation shiftTranslation(int32_t first, int32_t last, int32_t offset) {
  std::vector<ExprValue> result = {thisValue()};
  if (offset != 0) {
    result.push_back(operatorValue(kExprPlus));
    result.push_back(integerValue(offset));
  }
  return makeTranslation({integerValue(first), operatorValue(kExprLessEqual),
                          thisValue(), operatorValue(kExprAnd), thisValue(),
                          operatorValue(kExprLessEqual), integerValue(last)},
                         result);
}
