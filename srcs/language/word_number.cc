#include "language/word_number.h"

#include "expr/number.h"

namespace {

bool startsNumber(char c) {
  return (c >= '0' && c <= '9') || c == '+' || c == '-';
}

}  // namespace

bool numberFromWord(const std::string& word, int32_t& value,
                    size_t* stopOffset) {
  size_t stop = 0;
  value = 0;
  // strtol would skip leading white space as the process locale defines it;
  // a word holds no POSIX white space, so anything that cannot begin a
  // number is refused here and the answer never depends on the locale.
  if (!word.empty() && startsNumber(word[0])) {
    const char* end = nullptr;
    value = strtol32(word.c_str(), &end);
    stop = static_cast<size_t>(end - word.c_str());
  }
  if (stopOffset != nullptr) *stopOffset = stop;
  // The empty word stops at offset 0 == size(), hence the explicit test.
  return !word.empty() && stop == word.size();
}

bool nonNegativeFromWord(const std::string& word, int32_t& value) {
  return numberFromWord(word, value) && value >= 0;
}
