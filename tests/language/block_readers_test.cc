#include "language/block_readers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "language/lexer.h"
#include "language/reader.h"

namespace {

constexpr uint32_t kUnset = 0xFFFFFFFFu;

enum class Reader { NameList, TextBlock, ProductInfo };

// One of the three readers with a target of its own, so that one table can
// drive all three.
struct Subject {
  explicit Subject(Reader which, bool allowEmptyList = false)
      : reader(which), allowEmpty(allowEmptyList) {}

  Reader reader;
  bool allowEmpty;
  NameList list;
  std::string text;
  ProductInfo info;
  uint32_t column = kUnset;

  int read(const char*& cursor, const char* lineText, uint32_t lineNumber) {
    switch (reader) {
      case Reader::NameList:
        return readNameList(list, column, cursor, lineText, lineNumber,
                            allowEmpty);
      case Reader::TextBlock:
        return readTextBlock(text, column, cursor, lineText);
      case Reader::ProductInfo:
        return readProductInfo(info, column, cursor, lineText, lineNumber);
    }
    return 100;
  }

  // The target as "name@line:column ..." (name list), "word@line:column"
  // (single word) or the text itself.
  std::string rendered() const {
    auto at = [](const std::string& word, uint32_t line, uint32_t column) {
      return word + "@" + std::to_string(line) + ":" + std::to_string(column);
    };
    std::string out;
    switch (reader) {
      case Reader::NameList:
        for (const NameRef& item : list.items) {
          out += (out.empty() ? "" : " ") + at(item.name, item.line, item.column);
        }
        return out;
      case Reader::TextBlock:
        return text;
      case Reader::ProductInfo:
        return info.value.empty() ? "" : at(info.value, info.line, info.column);
    }
    return out;
  }

