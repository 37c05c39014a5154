#include "expr/line_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(exprLineText, WhiteSpaceIsExactlyTheSixPosixCharacters) {
  const std::string six = " \t\n\v\f\r";
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    EXPECT_EQ(isWhiteSpace(ch), six.find(ch) != std::string::npos) << c;
  }
}

TEST(exprLineText, ReadWordAppendsUpToNulWhiteSpaceOrAStop) {
  struct Case {
    const char* text;
    const char* stops;
    std::string word;
    long end;
  };
  const Case cases[] = {
      {"abc def", nullptr, "abc", 3},
      {"a,b}", nullptr, "a,b}", 4},
      {"a,b}", ",}", "a", 1},
      {",a", ",}", "", 0},
      {"x\ty", "", "x", 1},
      {"", ",", "", 0},
      {"ab{c d", "{", "ab", 2},
      {"na\xffme\n", "}", "na\xffme", 5},
  };
  for (const Case& c : cases) {
    std::string out = "kept:";
    const char* end = readWord(out, c.text, c.stops);
    EXPECT_EQ(out, "kept:" + c.word) << c.text;
    EXPECT_EQ(end - c.text, c.end) << c.text;
  }
}

}  // namespace
