// The full forms of a numbered variable range, rebuilt from its numbering
// for the listings the tests compare: its entries, its translations either
// way, its value texts and its number offsets. The MIB keeps only the
// numbering (mib_model.h); nothing in the daemon or the tools reads these.

#ifndef OSTRAND_TESTS_MIB_RANGE_FORMS_H_
#define OSTRAND_TESTS_MIB_RANGE_FORMS_H_

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "mib/mib_model.h"
#include "mib/translation.h"

// Every numbered integer entry carries its maximum.
inline MibRangeEntry numberEntry(int32_t first, int32_t last) {
  return {{integerValue(first)}, {integerValue(last)}};
}

// One translation per step of `range`, from MIB number to the parameter's
// value (`toValue`) or back. A single integer is translated by an
// equality, an interval by shiftTranslation.
inline TranslationList numberingTranslations(const MibRange& range,
                                             bool toValue) {
  TranslationList list;
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

inline TranslationList indexToValue(const MibRange& range) {
  return numberingTranslations(range, true);
}

inline TranslationList valueToIndex(const MibRange& range) {
  return numberingTranslations(range, false);
}

// The entries of `range`: as defined, or made from its numbering. Numbered
// and enumerated: the strings. Integer, merged: one entry from the first
// MIB number to the last; translated form of a version: the version's MIB
// numbers in the order written, consecutive ones joined.
inline std::vector<MibRangeEntry> rangeEntries(const MibRange& range) {
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

// The texts of the strings of a range. Enumerated: value name to string.
// Integer: decimal MIB number to the string that number stands for.
inline std::map<std::string, std::string> valueTexts(const MibRange& range) {
  std::map<std::string, std::string> texts;
  for (const MibNumberingStep& step : range.numbering) {
    if (!step.isString) continue;
    texts[range.isInteger ? std::to_string(step.first) : step.name] =
        step.text;
  }
  return texts;
}

// MIB number interval (first, last) of each integer interval of a range to
// its offset, the MIB number minus the parameter's value.
inline std::map<std::pair<int32_t, int32_t>, int32_t> numberOffsets(
    const MibRange& range) {
  std::map<std::pair<int32_t, int32_t>, int32_t> offsets;
  for (const MibNumberingStep& step : range.numbering) {
    if (!step.isString) offsets[{step.first, step.last}] = step.first - step.min;
  }
  return offsets;
}

#endif  // OSTRAND_TESTS_MIB_RANGE_FORMS_H_