  // The source lines rule: exactly the lines of the stored items, each with
  // its full text.
  void expectSourceLines(const std::vector<std::string>& lines) const {
    if (reader == Reader::TextBlock) return;
    std::set<uint32_t> itemLines;
    for (const NameRef& item : list.items) itemLines.insert(item.line);
    if (!info.value.empty()) itemLines.insert(info.line);
    const SourceLines& source =
        reader == Reader::NameList ? list.sourceLines : info.sourceLines;
    std::set<uint32_t> sourceLines;
    for (const auto& [number, text] : source) {
      sourceLines.insert(number);
      EXPECT_EQ(text, lines.at(number - 1)) << "line " << number;
    }
    EXPECT_EQ(sourceLines, itemLines);
  }
};

struct Outcome {
  int result = kReadLineEnded;
  std::string rest;  // the line from the cursor on, after the last call
};

// Hands `lines` to the reader as the statement parser does: each line from
// its start, comment lines left out, until the reader stops asking for more.
Outcome feed(Subject& subject, const std::vector<std::string>& lines) {
  Outcome outcome;
  for (size_t i = 0; i < lines.size(); ++i) {
    const char* lineText = lines[i].c_str();
    if (isCommentLine(lineText)) continue;
    const char* cursor = lineText;
    const uint32_t lineNumber = i + 1;
    outcome.result = subject.read(cursor, lineText, lineNumber);
    outcome.rest = cursor;
    if (outcome.result != kReadLineEnded) break;
    EXPECT_EQ(outcome.rest, "") << "-2 before the end of line " << lineNumber;
  }
  return outcome;
}

class LanguageBlockReaders : public testing::Test {
 protected:
  // The reader states are process-wide: every case starts between operands.
  void SetUp() override { resetReaders(); }
};

// Each row hands its lines to one reader and checks what the last call left:
// result, columnOut, target, and on success the rest of the line. Rows
// ending in -2 stop at a line end in each place an operand can be cut;
// multi-line rows show the reader resuming there.
TEST_F(LanguageBlockReaders, ReadOperands) {
  using R = Reader;
  struct Case {
    Reader reader;
    std::vector<std::string> lines;
    bool allowEmpty;
    int result;
    uint32_t column;
    std::string target;
    std::string rest;
  };
  const Case cases[] = {
      {R::NameList, {"{ a, b,c }\n"}, false, 0, 11, "a@1:2 b@1:5 c@1:7", ""},
      {R::NameList, {"\n", "{a} x"}, false, 0, 4, "a@2:1", "x"},
      {R::NameList, {"\t{\tx{y,a[1]\t}\n"}, false, 0, 14, "x{y@1:3 a[1]@1:7", ""},
      {R::NameList, {"{ a,\n", "  b }\n"}, false, 0, 6, "a@1:2 b@2:2", ""},
      {R::NameList, {"{ a\n", "# b,\n", ", c}\n"}, false, 0, 5, "a@1:2 c@3:2", ""},
      {R::NameList, {"{}"}, true, 0, 2, "", ""},
      {R::NameList, {"{ \n", "} t\n"}, true, 0, 2, "", "t\n"},
      {R::NameList, {"   \n"}, false, -2, kUnset, "", ""},
      {R::NameList, {"{ \n"}, false, -2, 0, "", ""},
      {R::NameList, {"{ a,\n"}, false, -2, 3, "a@1:2", ""},
      {R::NameList, {"{ a \n"}, false, -2, 2, "a@1:2", ""},
      {R::NameList, {"{}"}, false, 2, 1, "", ""},
      {R::NameList, {"{ a, }"}, true, 2, 5, "a@1:2", ""},
      {R::NameList, {"{ , a }"}, false, 2, 2, "", ""},
      {R::NameList, {"{ a b }"}, false, 2, 4, "a@1:2", ""},
      {R::NameList, {"  a }"}, false, 2, 2, "", ""},
      {R::NameList, {"{ a,\n", "  ,b }"}, false, 2, 2, "a@1:2", ""},
      {R::TextBlock, {"\n", "{ first\n", "   second }\n"}, false, 0, 3, "first\nsecond ", ""},
      {R::TextBlock, {"{ a } {b}"}, false, 0, 2, "a ", "{b}"},
      {R::TextBlock, {"{}"}, false, 0, 1, "", ""},
      {R::TextBlock, {"{ one  \n", "\ttwo\n", "\n", " three} t"}, false, 0, 1,
       "one  \ntwo\nthree", "t"},
      {R::TextBlock, {"{ a\n", "  # note }\n", "b }"}, false, 0, 0, "a\nb ", ""},
      {R::TextBlock, {"{ \"a, b\" # c }"}, false, 0, 2, "\"a, b\" # c ", ""},
      {R::TextBlock, {""}, false, -2, kUnset, "", ""},
      {R::TextBlock, {"{\n"}, false, -2, 0, "", ""},
      {R::TextBlock, {"{ t \n"}, false, -2, 2, "t \n", ""},
      {R::TextBlock, {"abc {"}, false, 1, 0, "", ""},
      {R::ProductInfo, {"{ 1x2 }"}, false, 0, 7, "1x2@1:2", ""},
      {R::ProductInfo, {"{v}}"}, false, 0, 3, "v@1:1", "}"},
      {R::ProductInfo, {"\n", "{\n", "  v1.2 }\n"}, false, 0, 9, "v1.2@3:2", ""},
      {R::ProductInfo, {"{ a{b\n", "}"}, false, 0, 1, "a{b@1:2", ""},
      {R::ProductInfo, {"\n"}, false, -2, kUnset, "", ""},
      {R::ProductInfo, {"{\n"}, false, -2, 0, "", ""},
      {R::ProductInfo, {"{ w\n"}, false, -2, 2, "w@1:2", ""},
      {R::ProductInfo, {"{ }"}, false, 1, 2, "", ""},
      {R::ProductInfo, {"{ a b }"}, false, 1, 4, "a@1:2", ""},
      {R::ProductInfo, {"{ a\n", "b }"}, false, 1, 0, "a@1:2", ""},
      {R::ProductInfo, {"x"}, false, 1, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    resetReaders();
    Subject subject(c.reader, c.allowEmpty);
    const Outcome outcome = feed(subject, c.lines);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(subject.column, c.column);
    EXPECT_EQ(subject.rendered(), c.target);
    subject.expectSourceLines(c.lines);
    if (c.result != kNameListWrong && c.result != kBlockWrong) {
      EXPECT_EQ(outcome.rest, c.rest);
    }
  }
}

TEST_F(LanguageBlockReaders, SecondTextBlockContinuesTheFirst) {
  Subject subject(Reader::TextBlock);
  EXPECT_EQ(feed(subject, {"{one } {two}"}).rest, "{two}");
  feed(subject, {"{two}"});
  EXPECT_EQ(subject.text, "one two");
}

}  // namespace
