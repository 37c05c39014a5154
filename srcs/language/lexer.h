// The character rules of the card's definition language that the statement
// level adds to those of every input line (expr/line_text.h): columns and
// comment lines.

#ifndef OSTRAND_LANGUAGE_LEXER_H_
#define OSTRAND_LANGUAGE_LEXER_H_

#include <cstdint>

#include "expr/line_text.h"

// The column of `position` in the line starting at `lineText`: its byte
// offset from 0, a tab counting as one byte. Diagnostics put their caret
// under this column.
inline uint32_t columnOf(const char* position, const char* lineText) {
  return static_cast<uint32_t>(position - lineText);
}

// True when the first character of `lineText` that is not white space is
// '#'. Such a line is ignored as a whole, whatever statement or operand is
// open, so the statement parser asks this before anything else on every
// line. A '#' anywhere else is an ordinary character.
bool isCommentLine(const char* lineText);

#endif  // OSTRAND_LANGUAGE_LEXER_H_
