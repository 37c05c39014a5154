#include "expr/number.h"

#include <climits>
#include <cstdlib>

int32_t strtol32(const char* text, const char** end) {
  char* stop = nullptr;
  long long value = std::strtoll(text, &stop, 0);
  if (end != nullptr) *end = stop;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool wholeNumber(const std::string& text, int32_t* value) {
  const char* end = nullptr;
  *value = strtol32(text.c_str(), &end);
  return *end == '\0';
}
