#include "mib/variable_ranges.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "language/status_codes.h"
#include "mib/translation.h"

namespace {

constexpr int32_t kWildcardMin = -1000000;
constexpr int32_t kWildcardMax = 1000000;

// A range with at most this many items looks for a repeated string among
// the items before; a longer one keeps its strings sorted.
constexpr size_t kFewItems = 16;

// False when the string item `item` repeats an earlier one of `range`.
// `strings` holds the strings so far of a long range, in order.
bool claimString(std::vector<std::string_view>& strings, const RangeDef& range,
                 const RangeItem& item) {
  const Text& text = item.from.value.text;
  if (range.items.size() <= kFewItems) {
    return std::none_of(&range.items.front(), &item, [&](const RangeItem& it) {
      return it.from.value.kind == kExprString && it.from.value.text == text;
    });
  }
  const auto place = std::lower_bound(strings.begin(), strings.end(), text);
  if (place != strings.end() && *place == text) return false;
  strings.insert(place, text);
  return true;
}

// Converts the items of one range version into `converted`, or only checks
// them when it is null; false at the first invalid one, which is reported.
bool convertItems(DiagnosticsList& diagnostics, const RangeDef& range,
                  MibRange* converted) {
  if (converted != nullptr) converted->entries.reserve(range.items.size());
  std::vector<std::string_view> strings;
  // The bound is strict, so the lowest 32-bit integer cannot start a range.
  int64_t previousMax = std::numeric_limits<int32_t>::min();
  for (const RangeItem& item : range.items) {
    const ExprValue& from = item.from.value;
    const ExprValue& to = item.to.value;
    // Only checked, an item is not copied: a copy of its text would touch
    // memory the check has no need of.
    if (from.kind == kExprString && claimString(strings, range, item)) {
      if (converted != nullptr) converted->entries.push_back({{from}, {}});
    } else if (from.kind == kExprName) {
      // The wildcard is no written range: a range after it that starts
      // within -1000000..1000000 is only refused when the ranges are merged.
      if (converted != nullptr) {
        converted->entries.push_back(
            {{integerValue(kWildcardMin)}, {integerValue(kWildcardMax)}});
        converted->isInteger = 1;
      }
    } else if (from.kind == kExprInteger && to.kind == kExprInteger &&
               from.number > previousMax && from.number <= to.number) {
      if (converted != nullptr) {
        converted->entries.push_back({{from}, {to}});
        converted->isInteger = 1;
      }
      previousMax = to.number;
    } else {
      addErrorAt(diagnostics, kInvalidRange, item.from.line, item.from.column,
                 range.sourceLines);
      return false;
    }
  }
  return true;
}

// Converts every range version of `param` into `variable`, or only checks
// them when it is null.
int convertRanges(DiagnosticsList& diagnostics, const ParamDef& param,
                  MibVariable* variable) {
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
      if (variable == nullptr) return 0;
      MibRange text;
      // The length was read as an unsigned number into the signed field.
      text.stringLength =
          MibStringLength{static_cast<uint32_t>(first.value.number),
                          range.items.front().to.value.text};
      variable->versionedRanges[version] = std::move(text);
      return 0;
    }
    if (variable == nullptr) {
      if (!convertItems(diagnostics, range, nullptr)) return kGeneratorFailed;
      continue;
    }
    MibRange converted;
    if (!convertItems(diagnostics, range, &converted)) return kGeneratorFailed;
    variable->versionedRanges[version] = std::move(converted);
  }
  return 0;
}

}  // namespace

bool rangesStartAtFirstVersion(const ParamDef& param) {
  return !param.ranges.empty() && param.ranges.begin()->first == param.version;
}

int buildVersionedRanges(DiagnosticsList& diagnostics, const ParamDef& param,
                         MibVariable& variable) {
  return convertRanges(diagnostics, param, &variable);
}

int checkVersionedRanges(DiagnosticsList& diagnostics, const ParamDef& param) {
  return convertRanges(diagnostics, param, nullptr);
}
