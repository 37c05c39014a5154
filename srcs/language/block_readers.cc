#include "language/block_readers.h"

#include <cstring>
#include <utility>

#include "language/lexer.h"
#include "language/reader_steps.h"

namespace {

// The readers' states; ExpectOpen means between operands.
enum class NameListState : uint32_t {
  ExpectOpen = 0,
  ExpectName = 1,
  AfterEntry = 2,
  ExpectClose = 3,
};
enum class TextBlockState : uint32_t {
  ExpectOpen = 0,
  InText = 1,
};
enum class ProductInfoState : uint32_t {
  ExpectOpen = 0,
  ExpectWord = 1,
  ExpectClose = 2,
};

// One definition file is read at a time, and an operand may end on a later
// line than it began, so the states outlive every call.
NameListState gNameListState = NameListState::ExpectOpen;
TextBlockState gTextBlockState = TextBlockState::ExpectOpen;
ProductInfoState gProductInfoState = ProductInfoState::ExpectOpen;

}  // namespace

int readNameList(NameList& list, uint32_t& columnOut, const char*& cursor,
                 const char* lineText, uint32_t lineNumber, bool allowEmpty) {
  return runReader(columnOut, cursor, lineText, [&]() -> StepResult {
    switch (gNameListState) {
      case NameListState::ExpectOpen:
        return openOperand(gNameListState, NameListState::ExpectName, cursor,
                           kNameListWrong);
      case NameListState::ExpectName: {
        std::string name;
        const char* end = readWord(name, cursor, ",}");
        if (name.empty()) {
          // Only `{}` may be empty: once a name was read, an empty entry is
          // a stray `,`.
          if (!allowEmpty || !list.items.empty()) return kNameListWrong;
          gNameListState = NameListState::ExpectClose;
          break;
        }
        list.items.push_back(
            NameRef{lineNumber, columnOut, Text::interned(name)});
        addSourceLine(list.sourceLines, lineNumber, lineText);
        cursor = skipSpace(end);
        gNameListState = NameListState::AfterEntry;
        break;
      }
      case NameListState::AfterEntry:
        return nextItemOrClose(gNameListState, NameListState::ExpectName,
                               columnOut, cursor, lineText, kNameListWrong);
      case NameListState::ExpectClose:
        if (*cursor != '}') return kNameListWrong;
        return closeOperand(gNameListState, columnOut, cursor, lineText);
    }
    return std::nullopt;
  });
}

// Skipping white space on entry (runReader) also drops the indentation of
// every further line of a block.
int readTextBlock(std::string& text, uint32_t& columnOut, const char*& cursor,
                  const char* lineText) {
  return runReader(columnOut, cursor, lineText, [&]() -> StepResult {
    switch (gTextBlockState) {
      case TextBlockState::ExpectOpen:
        return openOperand(gTextBlockState, TextBlockState::InText, cursor,
                           kBlockWrong);
      case TextBlockState::InText: {
        const char* close = std::strchr(cursor, '}');
        if (close == nullptr) {
          // The block goes on: keep the line's newline as part of the text.
          const char* end = cursor + std::strlen(cursor);
          text.append(cursor, end);
          cursor = end;
          break;
        }
        text.append(cursor, close);
        cursor = skipSpace(close + 1);
        gTextBlockState = TextBlockState::ExpectOpen;
        // columnOut stays where this piece of text began.
        return kReadComplete;
      }
    }
    return std::nullopt;
  });
}

int readProductInfo(ProductInfo& info, uint32_t& columnOut,
                    const char*& cursor, const char* lineText,
                    uint32_t lineNumber) {
  return runReader(columnOut, cursor, lineText, [&]() -> StepResult {
    switch (gProductInfoState) {
      case ProductInfoState::ExpectOpen:
        return openOperand(gProductInfoState, ProductInfoState::ExpectWord,
                           cursor, kBlockWrong);
      case ProductInfoState::ExpectWord: {
        const char* end = readWord(info.value, cursor, "}");
        if (end == cursor) return kBlockWrong;
        info.line = lineNumber;
        info.column = columnOut;
        addSourceLine(info.sourceLines, lineNumber, lineText);
        cursor = skipSpace(end);
        gProductInfoState = ProductInfoState::ExpectClose;
        break;
      }
      case ProductInfoState::ExpectClose:
        if (*cursor != '}') return kBlockWrong;
        return closeOperand(gProductInfoState, columnOut, cursor, lineText);
    }
    return std::nullopt;
  });
}

void resetBlockReaders() {
  gNameListState = NameListState::ExpectOpen;
  gTextBlockState = TextBlockState::ExpectOpen;
  gProductInfoState = ProductInfoState::ExpectOpen;
}
