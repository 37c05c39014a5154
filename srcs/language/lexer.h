// The character rules of the card's definition language: white space,
// comment lines and words. Every reader of the language cuts its input with
// these, so that a byte means the same thing wherever it stands.
//
// Positions are pointers into one NUL-terminated input line; the functions
// never look past the terminating NUL and never modify the line.

#ifndef OSTRAND_LANGUAGE_LEXER_H_
#define OSTRAND_LANGUAGE_LEXER_H_

#include <cstdint>
#include <string>

// The column of `position` in the line starting at `lineText`: its byte
// offset from 0, a tab counting as one byte. Diagnostics put their caret
// under this column.
inline uint32_t columnOf(const char* position, const char* lineText) {
  return static_cast<uint32_t>(position - lineText);
}

// True for the six white-space characters of the POSIX locale: space, tab,
// newline, vertical tab, form feed and carriage return. Independent of the
// process locale, so a definition file reads the same on every host.
bool isWhiteSpace(char c);

// True when the first character of `lineText` that is not white space is
// '#'. Such a line is ignored as a whole, whatever statement or operand is
// open, so the statement parser asks this before anything else on every
// line. A '#' anywhere else is an ordinary character.
bool isCommentLine(const char* lineText);

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

#endif  // OSTRAND_LANGUAGE_LEXER_H_
