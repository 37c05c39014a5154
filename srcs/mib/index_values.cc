#include "mib/index_values.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

// The generators' literals are 32-bit, and a descending range can take
// the index number beyond them with few values. An index number in a
// condition is held at the nearer end, which compares with every number an
// index enumerates as the number itself does; wrapped, it could make the
// condition of an empty range hold.
int32_t bound(int64_t number) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(number, std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max()));
}

// An offset is added to a number its condition holds for, and the sum is
// one of the range's 32-bit values: wrapped as 32-bit arithmetic wraps,
// the offset still gives that sum.
int32_t offset(int64_t number) { return static_cast<int32_t>(number); }

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
          ? valueTranslation(integerValue(bound(first)), integerValue(min))
          : shiftTranslation(bound(first), bound(first + (int64_t{max} - min)),
                             offset(min - first)));
  values.next += int64_t{max} - min + 1;
}

void addString(VersionValues& values, const std::string& text) {
  std::string name = claimValueName(stringValueName(text), values.usedNames);
  values.texts[name] = text;
  values.names.push_back(std::move(name));
  values.translations.push_back(
      valueTranslation(integerValue(bound(values.next)), stringValue(text)));
  ++values.next;
}

// Adds the value(s) of one item; false when it cannot be an index value.
bool addItem(VersionValues& values, const RangeItem& item) {
  const ExprValue& from = item.from.value;
  const ExprValue& to = item.to.value;
  if (from.kind == kExprInteger) {
    // A range whose end is below its start is counted all the same: it has
    // no values, its translation holds for no number, and the index number
    // moves by max - min + 1, back by one for 5..3 and not at all for 4..3.
    // The values that follow are then numbered out of step with their
    // positions in the value list.
    if (to.kind != kExprInteger) return false;
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
