#include "expr/text.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <ostream>
#include <stdexcept>
#include <vector>

// The interned texts by content: open addressing with linear probing. Each
// slot keeps the text's hash beside it, so that a probe reads the text
// itself only when the hashes agree, and finds both in one cache line. A
// text leaves the table when its last reference goes, so the table holds
// the texts in use and no reference of its own.
class Text::InternTable {
 public:
  static InternTable& instance() {
    // Never destroyed: a static Text may outlive every other static.
    static InternTable* table = new InternTable;
    return *table;
  }

  // The interned text equal to `text`, or null. `at` receives its slot, or
  // the free slot where it belongs, and `hash` its hash, for add().
  char* find(std::string_view text, size_t& at, uint32_t& hash) {
    if ((count_ + 1) * 4 > slots_.size() * 3) grow();
    hash = hashOf(text);
    for (at = hash & mask(); slots_[at].chars != nullptr;
         at = (at + 1) & mask()) {
      if (slots_[at].hash == hash && viewOf(slots_[at].chars) == text) {
        return slots_[at].chars;
      }
    }
    return nullptr;
  }

  void add(size_t at, uint32_t hash, char* chars) {
    slots_[at] = {chars, hash};
    ++count_;
  }

  // Takes out `chars` and moves up the entries behind it that would no
  // longer be found past the gap.
  void remove(const char* chars) {
    size_t gap = hashOf(viewOf(chars)) & mask();
    while (slots_[gap].chars != chars) gap = (gap + 1) & mask();
    slots_[gap] = {};
    --count_;
    for (size_t at = (gap + 1) & mask(); slots_[at].chars != nullptr;
         at = (at + 1) & mask()) {
      const size_t home = slots_[at].hash & mask();
      // An entry whose home lies cyclically in (gap, at] is found as it is.
      const bool stays = gap < at ? (home > gap && home <= at)
                                  : (home > gap || home <= at);
      if (stays) continue;
      slots_[gap] = slots_[at];
      slots_[at] = {};
      gap = at;
    }
  }

 private:
  static std::string_view viewOf(const char* chars) {
    const Header* header = reinterpret_cast<const Header*>(chars) - 1;
    return {chars, header->size & kSizeBits};
  }
  static uint32_t hashOf(std::string_view text) {
    return static_cast<uint32_t>(std::hash<std::string_view>()(text));
  }
  size_t mask() const { return slots_.size() - 1; }

  void grow() {
    std::vector<Slot> slots(slots_.empty() ? 64 : slots_.size() * 2);
    slots.swap(slots_);
    for (const Slot& slot : slots) {
      if (slot.chars == nullptr) continue;
      size_t at = slot.hash & mask();
      while (slots_[at].chars != nullptr) at = (at + 1) & mask();
      slots_[at] = slot;
    }
  }

  struct Slot {
    char* chars = nullptr;  // null for a free slot
    uint32_t hash = 0;
  };
  std::vector<Slot> slots_;  // a power of two in size, or empty
  size_t count_ = 0;
};

Text::Text(std::string_view text) {
  if (text.empty()) return;
  if (text.size() > kSizeBits) throw std::length_error("Text too long");
  void* memory = std::malloc(sizeof(Header) + text.size() + 1);
  if (memory == nullptr) throw std::bad_alloc();
  Header* header = static_cast<Header*>(memory);
  header->references = 1;
  header->size = static_cast<uint32_t>(text.size());
  chars_ = reinterpret_cast<char*>(header + 1);
  std::memcpy(chars_, text.data(), text.size());
  chars_[text.size()] = '\0';
}

Text Text::interned(const char* text) {
  return interned(std::string_view(text));
}

Text Text::interned(std::string_view text) {
  if (text.empty()) return Text();
  // A name is mostly asked for again within a few tokens (a parameter's
  // conditions and display arguments name it, a format or a range string
  // recurs): a few recent texts answer those without a probe of the large
  // table, whose slots and texts are rarely in the cache any more.
  constexpr size_t kRecent = 16;
  static Text recent[kRecent];
  Text& slot = recent[(text.size() * 31 + static_cast<unsigned char>(text[0]) +
                       static_cast<unsigned char>(text.back()) * 7) %
                      kRecent];
  if (slot.view() == text) return slot;
  slot = internedInTable(text);
  return slot;
}

Text Text::internedInTable(std::string_view text) {
  InternTable& table = InternTable::instance();
  size_t at = 0;
  uint32_t hash = 0;
  Text result;
  result.chars_ = table.find(text, at, hash);
  if (result.chars_ != nullptr) {
    result.acquire();
    return result;
  }
  result = Text(text);
  result.header()->size |= kInterned;
  table.add(at, hash, result.chars_);
  return result;
}

void Text::destroy() noexcept {
  if (header()->size & kInterned) InternTable::instance().remove(chars_);
  std::free(header());
}

std::ostream& operator<<(std::ostream& out, const Text& text) {
  return out << text.view();
}

namespace {

std::string joined(std::string_view a, std::string_view b) {
  std::string text;
  text.reserve(a.size() + b.size());
  text.append(a).append(b);
  return text;
}

}  // namespace

std::string operator+(std::string_view a, const Text& b) {
  return joined(a, b);
}

std::string operator+(const Text& a, std::string_view b) {
  return joined(a, b);
}

std::string operator+(const Text& a, const Text& b) { return joined(a, b); }
