#include "mib/variable_ranges.h"

#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "language/status_codes.h"
#include "mib/translation.h"

namespace {

constexpr int32_t kWildcardMin = -1000000;
constexpr int32_t kWildcardMax = 1000000;

// Converts the items of one range version; false at the first invalid one,
// which is reported.
bool convertItems(DiagnosticsList& diagnostics, const RangeDef& range,
                  MibRange& converted) {
  converted.entries.reserve(range.items.size());
  std::set<std::string_view> strings;
  // The bound is strict, so the lowest 32-bit integer cannot start a range.
  int64_t previousMax = std::numeric_limits<int32_t>::min();
  for (const RangeItem& item : range.items) {
    const ExprValue& from = item.from.value;
    const ExprValue& to = item.to.value;
    if (from.kind == kExprString && strings.insert(from.text.view()).second) {
      converted.entries.push_back({{from}, {}});
    } else if (from.kind == kExprName) {
      // The wildcard is no written range: a range after it that starts
      // within -1000000..1000000 is only refused when the ranges are merged.
      converted.entries.push_back(
          {{integerValue(kWildcardMin)}, {integerValue(kWildcardMax)}});
      converted.isInteger = 1;
    } else if (from.kind == kExprInteger && to.kind == kExprInteger &&
               from.number > previousMax && from.number <= to.number) {
      converted.entries.push_back({{from}, {to}});
      converted.isInteger = 1;
      previousMax = to.number;
    } else {
      addErrorAt(diagnostics, kInvalidRange, item.from.line, item.from.column,
                 range.sourceLines);
      return false;
    }
  }
  return true;
}

}  // namespace

bool rangesStartAtFirstVersion(const ParamDef& param) {
  return !param.ranges.empty() && param.ranges.begin()->first == param.version;
}

int buildVersionedRanges(DiagnosticsList& diagnostics, const ParamDef& param,
                         MibVariable& variable) {
  if (!rangesStartAtFirstVersion(param)) return kGeneratorInconsistent;
  for (const auto& [version, range] : param.ranges) {
    if (range.items.empty()) return kGeneratorInconsistent;
    const ExprToken& first = range.items.front().from;
    if (first.value.kind == kRangeStringLength) {
      if (param.ranges.size() != 1) {
        addErrorAt(diagnostics, kRangeKindChanged, first.line, first.column,
                   range.sourceLines);
        return kGeneratorFailed;
      }
      MibRange text;
      // The length was read as an unsigned number into the signed field.
      text.stringLength = MibStringLength{
          static_cast<uint32_t>(first.value.number), range.items.front().to.value.text};
      variable.versionedRanges[version] = std::move(text);
      return 0;
    }
    MibRange converted;
    if (!convertItems(diagnostics, range, converted)) return kGeneratorFailed;
    variable.versionedRanges[version] = std::move(converted);
  }
  return 0;
}
