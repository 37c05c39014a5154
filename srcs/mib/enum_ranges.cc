#include "mib/enum_ranges.h"

#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/value_names.h"

namespace {

// The message for the first entry of `versioned` that is no string, or
// null.
const char* invalidEntry(const MibRange& versioned) {
  if (versioned.isInteger)
    return "Trying to use enum logic to merge integer range";
  if (versioned.entries.empty()) return "Trying to merge empty string range";
  for (const MibRangeEntry& entry : versioned.entries) {
    if (entry.min.size() != 1) return "Invalid string range min value";
    if (!entry.max.empty()) return "Invalid string range max value";
    if (entry.min[0].kind != kExprString) {
      return "Invalid string range min value definition";
    }
  }
  return nullptr;
}

void addString(MibRange& range, const std::string& text,
               const EnumState::Placed& placed) {
  range.numbering.push_back(
      {placed.number, placed.number, 0, true, text, placed.name});
}

}  // namespace

int mergeEnumRange(MessageList& messages, EnumState& state, MibRange& merged,
                   const MibRange& versioned, MibRange& translated,
                   const std::string& prefix) {
  if (const char* problem = invalidEntry(versioned)) {
    addMessage(messages, prefix, "%s", problem);
    return kGeneratorInconsistent;
  }
  translated = MibRange{};
  for (const MibRangeEntry& entry : versioned.entries) {
    const std::string& text = entry.min[0].text;
    auto known = state.strings.find(text);
    if (known == state.strings.end()) {
      EnumState::Placed placed{
          static_cast<int32_t>(merged.numbering.size()),
          claimValueName(stringValueName(text), state.usedNames)};
      addString(merged, text, placed);
      known = state.strings.emplace(text, std::move(placed)).first;
    }
    addString(translated, text, known->second);
  }
  return kStatusOk;
}
