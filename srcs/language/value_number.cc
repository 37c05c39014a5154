#include "language/value_number.h"

#include <string>

#include "expr/line_text.h"
#include "language/word_number.h"

bool readValueNumber(int32_t& value, uint32_t& columnOut,
                     const char*& cursor, const char* stops) {
  std::string word;
  const char* end = readWord(word, cursor, stops);
  value = 0;
  if (!word.empty()) {
    size_t stop = 0;
    if (!numberFromWord(word, value, &stop)) {
      columnOut += static_cast<uint32_t>(stop);
      return false;
    }
  }
  cursor = skipSpace(end);
  return true;
}
