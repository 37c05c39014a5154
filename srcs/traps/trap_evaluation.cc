#include "traps/trap_evaluation.h"

#include "expr/evaluate.h"

int32_t evaluateTrap(const TrapRules& rules, const std::string& ownValue,
                     ValueMap& values) {
  values.insert_or_assign(kThisName, ownValue);
  for (const ValueTranslation& rule : rules) {
    if (evaluate(rule.condition, nullptr, values) == 0) continue;
    ExprValue result;
    evaluate(rule.result, &result, values);
    if (result.kind == kExprInteger) return result.number != 0 ? 1 : 0;
  }
  return -1;
}
