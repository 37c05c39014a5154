#include "language/trap_values_reader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "expr/reader.h"
#include "language/reader.h"
#include "language/reader_feed.h"

namespace {

// "from" or "from..to" per value, separated by ", ".
std::string rendered(const TrapValues& values) {
  std::string out;
  for (const ValueRange& value : values.values) {
    if (!out.empty()) out += ", ";
    out += positioned(value.from);
    if (!value.to.empty()) out += ".." + positioned(value.to);
  }
  return out;
}

std::set<uint32_t> tokenLines(const TrapValues& values) {
  std::set<uint32_t> lines;
  for (const ValueRange& value : values.values) {
    for (const ExprToken& token : value.from) lines.insert(token.line);
    for (const ExprToken& token : value.to) lines.insert(token.line);
  }
  return lines;
}

TEST(LanguageTrapValuesReader, ReadsValuesAndRefusals) {
  struct Case {
    std::vector<std::string> lines;
    int result;
    uint32_t column;
    std::string values;
  };
  const Case cases[] = {
      {{"{ 1, 2..4, \"x\", (a + 1)..(b), 5..(c) }\n"}, 0, 39,
       "#1@1:2, #2@1:5..#4@1:8, \"x\"@1:12, a@1:17 +@1:19 #1@1:21..b@1:26, "
       "#5@1:30..c@1:34"},
      {{" \t{ }"}, 0, 5, ""},
      {{"{}  x"}, 0, 4, ""},
      {{"{ 1, }"}, 0, 6, "#1@1:2"},
      {{"{ , 5.. }"}, 0, 9, "#0@1:2, #5@1:4..#0@1:8"},
      // Expressions and strings across lines; an expression's lines join
      // the block's only once it is complete.
      {{"{ (a +\n", "   b)..\n", "(-1) }\n"}, 0, 7,
       "a@1:3 +@1:5 b@2:3..#-1@3:1"},
      {{"{ -0x10..\n", "  0x7fffffff }"}, 0, 14, "#-16@1:2..#2147483647@2:2"},
      {{"{ \"a\n", "  b\", (\"c\n", "d\") }"}, 0, 5, "\"ab\"@2:2, \"cd\"@3:0"},
      // Refusals; an expression's own failure is passed on with its column.
      {{"{ \"a\"..\"b\" }"}, 2, 5, "\"a\"@1:3"},
      {{"{ (a[1]) }"}, 2, 4, ""},
      {{"{ 1..(x = 2) }"}, 2, 8, "#1@1:2"},
      {{"{ 1.5 }"}, 2, 3, "#1@1:2"},
      {{"{ (a)(b) }"}, 2, 5, "a@1:3"},
      {{"{ 1..2..3 }"}, 2, 6, "#1@1:2"},
      {{"{ 1..2 3 }"}, 2, 7, "#1@1:2..#2@1:5"},
      {{"{ ? }"}, 2, 2, ""},
      {{"( 1 )"}, 2, 0, ""},
      {{"{ (a\n"}, -2, 3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    resetReaders();
    resetExpressionReader();  // a row may stop inside an expression
    TrapValues values;
    uint32_t column = kUnset;
    EXPECT_EQ(feedLines(c.lines, column,
                        [&](const char*& cursor, const char* text,
                            uint32_t number) {
                          return readTrapValues(values, column, cursor, text,
                                                number);
                        }),
              c.result);
    EXPECT_EQ(column, c.column);
    EXPECT_EQ(rendered(values), c.values);
    expectSourceLines(values.sourceLines, tokenLines(values), c.lines);
  }
}

}  // namespace
