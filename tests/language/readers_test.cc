// The character rules of the definition language and every reader of a
// braced operand: name lists, text blocks, single words, ranges, trap values
// and display bodies.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "expr/expr_text.h"
#include "expr/reader.h"
#include "language/block_readers.h"
#include "language/display_body_reader.h"
#include "language/lexer.h"
#include "language/range_reader.h"
#include "language/reader.h"
#include "language/trap_values_reader.h"
#include "language/word_number.h"
#include "support/exact_line.h"

namespace {

constexpr uint32_t kUnset = 0xFFFFFFFFu;

enum class Reader { Names, NamesOrNone, Text, Word, Range, Values, Display };

// One reader with a target of its own, so that one table drives them all.
struct Subject {
  explicit Subject(Reader which) : reader(which) {}

  Reader reader;
  NameList list;
  std::string text;
  ProductInfo info;
  RangeDef range;
  TrapValues values;
  DisplayRule rule;
  uint32_t column = kUnset;      // the reader's columnOut
  std::string rest;              // the line from the cursor on, at the end
  uint32_t stopColumn = 0;       // the cursor's column then
  std::set<uint32_t> itemLines;  // of everything rendered() wrote
  const SourceLines* source = nullptr;  // of the record, if it keeps them

  int read(const char*& cursor, const char* line, uint32_t number) {
    switch (reader) {
      case Reader::Names:
      case Reader::NamesOrNone:
        return readNameList(list, column, cursor, line, number,
                            reader == Reader::NamesOrNone);
      case Reader::Text:
        return readTextBlock(text, column, cursor, line);
      case Reader::Word:
        return readProductInfo(info, column, cursor, line, number);
      case Reader::Range:
        return readRange(range, column, cursor, line, number);
      case Reader::Values:
        return readTrapValues(values, column, cursor, line, number);
      case Reader::Display:
        return readDisplayBody(rule, column, cursor, line, number);
    }
    return 100;
  }

  // Hands `lines` over as the statement parser does, comment lines left
  // out, until the reader stops asking for more; every line must be needed.
  // The lines are exactly sized, so the sanitizer build sees a read past one.
  int feed(const std::vector<std::string>& lines) {
    int result = kReadLineEnded;
    for (size_t i = 0; i < lines.size() && result == kReadLineEnded; ++i) {
      const ExactLine line(lines[i]);
      if (isCommentLine(line.c_str())) continue;
      const char* cursor = line.c_str();
      result = read(cursor, line.c_str(), static_cast<uint32_t>(i + 1));
      rest = cursor;
      stopColumn = columnOf(cursor, line.c_str());
      if (result == kReadLineEnded) {
        EXPECT_EQ(rest, "") << "-2 before the end of line " << i + 1;
      } else {
        EXPECT_EQ(i + 1, lines.size()) << "stopped before the last line";
      }
    }
    return result;
  }

  std::string at(const std::string& word, uint32_t line, uint32_t column) {
    itemLines.insert(line);
    return word + "@" + std::to_string(line) + ":" + std::to_string(column);
  }

  // As describe() writes it; in a range the wildcard (a Name) as "?" and
  // its text, the string length marker as "$N:default".
  std::string token(const ExprToken& t) {
    const ExprValue& v = t.value;
    std::string word = describe({v});
    if (reader == Reader::Range && v.kind == kExprName) word = "?" + v.text;
    if (reader == Reader::Range && v.kind == kRangeStringLength) {
      word += std::to_string(v.number) + ":" + v.text;
    }
    return at(word, t.line, t.column);
  }

  std::string tokens(const std::vector<ExprToken>& list) {
    std::string out;
    for (const ExprToken& t : list) out += (out.empty() ? "" : " ") + token(t);
    return out;
  }

  // Every name and token with "@line:column"; range items separated by
  // spaces and trap values by commas, each "from" or "from..to"; a display
  // rule as its quoted format, then each argument in parentheses.
  std::string rendered() {
    std::string out;
    auto add = [&out](const char* separator, const std::string& item) {
      out += (out.empty() ? "" : separator) + item;
    };
    switch (reader) {
      case Reader::Names:
      case Reader::NamesOrNone:
        source = &list.sourceLines;
        for (const NameRef& n : list.items) {
          add(" ", at(n.name, n.line, n.column));
        }
        break;
      case Reader::Text:
        return text;
      case Reader::Word:
        source = &info.sourceLines;
        if (!info.value.empty()) out = at(info.value, info.line, info.column);
        break;
      case Reader::Range:
        source = &range.sourceLines;
        for (const RangeItem& item : range.items) {
          add(" ", token(item.from) +
                       (item.to == item.from ? "" : ".." + token(item.to)));
        }
        break;
      case Reader::Values:
        source = &values.sourceLines;
        for (const ValueRange& value : values.values) {
          add(", ", tokens(value.from) +
                        (value.to.empty() ? "" : ".." + tokens(value.to)));
        }
        break;
      case Reader::Display:
        out = "\"" + rule.format + "\"";
        for (const Expression& argument : rule.arguments) {
          out += " (" + tokens(argument.tokens) + ")";
        }
        break;
    }
    return out;
  }

