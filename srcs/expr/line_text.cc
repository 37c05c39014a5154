#include "expr/line_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <string_view>

bool isWhiteSpace(char c) {
  // Spelled out rather than std::isspace: that one follows the process locale
  // and is undefined for the negative chars that bytes above 0x7f become.
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
      return true;
    default:
      return false;
  }
}

const char* skipSpace(const char* position) {
  while (isWhiteSpace(*position)) ++position;
  return position;
}

const char* readWord(std::string& out, const char* position,
                     const char* stops) {
  return readWord(out, position, WordEnds(stops));
}

const char* readWord(std::string& out, const char* position,
                     const WordEnds& ends) {
  // A set of bits rather than a search of the stops per character: that
  // was a measurable share of reading a large card.
  const char* end = position;
  while (!ends.contains(static_cast<unsigned char>(*end))) ++end;
  out.append(position, end);
  return end;
}

namespace {

// Lines of equal text (a closing brace, a range many parameters share)
// share one copy. Most lines of a card name their parameter and occur
// once, so a table of every line seen would cost more to keep up than it
// saves: a small table of recent lines, each slot replaced by the next line
// of its hash, finds the repeated ones and forgets the others. It holds at
// most kRecentLines lines beyond those the records keep.
Text recentLine(const char* lineText) {
  constexpr size_t kRecentLines = 256;
  static Text recent[kRecentLines];
  const std::string_view text(lineText);
  Text& slot = recent[std::hash<std::string_view>()(text) % kRecentLines];
  if (slot.view() != text) slot = Text(text);
  return slot;
}

}  // namespace

Text sharedLine(uint32_t lineNumber, const char* lineText) {
  // The readers see the lines of one file in turn, so the last line is the
  // only one asked for again. Its text is compared too: a line number alone
  // does not tell a line of one file from that of another.
  static uint32_t lastNumber = 0;
  static Text last;
  if (lineNumber != lastNumber || last.view() != lineText) {
    lastNumber = lineNumber;
    last = recentLine(lineText);
  }
  return last;
}

SourceLines::SourceLines(std::initializer_list<value_type> lines) {
  for (const value_type& line : lines) insert(line.first, line.second);
}

SourceLines::SourceLines(const SourceLines& other) {
  insert(other.begin(), other.end());
}

SourceLines::SourceLines(SourceLines&& other) noexcept
    : size_(other.size_), capacity_(other.capacity_) {
  if (capacity_ != 0) {
    many_ = other.many_;
  } else if (size_ == 1) {
    new (&one_) value_type(std::move(other.one_));
    other.one_.~value_type();
  }
  other.size_ = 0;
  other.capacity_ = 0;
}

SourceLines& SourceLines::operator=(const SourceLines& other) {
  if (this != &other) *this = SourceLines(other);
  return *this;
}

SourceLines& SourceLines::operator=(SourceLines&& other) noexcept {
  if (this != &other) {
    clear();
    new (this) SourceLines(std::move(other));
  }
  return *this;
}

void SourceLines::clear() {
  if (capacity_ != 0) {
    delete[] many_;
  } else if (size_ == 1) {
    one_.~value_type();
  }
  size_ = 0;
  capacity_ = 0;
}

SourceLines::value_type* SourceLines::lowerBound(uint32_t lineNumber) const {
  value_type* first = lines();
  value_type* last = first + size_;
  // Lines mostly arrive in file order: the end is the place to look first.
  if (size_ == 0 || last[-1].first < lineNumber) return last;
  return std::lower_bound(first, last, lineNumber,
                          [](const value_type& line, uint32_t number) {
                            return line.first < number;
                          });
}

SourceLines::value_type* SourceLines::insertAt(value_type* at,
                                               uint32_t lineNumber,
                                               const Text& text) {
  if (size_ == 0) {
    new (&one_) value_type(lineNumber, text);
    size_ = 1;
    return &one_;
  }
  const size_t index = at - lines();
  if (size_ == capacity_ || capacity_ == 0) {
    // Room for twice as many; the lines move over, the old room goes.
    const uint32_t size = size_;
    value_type* grown = new value_type[size * 2];
    std::move(lines(), lines() + size, grown);
    clear();
    many_ = grown;
    size_ = size;
    capacity_ = size * 2;
  }
  value_type* place = many_ + index;
  std::move_backward(place, many_ + size_, many_ + size_ + 1);
  *place = value_type(lineNumber, text);
  ++size_;
  return place;
}

SourceLines::const_iterator SourceLines::find(uint32_t lineNumber) const {
  const value_type* found = lowerBound(lineNumber);
  return found != end() && found->first == lineNumber ? found : end();
}

Text& SourceLines::operator[](uint32_t lineNumber) {
  value_type* at = lowerBound(lineNumber);
  if (at == end() || at->first != lineNumber) {
    at = insertAt(at, lineNumber, Text());
  }
  return at->second;
}

bool SourceLines::insert(uint32_t lineNumber, const Text& text) {
  value_type* at = lowerBound(lineNumber);
  if (at != end() && at->first == lineNumber) return false;
  insertAt(at, lineNumber, text);
  return true;
}

void SourceLines::insert(const_iterator first, const_iterator last) {
  for (; first != last; ++first) insert(first->first, first->second);
}

bool operator==(const SourceLines& a, const SourceLines& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

void addSourceLine(SourceLines& sourceLines, uint32_t lineNumber,
                   const char* lineText) {
  if (sourceLines.count(lineNumber) == 0) {
    sourceLines.insert(lineNumber, sharedLine(lineNumber, lineText));
  }
}

bool readUpTo(std::string& buffer, const char*& position, char close) {
  const char* found = std::strchr(position, close);
  if (found == nullptr) {
    // The card drops the last character unseen, so a text split by the line
    // reader's 1024-character limit, or ended by the last line of a file
    // without a final newline, loses a real character there as well: kept
    // so that a definition compiles here as it does on the card.
    const char* end = position + std::strlen(position);
    if (end > position) buffer.append(position, end - 1);
    position = end;
    return false;
  }
  buffer.append(position, found);
  position = skipSpace(found + 1);
  return true;
}
