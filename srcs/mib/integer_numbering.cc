#include "mib/integer_numbering.h"

#include <limits>
#include <map>

#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/translation.h"

namespace {

// The first MIB number of each item of a working list, in list order.
using FirstNumbers = std::vector<int64_t>;

// Integer ranges keep their values plus the shift of the strings before
// them; a string run takes the numbers after the integer range before it
// and pushes the later integers up by what does not fit into the gap; a
// leading string run takes the numbers just below the first integer range.
FirstNumbers numberItems(const std::list<WorkingItem>& items) {
  int64_t firstMin = 0;
  for (const WorkingItem& item : items) {
    if (!item.isStringRun()) {
      firstMin = item.min;
      break;
    }
  }
  FirstNumbers firsts;
  int64_t shift = 0;
  int64_t previousMax = firstMin - 1;
  for (auto item = items.begin(); item != items.end(); ++item) {
    if (!item->isStringRun()) {
      firsts.push_back(item->min + shift);
      previousMax = item->max;
      continue;
    }
    const int64_t strings = static_cast<int64_t>(item->strings.size());
    if (item == items.begin()) {
      firsts.push_back(firstMin - strings);
      continue;
    }
    firsts.push_back(previousMax + 1 + shift);
    auto next = std::next(item);
    if (next != items.end()) {
      const int64_t gap = next->min - previousMax - 1;
      if (gap < strings) shift += strings - gap;
    }
  }
  return firsts;
}

bool fits(int64_t number) {
  return number >= std::numeric_limits<int32_t>::min() &&
         number <= std::numeric_limits<int32_t>::max();
}

// Adds the integer range min..max numbered from `first` to `range`.
void addInteger(MibRange& range, int32_t min, int32_t max, int32_t first) {
  const int32_t last = static_cast<int32_t>(first + (int64_t{max} - min));
  if (min == max) {
    range.indexToValue.push_back(
        valueTranslation(integerValue(first), integerValue(min)));
    range.valueToIndex.push_back(
        valueTranslation(integerValue(min), integerValue(first)));
  } else {
    range.indexToValue.push_back(shiftTranslation(first, last, min - first));
    range.valueToIndex.push_back(shiftTranslation(min, max, first - min));
  }
  range.numberOffsets[{first, last}] = first - min;
}

void addString(MibRange& range, const std::string& text, int32_t number) {
  range.indexToValue.push_back(
      valueTranslation(integerValue(number), stringValue(text)));
  range.valueToIndex.push_back(
      valueTranslation(stringValue(text), integerValue(number)));
  range.valueTexts[std::to_string(number)] = text;
}

// Every entry carries its maximum, also for a single number, so that the
// translated entries can always be joined.
MibRangeEntry numberEntry(int64_t first, int64_t last) {
  return {{integerValue(static_cast<int32_t>(first))},
          {integerValue(static_cast<int32_t>(last))}};
}

// The MIB numbers the strings of the run stand for. A string is placed
// once in a run (placing it again is refused as used), so a version's
// string is found by its text wherever its string run now stands.
std::map<std::string, int64_t> stringNumbers(const IntegerRun& run,
                                             const FirstNumbers& firsts) {
  std::map<std::string, int64_t> numbers;
  size_t i = 0;
  for (const WorkingItem& item : run.items) {
    for (size_t k = 0; k < item.strings.size(); ++k) {
      numbers[item.strings[k]] = firsts[i] + static_cast<int64_t>(k);
    }
    ++i;
  }
  return numbers;
}

// Checks that every number of the run is a 32-bit integer.
int checkNumbers(MessageList& messages, const IntegerRun& run,
                 const FirstNumbers& firsts, const std::string& prefix) {
  size_t i = 0;
  for (const WorkingItem& item : run.items) {
    const int64_t size = item.isStringRun()
                             ? static_cast<int64_t>(item.strings.size())
                             : int64_t{item.max} - item.min + 1;
    if (!fits(firsts[i]) || !fits(firsts[i] + size - 1)) {
      addMessage(messages, prefix, "Invalid expression");
      return kGeneratorInconsistent;
    }
    ++i;
  }
  return kStatusOk;
}

// The MIB number intervals of a version, in its order, consecutive ones
// joined.
struct Intervals {
  std::vector<std::pair<int64_t, int64_t>> list;

  void add(int64_t first, int64_t last) {
    if (!list.empty() && first == list.back().second + 1) {
      list.back().second = last;
    } else {
      list.emplace_back(first, last);
    }
  }
};

}  // namespace

int finishIntegerRange(MessageList& messages, const IntegerRun& run,
                       MibRange& merged, const std::string& prefix) {
  const FirstNumbers firsts = numberItems(run.items);
  const int status = checkNumbers(messages, run, firsts, prefix);
  if (status != kStatusOk) return status;
  merged = MibRange{};
  merged.isInteger = 1;
  size_t i = 0;
  int64_t last = 0;
  for (const WorkingItem& item : run.items) {
    const int32_t first = static_cast<int32_t>(firsts[i++]);
    if (item.isStringRun()) {
      for (size_t k = 0; k < item.strings.size(); ++k) {
        addString(merged, item.strings[k], first + static_cast<int32_t>(k));
      }
      last = first + static_cast<int64_t>(item.strings.size()) - 1;
    } else {
      addInteger(merged, item.min, item.max, first);
      last = first + (int64_t{item.max} - item.min);
    }
  }
  if (!firsts.empty()) merged.entries.push_back(numberEntry(firsts[0], last));
  return kStatusOk;
}

int translateIntegerVersion(MessageList& messages, const IntegerRun& run,
                            const std::vector<RangeSegment>& segments,
                            MibRange& translated, const std::string& prefix) {
  const FirstNumbers firsts = numberItems(run.items);
  const int status = checkNumbers(messages, run, firsts, prefix);
  if (status != kStatusOk) return status;
  const std::map<std::string, int64_t> numbers = stringNumbers(run, firsts);
  translated = MibRange{};
  translated.isInteger = 1;
  Intervals intervals;
  for (const RangeSegment& segment : segments) {
    for (const std::string& text : segment.strings) {
      auto number = numbers.find(text);
      if (number == numbers.end()) {
        addMessage(messages, prefix,
                   "Could not find versioned string in merged string list");
        return kGeneratorInconsistent;
      }
      addString(translated, text, static_cast<int32_t>(number->second));
      intervals.add(number->second, number->second);
    }
    if (!segment.hasRange) continue;
    size_t i = 0;
    auto item = run.items.begin();
    for (; item != run.items.end(); ++item, ++i) {
      if (!item->isStringRun() && item->min <= segment.min &&
          segment.max <= item->max) {
        break;
      }
    }
    if (item == run.items.end()) {
      addMessage(messages, prefix,
                 "Could not find merged range entry that matches versioned "
                 "range entry");
      return kGeneratorInconsistent;
    }
    const int64_t first = firsts[i] + (int64_t{segment.min} - item->min);
    addInteger(translated, segment.min, segment.max,
               static_cast<int32_t>(first));
    intervals.add(first, first + (int64_t{segment.max} - segment.min));
  }
  for (const auto& [first, last] : intervals.list) {
    translated.entries.push_back(numberEntry(first, last));
  }
  return kStatusOk;
}