  // The source lines rule, after rendered(): the record holds exactly the
  // lines of its items, each with its full text.
  void expectSourceLines(const std::vector<std::string>& lines) const {
    if (source == nullptr) return;
    std::set<uint32_t> numbers;
    for (const auto& [number, text] : *source) {
      numbers.insert(number);
      EXPECT_EQ(text, lines.at(number - 1)) << "line " << number;
    }
    EXPECT_EQ(numbers, itemLines);
  }
};

// Each row hands its lines to a fresh reader and checks what the last call
// left: result, columnOut, target and, where given, the rest of the line.
// Rows ending in -2 stop at a line end in each place an operand can be cut;
// multi-line rows show the reader resuming there.
TEST(LanguageReaders, ReadOperandsAndRefusals) {
  using enum Reader;
  struct Case {
    Reader reader;
    std::vector<std::string> lines;
    int result;
    uint32_t column;
    std::string target;
    const char* rest = nullptr;
  };
  const Case cases[] = {
      {Names, {"{ a, b,c }\n"}, 0, 11, "a@1:2 b@1:5 c@1:7", ""},
      {Names, {"\n", "{a} x"}, 0, 4, "a@2:1", "x"},
      {Names, {"\t{\tx{y,a[1]\t}\n"}, 0, 14, "x{y@1:3 a[1]@1:7", ""},
      {Names, {"{ a,\n", "  b }\n"}, 0, 6, "a@1:2 b@2:2", ""},
      {Names, {"{ a\n", "# b,\n", ", c}\n"}, 0, 5, "a@1:2 c@3:2", ""},
      {NamesOrNone, {"{}"}, 0, 2, "", ""},
      {NamesOrNone, {"{ \n", "} t\n"}, 0, 2, "", "t\n"},
      {Names, {"   \n"}, -2, kUnset, ""},
      {Names, {"{ \n"}, -2, 0, ""},
      {Names, {"{ a,\n"}, -2, 3, "a@1:2"},
      {Names, {"{ a \n"}, -2, 2, "a@1:2"},
      {Names, {"{}"}, 2, 1, ""},
      {NamesOrNone, {"{ a, }"}, 2, 5, "a@1:2"},
      {Names, {"{ , a }"}, 2, 2, ""},
      {Names, {"{ a b }"}, 2, 4, "a@1:2"},
      {Names, {"  a }"}, 2, 2, ""},
      {Names, {"{ a,\n", "  ,b }"}, 2, 2, "a@1:2"},
      {Text, {"\n", "{ first\n", "   second }\n"}, 0, 3, "first\nsecond ", ""},
      {Text, {"{ a } {b}"}, 0, 2, "a ", "{b}"},
      {Text, {"{}"}, 0, 1, "", ""},
      {Text, {"{ one  \n", "\ttwo\n", "\n", " three} t"}, 0, 1,
       "one  \ntwo\nthree", "t"},
      {Text, {"{ a\n", "  # note }\n", "b }"}, 0, 0, "a\nb ", ""},
      {Text, {"{ \"a, b\" # c }"}, 0, 2, "\"a, b\" # c ", ""},
      {Text, {""}, -2, kUnset, ""},
      {Text, {"{\n"}, -2, 0, ""},
      {Text, {"{ t \n"}, -2, 2, "t \n"},
      {Text, {"abc {"}, 1, 0, ""},
      {Word, {"{ 1x2 }"}, 0, 7, "1x2@1:2", ""},
      {Word, {"{v}}"}, 0, 3, "v@1:1", "}"},
      {Word, {"\n", "{\n", "  v1.2 }\n"}, 0, 9, "v1.2@3:2", ""},
      {Word, {"{ a{b\n", "}"}, 0, 1, "a{b@1:2", ""},
      {Word, {"\n"}, -2, kUnset, ""},
      {Word, {"{\n"}, -2, 0, ""},
      {Word, {"{ w\n"}, -2, 2, "w@1:2"},
      {Word, {"{ }"}, 1, 2, ""},
      {Word, {"{ a b }"}, 1, 4, "a@1:2"},
      {Word, {"{ a\n", "b }"}, 1, 0, "a@1:2"},
      {Word, {"x"}, 1, 0, ""},
      // Ranges: the four kinds of item, numbers in every base, saturation.
      {Range, {"{ 0..3, 7, \"auto\", ? }\n"}, 0, 23,
       "#0@1:2..#3@1:5 #7@1:8 \"auto\"@1:12 ?@1:19"},
      {Range, {"{ -5..0x10, 010, -0x7fffffff, 99999999999 }"}, 0, 43,
       "#-5@1:2..#16@1:6 #8@1:12 #-2147483647@1:17 #2147483647@1:30"},
      // Empty words are the number 0; a trailing comma is accepted.
      {Range, {"\t { 1, }"}, 0, 8, "#1@1:4"},
      {Range, {"{ , 5 }"}, 0, 7, "#0@1:2 #5@1:4"},
      {Range, {"{ 1.. }"}, 0, 7, "#1@1:2..#0@1:6"},
      // Across lines; a string loses the newline and the next line's
      // leading white space, and stands where its closing quote does.
      {Range, {"{ 0..\n", "  9 }  x"}, 0, 7, "#0@1:2..#9@2:2"},
      {Range, {"{ \"ab \n", "\t cd\" }\n"}, 0, 8, "\"ab cd\"@2:2"},
      {Range, {"{ \"a\n", "# x\"\n", "b\" }"}, 0, 4, "\"ab\"@3:0"},
      {Range, {"{\"\", \" x \"}"}, 0, 11, "\"\"@1:2 \" x \"@1:6"},
      // String items: maximum length as strtoul reads it, default text.
      {Range, {"{ string32 }"}, 0, 12, "$32:@1:2..$0:@1:2"},
      {Range, {"{string32}"}, 0, 10, "$32:@1:1..$0:@1:1"},
      {Range, {"{ string16:abc }"}, 0, 16, "$16:@1:2..$0:abc@1:2"},
      {Range, {"{ string0x10:a:b }"}, 0, 18, "$16:@1:2..$0:a:b@1:2"},
      {Range, {"{ string-1 }"}, 0, 12, "$-1:@1:2..$0:@1:2"},
      {Range, {"{ string99999999999 }"}, 0, 21, "$-1:@1:2..$0:@1:2"},
      {Range, {"{ string2147483648 }"}, 0, 20, "$-2147483648:@1:2..$0:@1:2"},
      {Range, {"{ string8\n", "} x"}, 0, 2, "$8:@1:2..$0:@1:2"},
      // Only what follows a string item is checked; a later stage reports
      // one that is not alone.
      {Range, {"{ \"a\", string8 }"}, 0, 16, "\"a\"@1:3 $8:@1:7..$0:@1:7"},
      // Refusals, with the caret on the offending character.
      {Range, {"{}"}, 13, 1, ""},
      {Range, {"{ 1.5 }"}, 1, 3, "#1@1:2"},
      {Range, {"{ 1x }"}, 1, 3, ""},
      {Range, {"{ 7, 08 }"}, 1, 6, "#7@1:2"},
      {Range, {"{ 1..2..3 }"}, 1, 6, "#1@1:2"},
      {Range, {"{ string0 }"}, 1, 2, ""},
      {Range, {"{ string }"}, 1, 2, ""},
      {Range, {"{ string 8 }"}, 1, 2, ""},
      {Range, {"{ string8, 1 }"}, 1, 2, ""},
      {Range, {"{ string8 1 }"}, 1, 10, "$8:@1:2..$0:@1:2"},
      {Range, {"{ string8 , 1 }"}, 1, 10, "$8:@1:2..$0:@1:2"},
      {Range, {"{ ?..3 }"}, 1, 3, "?@1:2"},
      {Range, {"1 }"}, 1, 0, ""},
      {Range, {"{ 1,\n"}, -2, 3, "#1@1:2"},
      {Range, {"{ \"open\n"}, -2, 3, ""},
      // Trap values.
      {Values, {"{ 1, 2..4, \"x\", (a + 1)..(b), 5..(c) }\n"}, 0, 39,
       "#1@1:2, #2@1:5..#4@1:8, \"x\"@1:12, a@1:17 +@1:19 #1@1:21..b@1:26, "
       "#5@1:30..c@1:34"},
      {Values, {" \t{ }"}, 0, 5, ""},
      {Values, {"{}  x"}, 0, 4, ""},
      {Values, {"{ 1, }"}, 0, 6, "#1@1:2"},
      {Values, {"{ , 5.. }"}, 0, 9, "#0@1:2, #5@1:4..#0@1:8"},
      // An expression's lines join the block's only once it is complete.
      {Values, {"{ (a +\n", "   b)..\n", "(-1) }\n"}, 0, 7,
       "a@1:3 +@1:5 b@2:3..#-1@3:1"},
      {Values, {"{ -0x10..\n", "  0x7fffffff }"}, 0, 14,
       "#-16@1:2..#2147483647@2:2"},
      {Values, {"{ \"a\n", "  b\", (\"c\n", "d\") }"}, 0, 5,
       "\"ab\"@2:2, \"cd\"@3:0"},
      // An expression's own failure is passed on with its column.
      {Values, {"{ \"a\"..\"b\" }"}, 2, 5, "\"a\"@1:3"},
      {Values, {"{ (a[1]) }"}, 2, 4, ""},
      {Values, {"{ 1..(x = 2) }"}, 2, 8, "#1@1:2"},
      {Values, {"{ 1.5 }"}, 2, 3, "#1@1:2"},
      {Values, {"{ (a)(b) }"}, 2, 5, "a@1:3"},
      {Values, {"{ 1..2..3 }"}, 2, 6, "#1@1:2"},
      {Values, {"{ 1..2 3 }"}, 2, 7, "#1@1:2..#2@1:5"},
      {Values, {"{ ? }"}, 2, 2, ""},
      {Values, {"( 1 )"}, 2, 0, ""},
      {Values, {"{ (a\n"}, -2, 3, ""},
      // Display bodies, across lines inside the format and an argument.
      {Display, {"{ \"%d\", (level), (gain[2]) }\n"}, 0, 29,
       "\"%d\" (level@1:9) (gain[2]@1:18)"},
      {Display, {"\t{ \"%s dB\" }"}, 0, 12, "\"%s dB\""},
      {Display, {"{\"a,}(\",(x)}x"}, 0, 12, "\"a,}(\" (x@1:9)"},
      {Display, {"{ \"a b\n", "  c d\", (x) }"}, 0, 13, "\"a bc d\" (x@2:9)"},
      {Display, {"{ \"%s\", (a +\n", "  b[1]) }"}, 0, 9,
       "\"%s\" (a@1:9 +@1:11 b[1]@2:2)"},
      {Display, {"{\n", "\"%d\",\n", "# (y),\n", "(x)\n", "}\n"}, 0, 2,
       "\"%d\" (x@4:1)"},
      // Every failure of an argument is the display reader's own 1.
      {Display, {"{ }"}, 1, 2, "\"\""},
      {Display, {"{ (x) }"}, 1, 2, "\"\""},
      {Display, {"{ \"a\" (x) }"}, 1, 6, "\"a\""},
      {Display, {"{ \"a\", }"}, 1, 7, "\"a\""},
      {Display, {"{ \"a\", x }"}, 1, 7, "\"a\""},
      {Display, {"{ \"%d\", (a = 1) }"}, 1, 11, "\"%d\""},
      {Display, {"{ \"%d\", ([1]) }"}, 1, 9, "\"%d\""},
      {Display, {"\"a\""}, 1, 0, "\"\""},
      {Display, {"{ \"%d\", (x\n"}, -2, 9, "\"%d\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    resetReaders();
    resetExpressionReader();  // a row may stop inside an expression
    Subject subject(c.reader);
    EXPECT_EQ(subject.feed(c.lines), c.result);
    EXPECT_EQ(subject.column, c.column);
    EXPECT_EQ(subject.rendered(), c.target);
    subject.expectSourceLines(c.lines);
    // Behind a complete operand the caret of a later error goes where the
    // cursor stopped; a text block keeps the column where its text began.
    if (c.result == kReadComplete && c.reader != Text) {
      EXPECT_EQ(subject.column, subject.stopColumn);
    }
    if (c.rest != nullptr) {
      EXPECT_EQ(subject.rest, c.rest);
    }
  }
}

TEST(LanguageReaders, CommentLineStartsWithHashAfterWhiteSpace) {
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

TEST(LanguageReaders, WordIsANumberOnlyAsAWhole) {
  struct Case {
    std::string word;
    bool number;
    int32_t value;
    size_t stop;
    bool nonNegative;
  };
  const Case cases[] = {
      {"12", true, 12, 2, true},    {"0x10", true, 16, 4, true},
      {"0X1f", true, 31, 4, true},  {"010", true, 8, 3, true},
      {"+7", true, 7, 2, true},     {"-0", true, 0, 2, true},
      {"-5", true, -5, 2, false},   {"1.5", false, 1, 1, false},
      {"12a", false, 12, 2, false}, {"08", false, 0, 1, false},
      {"0x", false, 0, 1, false},   {"0b1", false, 0, 1, false},
      {"-0B1", false, 0, 2, false}, {"", false, 0, 0, false},
      {"x1", false, 0, 0, false},   {" 12", false, 0, 0, false},
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
