#include "language/display_body_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/reader.h"
#include "language/reader.h"
#include "language/reader_feed.h"

namespace {

// The format in double quotes, then each argument in parentheses as the
// expression tests write tokens, each token with "@line:column".
std::string rendered(const DisplayRule& rule) {
  std::string out = "\"" + rule.format + "\"";
  for (const Expression& argument : rule.arguments) {
    out += " (" + positioned(argument.tokens) + ")";
  }
  return out;
}

TEST(LanguageDisplayBodyReader, ReadsFormatArgumentsAndRefusals) {
  struct Case {
    std::vector<std::string> lines;
    int result;
    uint32_t column;
    std::string rule;
  };
  const Case cases[] = {
      {{"{ \"%d\", (level), (gain[2]) }\n"}, 0, 29,
       "\"%d\" (level@1:9) (gain[2]@1:18)"},
      {{"\t{ \"%s dB\" }"}, 0, 12, "\"%s dB\""},
      {{"{\"a,}(\",(x)}x"}, 0, 12, "\"a,}(\" (x@1:9)"},
      // Across lines, inside the format and inside an argument.
      {{"{ \"a b\n", "  c d\", (x) }"}, 0, 13, "\"a bc d\" (x@2:9)"},
      {{"{ \"%s\", (a +\n", "  b[1]) }"}, 0, 9,
       "\"%s\" (a@1:9 +@1:11 b[1]@2:2)"},
      {{"{\n", "\"%d\",\n", "# (y),\n", "(x)\n", "}\n"}, 0, 2,
       "\"%d\" (x@4:1)"},
      // Refusals; every failure of an argument is this reader's own 1.
      {{"{ }"}, 1, 2, "\"\""},
      {{"{ (x) }"}, 1, 2, "\"\""},
      {{"{ \"a\" (x) }"}, 1, 6, "\"a\""},
      {{"{ \"a\", }"}, 1, 7, "\"a\""},
      {{"{ \"a\", x }"}, 1, 7, "\"a\""},
      {{"{ \"%d\", (a = 1) }"}, 1, 11, "\"%d\""},
      {{"{ \"%d\", ([1]) }"}, 1, 9, "\"%d\""},
      {{"\"a\""}, 1, 0, "\"\""},
      {{"{ \"%d\", (x\n"}, -2, 9, "\"%d\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    resetReaders();
    resetExpressionReader();
    DisplayRule rule;
    uint32_t column = kUnset;
    EXPECT_EQ(feedLines(c.lines, column,
                        [&](const char*& cursor, const char* text,
                            uint32_t number) {
                          return readDisplayBody(rule, column, cursor, text,
                                                 number);
                        }),
              c.result);
    EXPECT_EQ(column, c.column);
    EXPECT_EQ(rendered(rule), c.rule);
  }
}

}  // namespace
