// Reads the values of a parameter range, `range version { ... }`:
//
//   { 0..3, 7, "auto", ? }    integers, integer ranges, strings, wildcard
//   { string32 }              a string of at most 32 characters
//   { string16:abc }          ... whose default text is abc
//
// The reader follows the resumable reader protocol (reader.h) and fills a
// RangeDef (model.h) that the caller cleared, one RangeItem per value, with
// the value's line in its sourceLines. A trailing comma before `}` is
// accepted; an empty word where a number should stand (`{ , 5 }`,
// `{ 1.. }`) is the number 0.
//
// Results:
//   kReadComplete    at the closing `}`; columnOut is the column of the
//                    first character after it and the white space behind
//                    it.
//   kReadLineEnded   the line ended inside the range.
//   kRangeWrong      a syntax error, with columnOut at the offending
//                    character; for a word that is not a number, at the
//                    first character of it that is not part of a number.
//   kRangeEmpty      `{}`.

#ifndef OSTRAND_LANGUAGE_RANGE_READER_H_
#define OSTRAND_LANGUAGE_RANGE_READER_H_

#include <cstdint>

#include "language/model.h"
#include "language/status_codes.h"

constexpr int kRangeWrong = 1;
constexpr int kRangeEmpty = kEmptyRange;

enum class RangeState : uint32_t {
  ExpectOpen = 0,
  ExpectValue = 1,
  InQuote = 2,
  AfterValue = 3,
  AfterNumber = 4,
  ExpectRangeEnd = 5,
  ExpectClose = 6,
};

int readRange(RangeDef& range, uint32_t& columnOut, const char*& cursor,
              const char* lineText, uint32_t lineNumber);

// Puts the reader back to ExpectOpen; part of resetReaders().
void resetRangeReader();

#endif  // OSTRAND_LANGUAGE_RANGE_READER_H_
