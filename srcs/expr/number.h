// Numbers as the card reads them: C's strtol with base 0 (decimal, 0x/0X
// hexadecimal, a leading 0 octal, optional sign and leading white space)
// on the card's 32-bit long. Definition files are compiled on 64-bit hosts
// too, so the result saturates at the 32-bit limits exactly where the
// card's strtol does: 0xFFFFFFFF reads as 2147483647 everywhere.

#ifndef OSTRAND_EXPR_NUMBER_H_
#define OSTRAND_EXPR_NUMBER_H_

#include <cstdint>
#include <string>

// strtol(text, end, 0) saturated to the 32-bit range; `end` (may be null)
// receives the first character not consumed.
int32_t strtol32(const char* text, const char** end);

// strtoul(text, end, 0) on the card's 32-bit unsigned long: a value above
// 4294967295 saturates there, and a negative one wraps ("-1" reads as
// 4294967295).
uint32_t strtoul32(const char* text, const char** end);

// True when strtol32 consumes all of `text`; the number goes to `value`.
// An empty text is consumed whole and reads as 0.
bool wholeNumber(const std::string& text, int32_t* value);

#endif  // OSTRAND_EXPR_NUMBER_H_
