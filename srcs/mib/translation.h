// Building the rules the MIB generators store: expression elements written
// directly rather than read from a definition file, and translations made
// of them.

#ifndef OSTRAND_MIB_TRANSLATION_H_
#define OSTRAND_MIB_TRANSLATION_H_

#include <cstdint>
#include <map>
#include <string>
#include <utility>
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

// The entries of `range`: as defined, or made from its numbering. Numbered
// and enumerated: the strings. Integer, merged: one entry from the first
// MIB number to the last; translated form of a version: the version's MIB
// numbers in the order written, consecutive ones joined. Every numbered
// integer entry carries its maximum, also for a single number.
std::vector<MibRangeEntry> rangeEntries(const MibRange& range);

// The translations of a merged or translated variable range, one per step
// of its numbering in order: MIB number to the parameter's value, and the
// parameter's value to MIB number. A single integer is translated by an
// equality, an interval by shiftTranslation.
TranslationList indexToValue(const MibRange& range);
TranslationList valueToIndex(const MibRange& range);

// The texts of the strings of a variable range. Enumerated: value name to
// string. Integer: decimal MIB number to the string that number stands for.
std::map<std::string, std::string> valueTexts(const MibRange& range);

// MIB number interval (first, last) of each integer interval of a variable
// range to its offset, the MIB number minus the parameter's value.
std::map<std::pair<int32_t, int32_t>, int32_t> numberOffsets(
    const MibRange& range);

#endif  // OSTRAND_MIB_TRANSLATION_H_
