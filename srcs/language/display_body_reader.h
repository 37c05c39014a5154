// Reads the body of a parameter's display rule: a double-quoted format
// followed by any number of parenthesised argument expressions, all
// separated by commas:
//
//   { "%d dB", (level), (gain[2]) }
//
// The reader follows the resumable reader protocol (reader.h). It sets
// rule.format and appends one Expression per argument to rule.arguments;
// arguments are read by the expression reader with index suffixes allowed.
//
// Results:
//   kReadComplete      at the closing `}`; columnOut is the column of the
//                      first character after it and the white space behind
//                      it.
//   kReadLineEnded     the line ended inside the body.
//   kDisplayBodyWrong  a syntax error here or in an argument, with columnOut
//                      at the offending character. `{ }` (no format) is one.

#ifndef OSTRAND_LANGUAGE_DISPLAY_BODY_READER_H_
#define OSTRAND_LANGUAGE_DISPLAY_BODY_READER_H_

#include <cstdint>

#include "language/model.h"

constexpr int kDisplayBodyWrong = 1;

enum class DisplayBodyState : uint32_t {
  ExpectOpen = 0,
  ExpectFormat = 1,
  InFormat = 2,
  ExpectArgument = 3,
  InArgument = 4,
  AfterItem = 5,
};

int readDisplayBody(DisplayRule& rule, uint32_t& columnOut,
                    const char*& cursor, const char* lineText,
                    uint32_t lineNumber);

// Puts the reader back to ExpectOpen; part of resetReaders().
void resetDisplayBodyReader();

#endif  // OSTRAND_LANGUAGE_DISPLAY_BODY_READER_H_
