#include "language/trap_values_reader.h"

#include <string>

#include "expr/reader.h"
#include "language/reader_steps.h"
#include "language/value_number.h"

namespace {

// A block may end on a later line than it began, inside a string or an
// expression too, so the state, the string read so far and the expression
// being read outlive every call.
TrapValuesState gState = TrapValuesState::ExpectOpen;
std::string gQuoted;
Expression gExpression;

void startExpression(const char*& cursor, TrapValuesState next) {
  cursor = skipSpace(cursor + 1);
  gExpression.clear();
  gState = next;
}

// Reads on in the working expression of a `from` or a `to`. On completion
// the expression's lines join those of the block.
int readValueExpression(TrapValues& values, uint32_t& columnOut,
                        const char*& cursor, const char* lineText,
                        uint32_t lineNumber) {
  const int result = readExpression(gExpression, columnOut, cursor, lineText,
                                    lineNumber, false);
  if (result == kExprReadComplete) {
    values.sourceLines.insert(gExpression.sourceLines.begin(),
                              gExpression.sourceLines.end());
  }
  return result;
}

StepResult expectValue(TrapValues& values, uint32_t& columnOut,
                       const char*& cursor, const char* lineText,
                       uint32_t lineNumber) {
  const uint32_t column = columnOut;
  switch (*cursor) {
    case '"':
      gQuoted.clear();
      ++cursor;
      gState = TrapValuesState::InQuote;
      return std::nullopt;
    case '(':
      startExpression(cursor, TrapValuesState::InFromExpression);
      return std::nullopt;
    case '}':
      return closeOperand(gState, columnOut, cursor, lineText);
  }
  int32_t number = 0;
  if (!readValueNumber(number, columnOut, cursor, ",.}")) {
    return kTrapValuesWrong;
  }
  values.values.push_back(
      ValueRange{{ExprToken{lineNumber, column, {kExprInteger, number, {}}}},
                 {}});
  addSourceLine(values.sourceLines, lineNumber, lineText);
  gState = TrapValuesState::AfterFrom;
  return std::nullopt;
}

StepResult expectTo(TrapValues& values, uint32_t& columnOut,
                    const char*& cursor, const char* lineText,
                    uint32_t lineNumber) {
  if (*cursor == '(') {
    startExpression(cursor, TrapValuesState::InToExpression);
    return std::nullopt;
  }
  const uint32_t column = columnOut;
  int32_t number = 0;
  if (!readValueNumber(number, columnOut, cursor, ",}")) {
    return kTrapValuesWrong;
  }
  values.values.back().to = {
      ExprToken{lineNumber, column, {kExprInteger, number, {}}}};
  addSourceLine(values.sourceLines, lineNumber, lineText);
  gState = TrapValuesState::AfterValue;
  return std::nullopt;
}

// After a complete value: `,` for the next one or `}` for the end.
StepResult afterValue(uint32_t& columnOut, const char*& cursor,
                      const char* lineText) {
  return nextItemOrClose(gState, TrapValuesState::ExpectValue, columnOut,
                         cursor, lineText, kTrapValuesWrong);
}

}  // namespace

int readTrapValues(TrapValues& values, uint32_t& columnOut,
                   const char*& cursor, const char* lineText,
                   uint32_t lineNumber) {
  return runReader(columnOut, cursor, lineText, [&]() -> StepResult {
    switch (gState) {
      case TrapValuesState::ExpectOpen:
        return openOperand(gState, TrapValuesState::ExpectValue, cursor,
                           kTrapValuesWrong);
      case TrapValuesState::ExpectValue:
        return expectValue(values, columnOut, cursor, lineText, lineNumber);
      case TrapValuesState::InQuote: {
        const uint32_t column = columnOut;
        if (!readUpTo(gQuoted, cursor, '"')) return std::nullopt;
        values.values.push_back(ValueRange{
            {ExprToken{lineNumber, column, {kExprString, 0, gQuoted}}}, {}});
        addSourceLine(values.sourceLines, lineNumber, lineText);
        gState = TrapValuesState::AfterValue;
        return std::nullopt;
      }
      case TrapValuesState::InFromExpression: {
        const int result = readValueExpression(values, columnOut, cursor,
                                               lineText, lineNumber);
        if (result != kExprReadComplete) return result;
        values.values.push_back(ValueRange{gExpression.tokens, {}});
        gState = TrapValuesState::AfterFrom;
        return std::nullopt;
      }
      case TrapValuesState::AfterFrom:
        if (cursor[0] != '.' || cursor[1] != '.') {
          return afterValue(columnOut, cursor, lineText);
        }
        cursor = skipSpace(cursor + 2);
        gState = TrapValuesState::ExpectTo;
        return std::nullopt;
      case TrapValuesState::ExpectTo:
        return expectTo(values, columnOut, cursor, lineText, lineNumber);
      case TrapValuesState::InToExpression: {
        const int result = readValueExpression(values, columnOut, cursor,
                                               lineText, lineNumber);
        if (result != kExprReadComplete) return result;
        values.values.back().to = gExpression.tokens;
        gState = TrapValuesState::AfterValue;
        return std::nullopt;
      }
      case TrapValuesState::AfterValue:
        return afterValue(columnOut, cursor, lineText);
    }
    return kTrapValuesWrong;
  });
}

void resetTrapValuesReader() { gState = TrapValuesState::ExpectOpen; }
