// Words that stand for numbers in a definition file: versions, removal
// versions, range values. A word is converted as the card's strtol does with
// base 0 (decimal; 0x or 0X hexadecimal; a leading 0 octal; an optional
// sign; saturated to the 32-bit range), and it is a number only when the
// conversion consumed every character of it. So "12", "0x10" and "010" are
// 12, 16 and 8, while "1.5", "12a", "08" and the empty word are not numbers.

#ifndef OSTRAND_LANGUAGE_WORD_NUMBER_H_
#define OSTRAND_LANGUAGE_WORD_NUMBER_H_

#include <cstddef>
#include <cstdint>
#include <string>

// True when `word` is a number. `value` receives what the conversion read,
// also when the word is not a number (0 when nothing was read).
// `stopOffset`, when not null, receives the offset within `word` of the first
// character the conversion did not consume: word.size() for a number, 0 when
// nothing could be read. Readers that point a caret inside a refused word
// add it to the word's column.
bool numberFromWord(const std::string& word, int32_t& value,
                    size_t* stopOffset = nullptr);

// As numberFromWord, but a negative number is refused as well: for versions
// and other values that cannot be below zero. `value` is only meaningful
// when the result is true.
bool nonNegativeFromWord(const std::string& word, int32_t& value);

#endif  // OSTRAND_LANGUAGE_WORD_NUMBER_H_
