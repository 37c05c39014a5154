#include "language/lexer.h"

#include <gtest/gtest.h>

namespace {

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
