#include "mib/integer_numbering.h"

#include <algorithm>
#include <limits>
#include <map>

#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/translation.h"

namespace {

// An item of the working list with the MIB numbers it takes.
struct NumberedItem {
  const WorkingItem* item;
  int64_t first;
  int64_t last;
};

bool fits(int64_t number) {
  return number >= std::numeric_limits<int32_t>::min() &&
         number <= std::numeric_limits<int32_t>::max();
}

// Integer ranges keep their values plus the shift of the strings before
// them; a string run takes the numbers after the integer range before it
// and pushes the later integers up by what does not fit into the gap; a
// leading string run takes the numbers just below the first integer range.
// Returns -2 with "Invalid expression" when a number falls outside 32 bits.
int numberItems(MessageList& messages, const IntegerRun& run,
                std::vector<NumberedItem>& numbered,
                const std::string& prefix) {
  const std::list<WorkingItem>& items = run.items;
  int64_t firstMin = 0;
  for (const WorkingItem& item : items) {
    if (!item.isStringRun()) {
      firstMin = item.min;
      break;
    }
  }
  int64_t shift = 0;
  int64_t previousMax = firstMin - 1;
  for (auto item = items.begin(); item != items.end(); ++item) {
    int64_t first = 0;
    const int64_t strings = static_cast<int64_t>(item->strings.size());
    if (!item->isStringRun()) {
      first = item->min + shift;
      previousMax = item->max;
    } else if (item == items.begin()) {
      first = firstMin - strings;
    } else {
      first = previousMax + 1 + shift;
      auto next = std::next(item);
      if (next != items.end()) {
        const int64_t gap = next->min - previousMax - 1;
        if (gap < strings) shift += strings - gap;
      }
    }
    const int64_t last = item->isStringRun()
                             ? first + strings - 1
                             : first + (int64_t{item->max} - item->min);
    if (!fits(first) || !fits(last)) {
      addMessage(messages, prefix, "Invalid expression");
      return kGeneratorInconsistent;
    }
    numbered.push_back({&*item, first, last});
  }
  return kStatusOk;
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
std::map<std::string, int64_t> stringNumbers(
    const std::vector<NumberedItem>& numbered) {
  std::map<std::string, int64_t> numbers;
  for (const NumberedItem& n : numbered) {
    for (size_t k = 0; k < n.item->strings.size(); ++k) {
      numbers[n.item->strings[k]] = n.first + static_cast<int64_t>(k);
    }
  }
  return numbers;
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
  std::vector<NumberedItem> numbered;
  const int status = numberItems(messages, run, numbered, prefix);
  if (status != kStatusOk) return status;
  merged = MibRange{};
  merged.isInteger = 1;
  for (const NumberedItem& n : numbered) {
    const int32_t first = static_cast<int32_t>(n.first);
    if (n.item->isStringRun()) {
      for (size_t k = 0; k < n.item->strings.size(); ++k) {
        addString(merged, n.item->strings[k], first + static_cast<int32_t>(k));
      }
    } else {
      addInteger(merged, n.item->min, n.item->max, first);
    }
  }
  if (!numbered.empty()) {
    merged.entries.push_back(
        numberEntry(numbered.front().first, numbered.back().last));
  }
  return kStatusOk;
}

int translateIntegerVersion(MessageList& messages, const IntegerRun& run,
                            const std::vector<RangeSegment>& segments,
                            MibRange& translated, const std::string& prefix) {
  std::vector<NumberedItem> numbered;
  const int status = numberItems(messages, run, numbered, prefix);
  if (status != kStatusOk) return status;
  const std::map<std::string, int64_t> numbers = stringNumbers(numbered);
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
    auto covering = std::find_if(
        numbered.begin(), numbered.end(), [&](const NumberedItem& n) {
          return !n.item->isStringRun() && n.item->min <= segment.min &&
                 segment.max <= n.item->max;
        });
    if (covering == numbered.end()) {
      addMessage(messages, prefix,
                 "Could not find merged range entry that matches versioned "
                 "range entry");
      return kGeneratorInconsistent;
    }
    const int64_t first =
        covering->first + (int64_t{segment.min} - covering->item->min);
    addInteger(translated, segment.min, segment.max,
               static_cast<int32_t>(first));
    intervals.add(first, first + (int64_t{segment.max} - segment.min));
  }
  for (const auto& [first, last] : intervals.list) {
    translated.entries.push_back(numberEntry(first, last));
  }
  return kStatusOk;
}
