#include "traps/trap_instances.h"

#include <algorithm>
#include <iterator>

#include "expr/evaluate.h"
#include "expr/postfix.h"

namespace {

// The definition stores one split expression per component of a combined
// index, (sw::this / m) % sk, rather than a list of rules: evaluated with
// sw::this = the merged index number, its Integer result is the
// component's index number.
TrapIndexValues splitValues(
    uint32_t number, const std::vector<std::vector<ExprValue>>& splitters,
    const std::vector<TranslationList>& translations) {
  TrapIndexValues values;
  const ValueMap merged = {{kThisName, std::to_string(number)}};
  const size_t components = std::min(splitters.size(), translations.size());
  for (size_t k = 0; k < components; ++k) {
    ExprValue component;
    evaluate(splitters[k], &component, merged);
    if (component.kind != kExprInteger) continue;
    values.push_back(translateValue(
        translations[k], {{kThisName, std::to_string(component.number)}}));
  }
  return values;
}

}  // namespace

std::string translateValue(const TranslationList& translations,
                           const ValueMap& values) {
  for (const ValueTranslation& translation : translations) {
    if (evaluate(translation.condition, nullptr, values) == 0) continue;
    ExprValue result;
    evaluate(translation.result, &result, values);
    if (result.kind == kExprInteger) return std::to_string(result.number);
    if (result.kind == kExprString) return result.text;
  }
  return "";
}

bool enumerateIndex(const MibIndex& index, int32_t version,
                    std::vector<TrapIndexValues>& values) {
  values.clear();
  // A simple index has no split expressions at all.
  std::vector<std::vector<ExprValue>> splitters;
  if (!index.mergedSplitters.empty()) {
    const auto& last = *index.mergedSplitters.rbegin();
    if (last.first > version) return false;
    for (const std::vector<ExprValue>& infix : last.second) {
      toPostfix(splitters.emplace_back(), infix);
    }
  }
  if (index.indexToValue.empty() || index.mergedValueNames.empty()) {
    return false;
  }
  const std::vector<TranslationList>& translations =
      index.indexToValue.rbegin()->second;
  const auto& names = *index.mergedValueNames.rbegin();
  if (names.first > version) return false;

  values.reserve(names.second.size());
  // One map for every number: its one entry only changes its value.
  ValueMap self = {{kThisName, ""}};
  std::string& selfValue = self.begin()->second;
  for (uint32_t number = 0; number < names.second.size(); ++number) {
    if (translations.empty()) {
      values.emplace_back();
    } else if (index.mergedSplitters.empty()) {
      selfValue = std::to_string(number);
      values.push_back({translateValue(translations.back(), self)});
    } else {
      values.push_back(splitValues(number, splitters, translations));
    }
  }
  return true;
}
