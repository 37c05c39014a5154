#include "mib/integer_ranges.h"

#include <algorithm>
#include <optional>

#include "language/status_codes.h"
#include "mib/messages.h"

namespace {

using Item = std::list<WorkingItem>::iterator;

constexpr int kIncompatible = 1;

// Splits `versioned` into segments; the message for what is malformed, or
// null.
const char* readSegments(const MibRange& versioned,
                         std::vector<RangeSegment>& segments) {
  if (!versioned.isInteger) {
    return "Trying to use integer logic to merge string range";
  }
  if (versioned.entries.empty()) return "Trying to merge empty integer range";
  RangeSegment current;
  std::optional<int32_t> previousMax;
  for (const MibRangeEntry& entry : versioned.entries) {
    if (entry.min.size() != 1) return "Invalid integer range min value";
    const ExprValue& min = entry.min[0];
    if (min.kind == kExprString) {
      if (!entry.max.empty()) return "Invalid integer range max value";
      current.strings.push_back(min.text);
      continue;
    }
    if (min.kind != kExprInteger) {
      return "Invalid integer range min value definition";
    }
    if (entry.max.size() > 1) return "Invalid integer range max value";
    if (entry.max.size() == 1 && entry.max[0].kind != kExprInteger) {
      return "Invalid integer range max value definition";
    }
    // Also refuses a range after the wildcard (-1000000..1000000) that
    // starts within it.
    if (previousMax && min.number <= *previousMax) {
      return "Adjacent integer ranges did not have incrementing values";
    }
    current.hasRange = true;
    current.min = min.number;
    current.max = entry.max.empty() ? min.number : entry.max[0].number;
    previousMax = current.max;
    segments.push_back(std::move(current));
    current = RangeSegment{};
  }
  if (!current.strings.empty()) segments.push_back(std::move(current));
  return nullptr;
}

bool anyUsed(const IntegerRun& run, const std::vector<std::string>& strings) {
  return std::any_of(strings.begin(), strings.end(), [&](const auto& text) {
    return run.usedStrings.count(text) != 0;
  });
}

void addStringRun(IntegerRun& run, Item before,
                  const std::vector<std::string>& strings) {
  run.items.insert(before, WorkingItem{0, 0, strings});
  run.usedStrings.insert(strings.begin(), strings.end());
}

// Merges `strings` into the string run `into`: strings it holds must come
// in its order; new ones join it at the end, at most `room` of them
// (unlimited when negative). A leading run, whose numbers count down from
// the first integer range, is merged from the last string backwards and
// grows at the front instead, so its strings keep their numbers. False
// when the strings cannot be merged.
bool mergeStrings(IntegerRun& run, std::vector<std::string>& into,
                  const std::vector<std::string>& strings, int64_t room,
                  bool leading) {
  // Positions count from the end that does not grow.
  int64_t previous = -1;
  int64_t added = 0;
  for (size_t i = 0; i < strings.size(); ++i) {
    const std::string& text = strings[leading ? strings.size() - 1 - i : i];
    auto found = std::find(into.begin(), into.end(), text);
    if (found != into.end()) {
      const int64_t position =
          leading ? into.end() - found - 1 : found - into.begin();
      if (position <= previous) return false;
      previous = position;
      continue;
    }
    if (run.usedStrings.count(text) != 0) return false;
    if (room >= 0 && ++added > room) return false;
    into.insert(leading ? into.begin() : into.end(), text);
    run.usedStrings.insert(text);
  }
  return true;
}

// Appends `segment` after the last item, a touching integer range joining
// the last integer range.
bool appendSegment(IntegerRun& run, const RangeSegment& segment) {
  std::list<WorkingItem>& items = run.items;
  if (!segment.strings.empty()) {
    if (items.empty()) {
      addStringRun(run, items.end(), segment.strings);
    } else if (items.back().isStringRun()) {
      if (!mergeStrings(run, items.back().strings, segment.strings, -1,
                        false)) {
        return false;
      }
    } else {
      if (anyUsed(run, segment.strings)) return false;
      addStringRun(run, items.end(), segment.strings);
    }
  }
  if (!segment.hasRange) return true;
  if (segment.strings.empty() && !items.empty() &&
      !items.back().isStringRun() &&
      int64_t{segment.min} - 1 <= items.back().max) {
    items.back().max = std::max(items.back().max, segment.max);
    return true;
  }
  items.push_back(WorkingItem{segment.min, segment.max, {}});
  return true;
}

// The integer item that holds `value`, or the end.
Item findHolding(std::list<WorkingItem>& items, int64_t value) {
  return std::find_if(items.begin(), items.end(), [value](const auto& item) {
    return !item.isStringRun() && item.min <= value && value <= item.max;
  });
}

// The integer item that holds `value`, else the first above it.
Item findPosition(std::list<WorkingItem>& items, int64_t value) {
  const Item holding = findHolding(items, value);
  if (holding != items.end()) return holding;
  return std::find_if(items.begin(), items.end(), [value](const auto& item) {
    return !item.isStringRun() && item.min > value;
  });
}

int64_t count(const WorkingItem& item) {
  return static_cast<int64_t>(item.strings.size());
}

// Places the strings a later version writes before its range a..b, which
// belongs at `position`; `gap` is the version's own gap before a, -1 for
// its first range.
bool placeStrings(IntegerRun& run, Item position, const RangeSegment& segment,
                  int64_t gap) {
  const std::vector<std::string>& strings = segment.strings;
  if (position == run.items.begin()) {
    if (anyUsed(run, strings)) return false;
    addStringRun(run, position, strings);
    return true;
  }
  const Item before = std::prev(position);
  const int64_t a = segment.min;
  if (gap >= 0 && a - position->min > gap) return false;
  if (before->isStringRun()) {
    if (before == run.items.begin()) {
      return mergeStrings(run, before->strings, strings, -1, true);
    }
    const int64_t room = std::min<int64_t>(a, position->min) -
                         std::prev(before)->max - count(*before) - 1;
    return mergeStrings(run, before->strings, strings,
                        std::max<int64_t>(room, 0), false);
  }
  if (anyUsed(run, strings)) return false;
  const int64_t next = a < position->min ? a : position->min;
  const int64_t free = next - before->max - 1;
  if (free < 0 || static_cast<int64_t>(strings.size()) > free) return false;
  addStringRun(run, position, strings);
  return true;
}

// Places the range a..b of a later version, which belongs at `position`:
// inserted as a new integer item or joined with the items it touches, as
// long as no string run numbered between them would have to move.
bool placeRange(IntegerRun& run, Item position, int64_t a, int64_t b) {
  Item at = position;
  if (a < position->min && position != run.items.begin()) {
    const Item before = std::prev(position);
    if (before->isStringRun() && before != run.items.begin()) {
      if (a - std::prev(before)->max - count(*before) - 1 < 0) return false;
    } else if (before->isStringRun()) {
      // The leading strings will follow a..b: they keep their numbers only
      // if they fill the gap up to the range after them exactly.
      if (count(*before) + b + 1 != position->min) return false;
      at = before;
    } else if (a <= int64_t{before->max} + 1) {
      at = before;
    }
  }
  if (at->isStringRun() || at->min > b + 1) {
    run.items.insert(
        at, WorkingItem{static_cast<int32_t>(a), static_cast<int32_t>(b), {}});
    return true;
  }
  int64_t max = std::max<int64_t>(b, at->max);
  Item end = std::next(at);
  if (b > at->max) {
    for (; end != run.items.end(); ++end) {
      // The strings' numbers follow the integers before them directly.
      if (end->isStringRun()) return false;
      if (end->min - 1 > b) break;
      max = std::max<int64_t>(max, end->max);
    }
  }
  at->min = static_cast<int32_t>(std::min<int64_t>(a, at->min));
  at->max = static_cast<int32_t>(max);
  run.items.erase(std::next(at), end);
  return true;
}

// Places the strings a later version writes after its last range, which
// starts at `lastMin`. Each is looked for in the string runs after that
// range, in order from the previous one found; the others are appended.
// Searching on past a string that is not found lets a version write a new
// string before ones already placed: appended again, a string placed in an
// earlier string run would be refused as used and start a new run.
int placeTrailing(MessageList& messages, IntegerRun& run,
                  const std::vector<std::string>& strings,
                  std::optional<int32_t> lastMin, const std::string& prefix) {
  const Item range =
      lastMin ? findHolding(run.items, *lastMin) : run.items.end();
  if (range == run.items.end()) {
    addMessage(messages, prefix,
               "Could not find previously inserted integer range");
    return kGeneratorInconsistent;
  }
  std::vector<std::string> placed;
  for (Item item = std::next(range); item != run.items.end(); ++item) {
    placed.insert(placed.end(), item->strings.begin(), item->strings.end());
  }
  RangeSegment rest;
  auto from = placed.begin();
  for (const std::string& text : strings) {
    auto found = std::find(from, placed.end(), text);
    if (found == placed.end()) {
      rest.strings.push_back(text);
    } else {
      from = std::next(found);
    }
  }
  return appendSegment(run, rest) ? kStatusOk : kIncompatible;
}

int mergeLaterVersion(MessageList& messages, IntegerRun& run,
                      const std::vector<RangeSegment>& segments,
                      const std::string& prefix) {
  std::optional<int32_t> lastMin;
  int64_t previousMax = 0;
  for (const RangeSegment& segment : segments) {
    if (!segment.hasRange) {
      return placeTrailing(messages, run, segment.strings, lastMin, prefix);
    }
    const int64_t gap = lastMin ? segment.min - previousMax - 1 : -1;
    const Item position = findPosition(run.items, segment.min);
    if (position == run.items.end()) {
      if (!appendSegment(run, segment)) return kIncompatible;
    } else if ((!segment.strings.empty() &&
                !placeStrings(run, position, segment, gap)) ||
               !placeRange(run, position, segment.min, segment.max)) {
      return kIncompatible;
    }
    lastMin = segment.min;
    previousMax = segment.max;
  }
  return kStatusOk;
}

}  // namespace

int mergeIntegerRange(MessageList& messages, IntegerRun& run,
                      const MibRange& versioned,
                      std::vector<RangeSegment>& segments,
                      const std::string& prefix) {
  segments.clear();
  if (const char* problem = readSegments(versioned, segments)) {
    addMessage(messages, prefix, "%s", problem);
    return kGeneratorInconsistent;
  }
  if (run.items.empty()) {
    for (const RangeSegment& segment : segments) {
      if (appendSegment(run, segment)) continue;
      addMessage(messages, prefix, "Could not merge string range to end");
      run = IntegerRun{};
      return kGeneratorInconsistent;
    }
    return kStatusOk;
  }
  // A refused first version leaves the run empty again; only a later one
  // needs a copy of the run to go back to.
  const IntegerRun before = run;
  const int status = mergeLaterVersion(messages, run, segments, prefix);
  if (status != kStatusOk) run = before;
  return status;
}
