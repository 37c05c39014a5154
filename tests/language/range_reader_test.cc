#include "language/range_reader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "language/reader.h"
#include "language/reader_feed.h"

namespace {

// "#7" an Integer, "\"s\"" a String, "?" the wildcard, "$N:t" the string
// length marker with its number and text; each followed by "@line:column".
std::string rendered(const ExprToken& token) {
  const ExprValue& value = token.value;
  std::string out = "kind" + std::to_string(value.kind);
  if (value.kind == kExprInteger) out = "#" + std::to_string(value.number);
  if (value.kind == kExprString) out = "\"" + value.text + "\"";
  if (value.kind == kExprName) out = "?" + value.text;
  if (value.kind == kRangeStringLength) {
    out = "$" + std::to_string(value.number) + ":" + value.text;
  }
  return out + "@" + std::to_string(token.line) + ":" +
         std::to_string(token.column);
}

// The items separated by spaces; an item whose `to` is not a copy of its
// `from` as "from..to".
std::string rendered(const RangeDef& range) {
  std::string out;
  for (const RangeItem& item : range.items) {
    if (!out.empty()) out += ' ';
    out += rendered(item.from);
    if (!(item.to == item.from)) out += ".." + rendered(item.to);
  }
  return out;
}

std::set<uint32_t> tokenLines(const RangeDef& range) {
  std::set<uint32_t> lines;
  for (const RangeItem& item : range.items) {
    lines.insert({item.from.line, item.to.line});
  }
  return lines;
}

// Each row reads one range from a cleared RangeDef and checks the last
// result, columnOut and every item with its position.
TEST(LanguageRangeReader, ReadsItemsAndRefusals) {
  struct Case {
    std::vector<std::string> lines;
    int result;
    uint32_t column;
    std::string items;
  };
  const Case cases[] = {
      // The four kinds of item, numbers in every base, saturation.
      {{"{ 0..3, 7, \"auto\", ? }\n"}, 0, 23,
       "#0@1:2..#3@1:5 #7@1:8 \"auto\"@1:12 ?@1:19"},
      {{"{ -5..0x10, 010, -0x7fffffff, 99999999999 }"}, 0, 43,
       "#-5@1:2..#16@1:6 #8@1:12 #-2147483647@1:17 #2147483647@1:30"},
      // Empty words are the number 0; a trailing comma is accepted.
      {{"\t { 1, }"}, 0, 8, "#1@1:4"},
      {{"{ , 5 }"}, 0, 7, "#0@1:2 #5@1:4"},
      {{"{ 1.. }"}, 0, 7, "#1@1:2..#0@1:6"},
      // Across lines; a string loses the newline and the next line's
      // leading white space, and stands where its closing quote does.
      {{"{ 0..\n", "  9 }  x"}, 0, 7, "#0@1:2..#9@2:2"},
      {{"{ \"ab \n", "\t cd\" }\n"}, 0, 8, "\"ab cd\"@2:2"},
      {{"{ \"a\n", "# x\"\n", "b\" }"}, 0, 4, "\"ab\"@3:0"},
      {{"{\"\", \" x \"}"}, 0, 11, "\"\"@1:2 \" x \"@1:6"},
      // String items: maximum length as strtoul reads it, default text.
      {{"{ string32 }"}, 0, 12, "$32:@1:2..$0:@1:2"},
      {{"{string32}"}, 0, 10, "$32:@1:1..$0:@1:1"},
      {{"{ string16:abc }"}, 0, 16, "$16:@1:2..$0:abc@1:2"},
      {{"{ string0x10:a:b }"}, 0, 18, "$16:@1:2..$0:a:b@1:2"},
      {{"{ string-1 }"}, 0, 12, "$-1:@1:2..$0:@1:2"},
      {{"{ string99999999999 }"}, 0, 21, "$-1:@1:2..$0:@1:2"},
      {{"{ string2147483648 }"}, 0, 20, "$-2147483648:@1:2..$0:@1:2"},
      {{"{ string8\n", "} x"}, 0, 2, "$8:@1:2..$0:@1:2"},
      // Only what follows a string item is checked; a later stage reports
      // one that is not alone.
      {{"{ \"a\", string8 }"}, 0, 16, "\"a\"@1:3 $8:@1:7..$0:@1:7"},
      // Refusals, with the caret on the offending character.
      {{"{}"}, 13, 1, ""},
      {{"{ 1.5 }"}, 1, 3, "#1@1:2"},
      {{"{ 1x }"}, 1, 3, ""},
      {{"{ 7, 08 }"}, 1, 6, "#7@1:2"},
      {{"{ 1..2..3 }"}, 1, 6, "#1@1:2"},
      {{"{ string0 }"}, 1, 2, ""},
      {{"{ string }"}, 1, 2, ""},
      {{"{ string 8 }"}, 1, 2, ""},
      {{"{ string8, 1 }"}, 1, 2, ""},
      {{"{ string8 1 }"}, 1, 10, "$8:@1:2..$0:@1:2"},
      {{"{ string8 , 1 }"}, 1, 10, "$8:@1:2..$0:@1:2"},
      {{"{ ?..3 }"}, 1, 3, "?@1:2"},
      {{"1 }"}, 1, 0, ""},
      // The line ends inside the range.
      {{"{ 1,\n"}, -2, 3, "#1@1:2"},
      {{"{ \"open\n"}, -2, 3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    resetReaders();
    RangeDef range;
    uint32_t column = kUnset;
    EXPECT_EQ(feedLines(c.lines, column,
                        [&](const char*& cursor, const char* text,
                            uint32_t number) {
                          return readRange(range, column, cursor, text,
                                           number);
                        }),
              c.result);
    EXPECT_EQ(column, c.column);
    EXPECT_EQ(rendered(range), c.items);
    expectSourceLines(range.sourceLines, tokenLines(range), c.lines);
  }
}

}  // namespace
