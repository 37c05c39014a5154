// Numbers inside value lists: the range reader and the trap value reader
// read them alike, and unlike the version words of a statement an empty
// word is a number there.

#ifndef OSTRAND_LANGUAGE_VALUE_NUMBER_H_
#define OSTRAND_LANGUAGE_VALUE_NUMBER_H_

#include <cstdint>

// Reads a number word ending at NUL, white space or one of `stops`, and
// converts it as the card's strtol does with base 0. The empty word is the
// number 0: a value list reads `{ , 5 }` as 0 and 5, `{ 1.. }` as 1 to 0.
// Returns true with the number in `value` and the cursor behind the word
// and the white space after it. A word that is not a number returns false,
// with the cursor left alone and `columnOut` advanced to the first
// character the conversion did not take, so that the caret points into the
// word.
bool readValueNumber(int32_t& value, uint32_t& columnOut,
                     const char*& cursor, const char* stops);

#endif  // OSTRAND_LANGUAGE_VALUE_NUMBER_H_
