#include "language/word_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(LanguageWordNumber, WholeWordRule) {
  struct Case {
    std::string word;
    bool number;
    int32_t value;
    size_t stop;
    bool nonNegative;
  };
  const Case cases[] = {
      {"12", true, 12, 2, true},
      {"0x10", true, 16, 4, true},
      {"0X1f", true, 31, 4, true},
      {"010", true, 8, 3, true},
      {"+7", true, 7, 2, true},
      {"-0", true, 0, 2, true},
      {"-5", true, -5, 2, false},
      {"1.5", false, 1, 1, false},
      {"12a", false, 12, 2, false},
      {"08", false, 0, 1, false},
      {"0x", false, 0, 1, false},
      {"0b1", false, 0, 1, false},
      {"-0B1", false, 0, 2, false},
      {"", false, 0, 0, false},
      {"x1", false, 0, 0, false},
      {" 12", false, 0, 0, false},
      {"\xa0" "12", false, 0, 0, false},
      {"2147483648", true, INT32_MAX, 10, true},
      {"0xFFFFFFFF", true, INT32_MAX, 10, true},
      {"99999999999999999999999", true, INT32_MAX, 23, true},
      {"-99999999999", true, INT32_MIN, 12, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("word \"" + c.word + "\"");
    int32_t value = -99;
    size_t stop = 99;
    EXPECT_EQ(numberFromWord(c.word, value, &stop), c.number);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(stop, c.stop);
    EXPECT_EQ(nonNegativeFromWord(c.word, value), c.nonNegative);
    if (c.nonNegative) {
      EXPECT_EQ(value, c.value);
    }
  }
}

}  // namespace
