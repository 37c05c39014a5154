#include "mib/index_values.h"

#include <cstdint>
#include <set>

#include "language/status_codes.h"
#include "mib/translation.h"
#include "mib/value_names.h"
#include "mib/variable_ranges.h"

namespace {

// The values of one version as they are enumerated.
struct VersionValues {
  const std::string& paramName;
  std::vector<std::string>& names;
  std::map<std::string, std::string>& texts;
  TranslationList& translations;
  std::set<std::string> usedNames;
  std::set<std::string> strings;
  int64_t next = 0;  // the index number of the next value
};

// The generators' literals are 32-bit; past the limit they are never used.
int32_t literal(int64_t number) { return static_cast<int32_t>(number); }

void addIntegerRange(VersionValues& values, int32_t min, int32_t max) {
  const int64_t first = values.next;
  for (int64_t n = min; n <= max && values.names.size() <= kIndexValueLimit;
       ++n) {
    std::string name =
        claimValueName(integerValueName(values.paramName, n), values.usedNames);
    values.texts[name] = std::to_string(n);
    values.names.push_back(std::move(name));
  }
  values.translations.push_back(
      min == max
          ? valueTranslation(integerValue(literal(first)), integerValue(min))
          : shiftTranslation(literal(first),
                             literal(first + (int64_t{max} - min)),
                             literal(min - first)));
  values.next += int64_t{max} - min + 1;
}

void addString(VersionValues& values, const std::string& text) {
  std::string name = claimValueName(stringValueName(text), values.usedNames);
  values.texts[name] = text;
  values.names.push_back(std::move(name));
  values.translations.push_back(
      valueTranslation(integerValue(literal(values.next)), stringValue(text)));
  ++values.next;
}

// Adds the value(s) of one item; false when it cannot be an index value.
bool addItem(VersionValues& values, const RangeItem& item) {
  const ExprValue& from = item.from.value;
  const ExprValue& to = item.to.value;
  if (from.kind == kExprInteger) {
    // A range whose end is below its start has no values, and counting it
    // would number the following values out of step with their positions.
    if (to.kind != kExprInteger || to.number < from.number) return false;
    addIntegerRange(values, from.number, to.number);
    return true;
  }
  if (from.kind == kExprString && values.strings.insert(from.text).second) {
    addString(values, from.text);
    return true;
  }
  return false;
}

}  // namespace

int enumerateIndexValues(DiagnosticsList& diagnostics,
                         const std::string& paramName, const ParamDef& param,
                         MibIndex& index) {
  if (!rangesStartAtFirstVersion(param)) return kGeneratorInconsistent;
  int status = kStatusOk;
  for (const auto& [version, range] : param.ranges) {
    if (range.items.empty()) return kGeneratorInconsistent;
    std::vector<TranslationList>& components = index.indexToValue[version];
    if (components.empty()) components.resize(1);
    VersionValues values{paramName,
                         index.valueNames[version],
                         index.valueTexts[version][paramName],
                         components[0],
                         {},
                         {},
                         0};
    for (const RangeItem& item : range.items) {
      if (addItem(values, item)) continue;
      addErrorAt(diagnostics, kInvalidRange, item.from.line, item.from.column,
                 range.sourceLines);
      status = kGeneratorFailed;
    }
  }
  return status;
}
