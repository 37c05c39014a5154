// Input lines of a definition file as every reader sees them, the readers
// of statements and value lists as well as the expression reader: white
// space, words, and the lines a record keeps for its diagnostics.
//
// Positions are pointers into one NUL-terminated input line; the functions
// never look past the terminating NUL and never modify the line.

#ifndef OSTRAND_EXPR_LINE_TEXT_H_
#define OSTRAND_EXPR_LINE_TEXT_H_

#include <cstdint>
#include <map>
#include <string>

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

// Reads on inside a text that runs up to the character `close` (the
// closing quote of a string, the `]` of an index suffix), which cannot be
// escaped. When the rest of the line holds `close`, appends the characters
// before it to `buffer`, moves past it and the white space behind it, and
// returns true. Otherwise appends the rest of the line except its last
// character, its newline, moves to the end of the line and returns false:
// the text goes on with the next line after its leading white space.
bool readUpTo(std::string& buffer, const char*& position, char close);

// Line number (from 1) to the full text of that input line, as delivered,
// newline included.
using SourceLines = std::map<uint32_t, std::string>;

// The source lines rule: every reader that stores an item it has read also
// records the item's line here, so that a diagnostic about the item can
// quote the line long after the file was read. An entry already present for
// `lineNumber` is kept as it is: the first text seen for a line wins.
void addSourceLine(SourceLines& sourceLines, uint32_t lineNumber,
                   const char* lineText);

#endif  // OSTRAND_EXPR_LINE_TEXT_H_
