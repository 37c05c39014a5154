#include "language/range_reader.h"

#include <cstring>
#include <string>

#include "expr/number.h"
#include "language/lexer.h"
#include "language/reader_steps.h"
#include "language/value_number.h"

namespace {

// A range may end on a later line than it began, inside a string too, so
// the state and the string read so far outlive every call.
RangeState gState = RangeState::ExpectOpen;
std::string gQuoted;

constexpr char kStringLength[] = "string";
constexpr size_t kStringLengthSize = sizeof kStringLength - 1;

void addItem(RangeDef& range, const ExprToken& from, const ExprToken& to,
             const char* lineText) {
  range.items.push_back(RangeItem{from, to});
  addSourceLine(range.sourceLines, from.line, lineText);
}

// `stringN` or `stringN:default`, the only item of its range. The length is
// read as the card's strtoul reads it; a length of 0 (an empty or
// non-numeric word among them) is refused.
StepResult readStringLength(RangeDef& range, uint32_t column,
                            const char*& cursor, const char* lineText,
                            uint32_t lineNumber) {
  std::string word;
  const char* end = readWord(word, cursor + kStringLengthSize, "}");
  const char* stop = nullptr;
  const uint32_t length = strtoul32(word.c_str(), &stop);
  std::string defaultText;
  if (*stop == ':') {
    defaultText = stop + 1;
  } else if (*stop != '\0') {
    return kRangeWrong;
  }
  if (length == 0) return kRangeWrong;
  // The token's number is a signed 32-bit field: a length of 2^31 or more
  // keeps its bit pattern, as on the card.
  ExprValue from{kRangeStringLength, static_cast<int32_t>(length), {}};
  ExprValue to{kRangeStringLength, 0, std::move(defaultText)};
  addItem(range, ExprToken{lineNumber, column, std::move(from)},
          ExprToken{lineNumber, column, std::move(to)}, lineText);
  cursor = skipSpace(end);
  gState = RangeState::ExpectClose;
  return std::nullopt;
}

StepResult expectValue(RangeDef& range, uint32_t& columnOut,
                       const char*& cursor, const char* lineText,
                       uint32_t lineNumber) {
  const uint32_t column = columnOut;
  if (*cursor == '"') {
    gQuoted.clear();
    ++cursor;
    gState = RangeState::InQuote;
    return std::nullopt;
  }
  if (*cursor == '}') {
    // A trailing comma before `}` is accepted; `{}` is not a range.
    if (range.items.empty()) return kRangeEmpty;
    return closeOperand(gState, columnOut, cursor, lineText);
  }
  if (*cursor == '?') {
    const ExprToken wildcard{lineNumber, column, {kExprName, 0, {}}};
    addItem(range, wildcard, wildcard, lineText);
    cursor = skipSpace(cursor + 1);
    gState = RangeState::AfterValue;
    return std::nullopt;
  }
  if (std::strncmp(cursor, kStringLength, kStringLengthSize) == 0) {
    return readStringLength(range, column, cursor, lineText, lineNumber);
  }
  int32_t number = 0;
  if (!readValueNumber(number, columnOut, cursor, ",.}")) return kRangeWrong;
  const ExprToken value{lineNumber, column, {kExprInteger, number, {}}};
  addItem(range, value, value, lineText);
  gState = RangeState::AfterNumber;
  return std::nullopt;
}

// After a complete value: `,` for the next one or `}` for the end.
StepResult afterValue(uint32_t& columnOut, const char*& cursor,
                      const char* lineText) {
  return nextItemOrClose(gState, RangeState::ExpectValue, columnOut, cursor,
                         lineText, kRangeWrong);
}

}  // namespace

int readRange(RangeDef& range, uint32_t& columnOut, const char*& cursor,
              const char* lineText, uint32_t lineNumber) {
  return runReader(columnOut, cursor, lineText, [&]() -> StepResult {
    switch (gState) {
      case RangeState::ExpectOpen:
        return openOperand(gState, RangeState::ExpectValue, cursor,
                           kRangeWrong);
      case RangeState::ExpectValue:
        return expectValue(range, columnOut, cursor, lineText, lineNumber);
      case RangeState::InQuote: {
        const uint32_t column = columnOut;
        if (!readUpTo(gQuoted, cursor, '"')) return std::nullopt;
        // A card repeats the same few strings across its parameters.
        const ExprToken text{lineNumber, column,
                             {kExprString, 0, Text::interned(gQuoted)}};
        addItem(range, text, text, lineText);
        gState = RangeState::AfterValue;
        return std::nullopt;
      }
      case RangeState::AfterValue:
        return afterValue(columnOut, cursor, lineText);
      case RangeState::AfterNumber:
        if (cursor[0] != '.') return afterValue(columnOut, cursor, lineText);
        if (cursor[1] != '.') return kRangeWrong;
        cursor = skipSpace(cursor + 2);
        gState = RangeState::ExpectRangeEnd;
        return std::nullopt;
      case RangeState::ExpectRangeEnd: {
        const uint32_t column = columnOut;
        int32_t number = 0;
        if (!readValueNumber(number, columnOut, cursor, ",}")) {
          return kRangeWrong;
        }
        range.items.back().to =
            ExprToken{lineNumber, column, {kExprInteger, number, {}}};
        addSourceLine(range.sourceLines, lineNumber, lineText);
        gState = RangeState::AfterValue;
        return std::nullopt;
      }
      case RangeState::ExpectClose:
        if (*cursor != '}') return kRangeWrong;
        return closeOperand(gState, columnOut, cursor, lineText);
    }
    return kRangeWrong;
  });
}

void resetRangeReader() { gState = RangeState::ExpectOpen; }
