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

namespace {

// Every numbered integer entry carries its maximum.
MibRangeEntry numberEntry(int32_t first, int32_t last) {
  return {{integerValue(first)}, {integerValue(last)}};
}

// One translation per step of `range`, from MIB number to the parameter's
// value (`toValue`) or back.
TranslationList translations(const MibRange& range, bool toValue) {
  TranslationList list;
  list.reserve(range.numbering.size());
  for (const MibNumberingStep& step : range.numbering) {
    if (step.isString || step.first == step.last) {
      const ExprValue number = integerValue(step.first);
      const ExprValue value =
          step.isString ? stringValue(step.text) : integerValue(step.min);
      list.push_back(toValue ? valueTranslation(number, value)
                             : valueTranslation(value, number));
      continue;
    }
    const int32_t max =
        static_cast<int32_t>(step.min + (int64_t{step.last} - step.first));
    list.push_back(
        toValue ? shiftTranslation(step.first, step.last, step.min - step.first)
                : shiftTranslation(step.min, max, step.first - step.min));
  }
  return list;
}

}  // namespace

std::vector<MibRangeEntry> rangeEntries(const MibRange& range) {
  const std::vector<MibNumberingStep>& steps = range.numbering;
  if (steps.empty()) return range.entries;
  std::vector<MibRangeEntry> entries;
  if (!range.isInteger) {
    for (const MibNumberingStep& step : steps) {
      entries.push_back({{stringValue(step.text)}, {}});
    }
  } else if (range.spansRun) {
    entries.push_back(numberEntry(steps.front().first, steps.back().last));
  } else {
    int64_t first = steps.front().first;
    int64_t last = steps.front().last;
    for (size_t i = 1; i < steps.size(); ++i) {
      if (steps[i].first != last + 1) {
        entries.push_back(numberEntry(static_cast<int32_t>(first),
                                      static_cast<int32_t>(last)));
        first = steps[i].first;
      }
      last = steps[i].last;
    }
    entries.push_back(
        numberEntry(static_cast<int32_t>(first), static_cast<int32_t>(last)));
  }
  return entries;
}

TranslationList indexToValue(const MibRange& range) {
  return translations(range, true);
}

TranslationList valueToIndex(const MibRange& range) {
  return translations(range, false);
}

std::map<std::string, std::string> valueTexts(const MibRange& range) {
  std::map<std::string, std::string> texts;
  for (const MibNumberingStep& step : range.numbering) {
    if (!step.isString) continue;
    texts[range.isInteger ? std::to_string(step.first) : step.name] =
        step.text;
  }
  return texts;
}

std::map<std::pair<int32_t, int32_t>, int32_t> numberOffsets(
    const MibRange& range) {
  std::map<std::pair<int32_t, int32_t>, int32_t> offsets;
  for (const MibNumberingStep& step : range.numbering) {
    if (!step.isString) offsets[{step.first, step.last}] = step.first - step.min;
  }
  return offsets;
}
