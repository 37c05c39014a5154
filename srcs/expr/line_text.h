// Input lines of a definition file as every reader sees them, the readers
// of statements and value lists as well as the expression reader: white
// space, words, and the lines a record keeps for its diagnostics.
//
// Positions are pointers into one NUL-terminated input line; the functions
// never look past the terminating NUL and never modify the line.

#ifndef OSTRAND_EXPR_LINE_TEXT_H_
#define OSTRAND_EXPR_LINE_TEXT_H_

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "expr/text.h"

// True for the six white-space characters of the POSIX locale: space, tab,
// newline, vertical tab, form feed and carriage return. Independent of the
// process locale, so a definition file reads the same on every host.
bool isWhiteSpace(char c);

// Returns the first position at or after `position` that is not white space;
// the terminating NUL is not white space, so the result is at most the end of
// the line.
const char* skipSpace(const char* position);

// Appends to `out` the characters from `position` up to, not including, the
// first one that is the terminating NUL, white space, or one of the
// characters of `stops` (none when `stops` is null), and returns the position
// of that character, which is not consumed. `out` is not cleared first, so a
// word may be collected in pieces. Nothing was read when the result equals
// `position`.
const char* readWord(std::string& out, const char* position,
                     const char* stops = nullptr);

// The characters that end a word: the NUL, the white space and a set of
// stops, as a set of bits. A reader that reads many words against the same
// stops makes it once.
class WordEnds {
 public:
  constexpr explicit WordEnds(const char* stops) {
    for (const char* c = stops; c != nullptr && *c != '\0'; ++c) {
      const unsigned char byte = static_cast<unsigned char>(*c);
      bits_[byte >> 6] |= uint64_t{1} << (byte & 63);
    }
  }
  constexpr bool contains(unsigned char byte) const {
    return (bits_[byte >> 6] >> (byte & 63)) & 1;
  }

 private:
  uint64_t bits_[4] = {uint64_t{1} | uint64_t{1} << ' ' | uint64_t{1} << '\t' |
                           uint64_t{1} << '\n' | uint64_t{1} << '\v' |
                           uint64_t{1} << '\f' | uint64_t{1} << '\r',
                       0, 0, 0};
};

// readWord with the stops made beforehand.
const char* readWord(std::string& out, const char* position,
                     const WordEnds& ends);

// Reads on inside a text that runs up to the character `close` (the
// closing quote of a string, the `]` of an index suffix), which cannot be
// escaped. When the rest of the line holds `close`, appends the characters
// before it to `buffer`, moves past it and the white space behind it, and
// returns true. Otherwise appends the rest of the line except its last
// character, its newline, moves to the end of the line and returns false:
// the text goes on with the next line after its leading white space.
bool readUpTo(std::string& buffer, const char*& position, char close);

// Line number (from 1) to the full text of that input line, as delivered,
// newline included; in ascending order of line number. It has the map
// operations its users need over a sorted array. Most records keep the
// line of one item, so one line is held in place and only more than one
// takes storage of its own: a tree node per line would cost more than the
// line's text, which all the records holding it share.
class SourceLines {
 public:
  using value_type = std::pair<uint32_t, Text>;
  using const_iterator = const value_type*;

  SourceLines() noexcept {}
  SourceLines(std::initializer_list<value_type> lines);
  SourceLines(const SourceLines& other);
  SourceLines(SourceLines&& other) noexcept;
  SourceLines& operator=(const SourceLines& other);
  SourceLines& operator=(SourceLines&& other) noexcept;
  ~SourceLines() { clear(); }

  const_iterator begin() const { return lines(); }
  const_iterator end() const { return lines() + size_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear();

  const_iterator find(uint32_t lineNumber) const;
  size_t count(uint32_t lineNumber) const { return find(lineNumber) != end(); }
  // The text of the line, inserted empty when it is not there yet.
  Text& operator[](uint32_t lineNumber);
  // Inserts (lineNumber, text) unless the line is there; true if it was not.
  bool insert(uint32_t lineNumber, const Text& text);
  // Inserts every line of [first, last) that is not there yet.
  void insert(const_iterator first, const_iterator last);

  friend bool operator==(const SourceLines& a, const SourceLines& b);

 private:
  value_type* lines() const {
    return capacity_ == 0 ? const_cast<value_type*>(&one_) : many_;
  }
  // The position for `lineNumber`: the first line numbered as much or more.
  value_type* lowerBound(uint32_t lineNumber) const;
  value_type* insertAt(value_type* at, uint32_t lineNumber, const Text& text);

  uint32_t size_ = 0;
  uint32_t capacity_ = 0;  // of `many_`; 0 while the lines are in `one_`
  union {
    value_type one_;    // alive while capacity_ is 0 and size_ is 1
    value_type* many_;  // new[]-allocated, capacity_ entries
  };
};

// The source lines rule: every reader that stores an item it has read also
// records the item's line here, so that a diagnostic about the item can
// quote the line long after the file was read. An entry already present for
// `lineNumber` is kept as it is: the first text seen for a line wins.
void addSourceLine(SourceLines& sourceLines, uint32_t lineNumber,
                   const char* lineText);

// The text of input line `lineNumber`, shared: all the records that hold
// items of one line keep one copy of it. The last line asked for is
// remembered, and given again while both its number and its text match;
// a line equal to one of the recent others shares that one's copy.
Text sharedLine(uint32_t lineNumber, const char* lineText);

#endif  // OSTRAND_EXPR_LINE_TEXT_H_
