// Reads the values of a trap's `true_trap` block: single values and ranges
// of them, where a value is a number, a double-quoted string or a
// parenthesised expression, and a range runs from a number or an
// expression to a number or an expression:
//
//   { 1, 2..4, "x", (a + 1)..(b), 5..(c) }
//
// A string is always a single value. An empty block and a trailing comma
// are accepted; an empty word where a number should stand is the number 0.
// The reader follows the resumable reader protocol (reader.h) and appends
// one ValueRange per value (model.h) to `values`, with the lines its tokens
// came from in values.sourceLines. Expressions are read by the expression
// reader, without index suffixes, into the reader's own working Expression.
//
// Results:
//   kReadComplete    at the closing `}`; columnOut is the column of the
//                    first character after it and the white space behind
//                    it.
//   kReadLineEnded   the line ended inside the block (also inside an
//                    expression).
//   kTrapValuesWrong a syntax error here or in an expression, with
//                    columnOut at the offending character.

#ifndef OSTRAND_LANGUAGE_TRAP_VALUES_READER_H_
#define OSTRAND_LANGUAGE_TRAP_VALUES_READER_H_

#include <cstdint>

#include "language/model.h"

constexpr int kTrapValuesWrong = 2;

enum class TrapValuesState : uint32_t {
  ExpectOpen = 0,
  ExpectValue = 1,
  InQuote = 2,
  InFromExpression = 3,
  AfterFrom = 4,
  ExpectTo = 5,
  InToExpression = 6,
  AfterValue = 7,
};

int readTrapValues(TrapValues& values, uint32_t& columnOut,
                   const char*& cursor, const char* lineText,
                   uint32_t lineNumber);

// Puts the reader back to ExpectOpen; part of resetReaders().
void resetTrapValuesReader();

#endif  // OSTRAND_LANGUAGE_TRAP_VALUES_READER_H_
