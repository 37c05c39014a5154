// Building the rules the MIB generators store: expression elements written
// directly rather than read from a definition file, and translations made
// of them.

#ifndef OSTRAND_MIB_TRANSLATION_H_
#define OSTRAND_MIB_TRANSLATION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "expr/expr_value.h"
#include "mib/mib_model.h"

ExprValue integerValue(int32_t number);
ExprValue stringValue(const std::string& text);
ExprValue operatorValue(int32_t kind);
// The Name "sw::this": the value a translation or rule is applied to.
ExprValue thisValue();

// The translation whose condition and result are the infix lists given,
// stored in postfix form.
ValueTranslation makeTranslation(const std::vector<ExprValue>& condition,
                                 const std::vector<ExprValue>& result);

// c <= sw::this && sw::this <= last
std::vector<ExprValue> withinCondition(int32_t first, int32_t last);
// sw::this == value
std::vector<ExprValue> equalsCondition(const ExprValue& value);

#endif  // OSTRAND_MIB_TRANSLATION_H_
