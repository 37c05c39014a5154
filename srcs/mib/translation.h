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

// sw::this == from gives `to`.
ValueTranslation valueTranslation(const ExprValue& from, const ExprValue& to);

// first <= sw::this && sw::this <= last gives sw::this + offset (sw::this
// alone when the offset is 0: the same value, without an addition to
// evaluate on every transaction).
ValueTranslation shiftTranslation(int32_t first, int32_t last, int32_t offset);

#endif  // OSTRAND_MIB_TRANSLATION_H_
