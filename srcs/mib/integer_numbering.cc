#include "mib/integer_numbering.h"

#include <algorithm>
#include <limits>
#include <map>

#include "language/status_codes.h"
#include "mib/messages.h"

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
  numbered.reserve(items.size());
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
  range.numbering.push_back({first, last, min, false, {}, {}});
}

void addString(MibRange& range, const std::string& text, int32_t number) {
  range.numbering.push_back({number, number, 0, true, text, {}});
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

}  // namespace

int finishIntegerRange(MessageList& messages, const IntegerRun& run,
                       MibRange& merged, const std::string& prefix) {
  std::vector<NumberedItem> numbered;
  const int status = numberItems(messages, run, numbered, prefix);
  if (status != kStatusOk) return status;
  merged = MibRange{};
  merged.isInteger = 1;
  merged.spansRun = 1;
  size_t steps = 0;
  for (const NumberedItem& n : numbered) {
    steps += n.item->isStringRun() ? n.item->strings.size() : 1;
  }
  merged.numbering.reserve(steps);
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
  return kStatusOk;
}

int translateIntegerVersion(MessageList& messages, const IntegerRun& run,
                            const std::vector<RangeSegment>& segments,
                            MibRange& translated, const std::string& prefix) {
  std::vector<NumberedItem> numbered;
  const int status = numberItems(messages, run, numbered, prefix);
  if (status != kStatusOk) return status;
  translated = MibRange{};
  translated.isInteger = 1;
  size_t strings = 0;
  size_t ranges = 0;
  for (const RangeSegment& segment : segments) {
    strings += segment.strings.size();
    ranges += segment.hasRange ? 1 : 0;
  }
  translated.numbering.reserve(strings + ranges);
  // Looked up only for a version with strings, which most integer ones
  // have none of.
  const std::map<std::string, int64_t> numbers =
      strings != 0 ? stringNumbers(numbered) : std::map<std::string, int64_t>{};
  for (const RangeSegment& segment : segments) {
    for (const std::string& text : segment.strings) {
      auto number = numbers.find(text);
      if (number == numbers.end()) {
        addMessage(messages, prefix,
                   "Could not find versioned string in merged string list");
        return kGeneratorInconsistent;
      }
      addString(translated, text, static_cast<int32_t>(number->second));
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
  }
  return kStatusOk;
}
