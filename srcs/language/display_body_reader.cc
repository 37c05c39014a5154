#include "language/display_body_reader.h"

#include <string>

#include "expr/reader.h"
#include "language/reader_steps.h"

namespace {

// A body may end on a later line than it began, inside its format or an
// argument too, so the state, the format read so far and the argument
// being read outlive every call.
DisplayBodyState gState = DisplayBodyState::ExpectOpen;
std::string gQuoted;
Expression gArgument;

}  // namespace

int readDisplayBody(DisplayRule& rule, uint32_t& columnOut,
                    const char*& cursor, const char* lineText,
                    uint32_t lineNumber) {
  return runReader(columnOut, cursor, lineText, [&]() -> StepResult {
    switch (gState) {
      case DisplayBodyState::ExpectOpen:
        return openOperand(gState, DisplayBodyState::ExpectFormat, cursor,
                           kDisplayBodyWrong);
      case DisplayBodyState::ExpectFormat:
        if (*cursor != '"') return kDisplayBodyWrong;
        gQuoted.clear();
        ++cursor;
        gState = DisplayBodyState::InFormat;
        return std::nullopt;
      case DisplayBodyState::InFormat:
        if (!readUpTo(gQuoted, cursor, '"')) return std::nullopt;
        rule.format = Text::interned(gQuoted);
        gState = DisplayBodyState::AfterItem;
        return std::nullopt;
      case DisplayBodyState::ExpectArgument:
        if (*cursor != '(') return kDisplayBodyWrong;
        cursor = skipSpace(cursor + 1);
        gArgument.clear();
        gState = DisplayBodyState::InArgument;
        return std::nullopt;
      case DisplayBodyState::InArgument: {
        const int result = readExpression(gArgument, columnOut, cursor,
                                          lineText, lineNumber, true);
        if (result == kExprReadLineEnded) return kReadLineEnded;
        if (result != kExprReadComplete) return kDisplayBodyWrong;
        rule.arguments.push_back(gArgument);
        gState = DisplayBodyState::AfterItem;
        return std::nullopt;
      }
      case DisplayBodyState::AfterItem:
        return nextItemOrClose(gState, DisplayBodyState::ExpectArgument,
                               columnOut, cursor, lineText,
                               kDisplayBodyWrong);
    }
    return kDisplayBodyWrong;
  });
}

void resetDisplayBodyReader() { gState = DisplayBodyState::ExpectOpen; }
