// Every reader of a braced operand, driven by the cases in
// tests/cases/readers/operands.txt, and the parser's version words.

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

// One reader, named as in operands.txt, with a target of its own.
struct Subject {
  std::string reader;
  NameList list;
  std::string text;
  ProductInfo info;
  RangeDef range;
  TrapValues values;
  DisplayRule rule;
  std::set<uint32_t> itemLines;  // of everything rendered() wrote

  // The reader's call on one line; `n` is the line's number.
  int read(uint32_t& col, const char*& cursor, const char* line, uint32_t n) {
    if (reader == "Names" || reader == "NamesOrNone") {
      return readNameList(list, col, cursor, line, n, reader == "NamesOrNone");
    }
    if (reader == "Text") return readTextBlock(text, col, cursor, line);
    if (reader == "Word") return readProductInfo(info, col, cursor, line, n);
    if (reader == "Range") return readRange(range, col, cursor, line, n);
    if (reader == "Values") return readTrapValues(values, col, cursor, line, n);
    EXPECT_EQ(reader, "Display");
    return readDisplayBody(rule, col, cursor, line, n);
  }

  std::string at(const std::string& word, uint32_t line, uint32_t column) {
    itemLines.insert(line);
    return word + "@" + std::to_string(line) + ":" + std::to_string(column);
  }

  // As describe() writes it; in a range the wildcard (a Name) as "?" and
  // the string length marker as "$N:default".
  std::string tokens(const std::vector<ExprToken>& list) {
    std::string out;
    for (const ExprToken& t : list) {
      std::string word = describe({t.value});
      if (reader == "Range" && t.value.kind == kExprName) word = "?";
      if (t.value.kind == kRangeStringLength) {
        word += std::to_string(t.value.number) + ":" + t.value.text;
      }
      out += (out.empty() ? "" : " ") + at(word, t.line, t.column);
    }
    return out;
  }

  // The target as operands.txt writes it. The record keeps exactly the
  // lines of its items, each with its full text.
  std::string rendered(const std::string& rest,
                       const std::vector<std::string>& lines) {
    const SourceLines* source = nullptr;
    std::string out;
    const auto item = [&out](const std::string& from, const std::string& to) {
      out += (out.empty() ? "" : ", ") + from +
             (to.empty() || to == from ? "" : ".." + to);
    };
    if (reader == "Text") return "[" + text + "]" + rest;
    if (reader == "Display") {
      out = "\"" + rule.format + "\"";
      for (const Expression& argument : rule.arguments) {
        out += " (" + tokens(argument.tokens) + ")";
      }
    } else if (reader == "Word") {
      source = &info.sourceLines;
      if (!info.value.empty()) item(at(info.value, info.line, info.column), "");
    } else if (reader == "Range") {
      source = &range.sourceLines;
      for (const RangeItem& r : range.items) {
        item(tokens({r.from}), tokens({r.to}));
      }
    } else if (reader == "Values") {
      source = &values.sourceLines;
      for (const ValueRange& v : values.values) {
        item(tokens(v.from), tokens(v.to));
      }
    } else {
      source = &list.sourceLines;
      for (const NameRef& n : list.items) {
        item(at(n.name, n.line, n.column), "");
      }
    }
    if (source == nullptr) return out;
    std::set<uint32_t> numbers;
    for (const auto& [number, text] : *source) {
      numbers.insert(number);
      EXPECT_EQ(text, lines.at(number - 1)) << "line " << number;
    }
    EXPECT_EQ(numbers, itemLines);
    return out;
  }
};

// Each case hands its lines to a fresh reader, as the statement parser does
// (comment lines left out), until the reader stops asking for more; every
// line must be needed. The lines are exactly sized, so the sanitizer build
// sees a read past one. Then it checks what the last call left: result,
// columnOut, target.
TEST(LanguageReaders, ReadOperandsAndRefusals) {
  for (const auto& c : caseRows("readers/operands.txt", 5)) {
    const std::vector<std::string> lines = splitLines(c[1]);
    SCOPED_TRACE(c[0] + " " + testing::PrintToString(lines));
    resetReaders();
    resetExpressionReader();  // a case may stop inside an expression
    Subject subject;
    subject.reader = c[0];
    uint32_t column = 0xFFFFFFFFu;
    int result = kReadLineEnded;
    std::string rest;
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(result, kReadLineEnded) << "line " << i + 1 << " not needed";
      const ExactLine line(lines[i]);
      if (isCommentLine(line.c_str())) continue;
      const char* cursor = line.c_str();
      result = subject.read(column, cursor, line.c_str(),
                            static_cast<uint32_t>(i + 1));
      rest = cursor;
      // Behind a complete operand the caret of a later error goes where
      // the cursor stopped; a text block keeps the column where its text
      // began.
      if (result == kReadLineEnded) {
        EXPECT_EQ(rest, "") << "-2 before the end of line " << i + 1;
      } else if (result == kReadComplete && c[0] != "Text") {
        EXPECT_EQ(column, columnOf(cursor, line.c_str()));
      }
    }
    EXPECT_EQ(std::to_string(result), c[2]);
    EXPECT_EQ(column == 0xFFFFFFFFu ? "-" : std::to_string(column), c[3]);
    EXPECT_EQ(subject.rendered(result == 0 ? rest : "", lines), c[4]);
  }
}

// The parser's versions: a whole word that is a number of at least 0.
TEST(LanguageReaders, NonNegativeWords) {
  int32_t value = -1;
  EXPECT_TRUE(nonNegativeFromWord("-0", value) && value == 0);
  EXPECT_TRUE(nonNegativeFromWord("+7", value) && value == 7);
  EXPECT_FALSE(nonNegativeFromWord("-5", value));
  EXPECT_FALSE(nonNegativeFromWord("5x", value));
  EXPECT_FALSE(numberFromWord("", value));
}

}  // namespace
