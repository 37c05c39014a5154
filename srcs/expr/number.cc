#include "expr/number.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// The card's C library knows no `0b` binary prefix: it reads "0b101" as 0
// and stops at the `b`. Newer C libraries read it as binary when the
// program is built with GNU extensions, so the prefix is caught before them.
// Returns the position of the `b`, or null when `text` has no such prefix.
const char* binaryPrefix(const char* text) {
  const char* at = text;
  while (std::isspace(static_cast<unsigned char>(*at))) ++at;
  if (*at == '+' || *at == '-') ++at;
  if (at[0] == '0' && (at[1] == 'b' || at[1] == 'B')) return at + 1;
  return nullptr;
}

// The common words answered without the C library: a name, which holds no
// number at all, and a short decimal number, which cannot overflow. The
// answers are those strtoll gives: ASCII letters are white space in no
// locale, and a number that starts with 1 to 9 is decimal.
bool quickNumber(const char* text, int32_t& value, const char*& end) {
  const unsigned char first = static_cast<unsigned char>(text[0]);
  if ((first | 0x20) >= 'a' && (first | 0x20) <= 'z') {
    value = 0;
    end = text;
    return true;
  }
  if (first < '1' || first > '9') return false;
  int32_t number = 0;
  const char* at = text;
  for (; *at >= '0' && *at <= '9'; ++at) {
    if (at - text == 9) return false;
    number = number * 10 + (*at - '0');
  }
  value = number;
  end = at;
  return true;
}

}  // namespace

int32_t strtol32(const char* text, const char** end) {
  int32_t quick = 0;
  const char* quickEnd = nullptr;
  if (quickNumber(text, quick, quickEnd)) {
    if (end != nullptr) *end = quickEnd;
    return quick;
  }
  if (const char* b = binaryPrefix(text)) {
    if (end != nullptr) *end = b;
    return 0;
  }
  char* stop = nullptr;
  long long value = std::strtoll(text, &stop, 0);
  if (end != nullptr) *end = stop;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

uint32_t strtoul32(const char* text, const char** end) {
  if (const char* b = binaryPrefix(text)) {
    if (end != nullptr) *end = b;
    return 0;
  }
  char* stop = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &stop, 0);
  const bool overflow = errno == ERANGE;
  if (end != nullptr) *end = stop;
  // strtoull negates in 64 bits; the card's strtoul negates the magnitude
  // in 32 bits, after its own range check on that magnitude.
  const char* sign = text;
  while (std::isspace(static_cast<unsigned char>(*sign))) ++sign;
  const bool negative = *sign == '-';
  const unsigned long long magnitude = negative ? 0ULL - value : value;
  if (overflow || magnitude > UINT32_MAX) return UINT32_MAX;
  const uint32_t result = static_cast<uint32_t>(magnitude);
  return negative ? 0U - result : result;
}

bool wholeNumber(const std::string& text, int32_t* value) {
  const char* end = nullptr;
  *value = strtol32(text.c_str(), &end);
  return *end == '\0';
}
