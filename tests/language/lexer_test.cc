#include "language/lexer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LanguageLexer, WhiteSpaceIsExactlyTheSixPosixCharacters) {
  const std::string six = " \t\n\v\f\r";
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    EXPECT_EQ(isWhiteSpace(ch), six.find(ch) != std::string::npos) << c;
  }
}

TEST(LanguageLexer, ReadWordAppendsUpToNulWhiteSpaceOrAStop) {
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

TEST(LanguageLexer, CommentLineStartsWithHashAfterWhiteSpace) {
  struct Case {
    const char* text;
    bool comment;
  };
  const Case cases[] = {
      {"# note\n", true}, {" \t# note", true}, {"\v#", true}, {"#", true},
      {"", false},        {"\n", false},       {"a # b", false}, {"  x#", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isCommentLine(c.text), c.comment) << c.text;
  }
}

}  // namespace
