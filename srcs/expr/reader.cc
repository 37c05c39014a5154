#include "expr/reader.h"

#include <cstddef>
#include <string>
#include <utility>

#include "expr/line_text.h"
#include "expr/number.h"

namespace {

enum class Mode { BetweenTokens, InString, InIndex };

struct ReaderState {
  Mode mode = Mode::BetweenTokens;
  std::string buffer;  // the string or index suffix read so far
  int depth = 1;       // the caller has consumed the opening parenthesis
};

// Process-wide because the statement parser hands the reader one line at a
// time and an expression, or a string inside it, may span lines.
ReaderState& readerState() {
  static ReaderState state;
  return state;
}

// Returned by the steps below when the loop goes on with the same line.
constexpr int kKeepReading = 1;

struct Spelling {
  const char* text;
  size_t length;
  int32_t kind;
};

// In reading order: the first spelling that is a prefix of the text wins,
// so every two-character operator stands before its one-character prefix.
constexpr Spelling kSpellings[] = {
    {"||", 2, kExprOr},         {"&&", 2, kExprAnd},
    {"==", 2, kExprEqual},      {"!=", 2, kExprNotEqual},
    {"<=", 2, kExprLessEqual},  {">=", 2, kExprGreaterEqual},
    {"<<", 2, kExprShiftLeft},  {">>", 2, kExprShiftRight},
    {"(", 1, kExprOpenParen},   {")", 1, kExprCloseParen},
    {"|", 1, kExprBitOr},       {"^", 1, kExprBitXor},
    {"&", 1, kExprBitAnd},      {"<", 1, kExprLess},
    {">", 1, kExprGreater},     {"+", 1, kExprPlus},
    {"-", 1, kExprMinus},       {"*", 1, kExprTimes},
    {"/", 1, kExprDivide},      {"%", 1, kExprRemainder},
    {"$", 1, kExprContains},
};

// Besides white space and the end of the line these end a word. A sign can
// therefore never start one: `-5` is an operator and a word.
constexpr WordEnds kWordEnds("()|&^=!<>+-*/%$[]");

std::string trimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isWhiteSpace(text[begin])) ++begin;
  while (end > begin && isWhiteSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// What one call of readExpression works on; `column` is that of the token
// appended in the current pass of the loop.
struct Pass {
  Expression& expression;
  const char*& cursor;
  const char* lineText;
  uint32_t lineNumber;
  uint32_t column;
};

void appendToken(Pass& pass, ExprValue value) {
  pass.expression.tokens.push_back(
      {pass.lineNumber, pass.column, std::move(value)});
  addSourceLine(pass.expression.sourceLines, pass.lineNumber, pass.lineText);
}

// An index suffix belongs to the name right before it.
bool endsWithName(const Expression& expression) {
  return !expression.tokens.empty() &&
         expression.tokens.back().value.kind == kExprName;
}

// True when tokens[minus] is a `-` directly followed by an Integer.
bool negatable(const std::vector<ExprToken>& tokens, size_t minus) {
  return minus + 1 < tokens.size() &&
         tokens[minus].value.kind == kExprMinus &&
         tokens[minus + 1].value.kind == kExprInteger;
}

void fold(std::vector<ExprToken>& tokens, size_t minus) {
  ExprToken& integer = tokens[minus + 1];
  // In unsigned arithmetic: a saturated word negates without overflow.
  integer.value.number = static_cast<int32_t>(
      0u - static_cast<uint32_t>(integer.value.number));
  integer.line = tokens[minus].line;
  integer.column = tokens[minus].column;
  tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(minus));
}

// The language has no unary minus; a negative constant is written as `-`
// and a number, and becomes one Integer here where nothing else can be
// meant: at the start of the expression and right behind an operator. A
// `-` behind `(` or before a name stays binary, so `(-5)` inside an
// expression and `-x` are refused by the conversion to postfix.
void foldNegativeConstants(std::vector<ExprToken>& tokens) {
  if (negatable(tokens, 0)) fold(tokens, 0);
  for (size_t i = 0; i + 2 < tokens.size(); ++i) {
    if (isExprOperator(tokens[i].value.kind) && negatable(tokens, i + 1)) {
      fold(tokens, i + 1);
    }
  }
}

int readWordToken(Pass& pass) {
  std::string word;
  const char* end = readWord(word, pass.cursor, kWordEnds);
  if (end == pass.cursor) return kExprReadBadToken;
  ExprValue value;
  if (wholeNumber(word, &value.number)) {
    value.kind = kExprInteger;
  } else {
    value.kind = kExprName;
    value.number = 0;
    value.text = Text::interned(word);
  }
  appendToken(pass, std::move(value));
  pass.cursor = skipSpace(end);
  return kKeepReading;
}

int readBetweenTokens(ReaderState& state, Pass& pass, bool indexAllowed) {
  const char* at = pass.cursor;
  if (*at == '"' || (*at == '[' && indexAllowed)) {
    if (*at == '[' && !endsWithName(pass.expression)) return kExprReadBadToken;
    state.mode = *at == '"' ? Mode::InString : Mode::InIndex;
    state.buffer.clear();
    pass.cursor = at + 1;  // no skip: white space inside a string is kept
    return kKeepReading;
  }
  for (const Spelling& spelling : kSpellings) {
    // Compared in place: a library call per spelling and token was a
    // measurable share of reading a large card.
    if (at[0] != spelling.text[0] ||
        (spelling.length == 2 && at[1] != spelling.text[1])) {
      continue;
    }
    pass.cursor = at + spelling.length;
    if (spelling.kind == kExprOpenParen) {
      ++state.depth;
    } else if (spelling.kind == kExprCloseParen && --state.depth == 0) {
      // The outermost `)` belongs to the statement, not to the expression.
      state.depth = 1;
      pass.cursor = skipSpace(pass.cursor);
      foldNegativeConstants(pass.expression.tokens);
      return kExprReadComplete;
    }
    appendToken(pass, ExprValue{spelling.kind, 0, {}});
    pass.cursor = skipSpace(pass.cursor);
    return kKeepReading;
  }
  return readWordToken(pass);
}

// Inside a string or an index suffix: up to the closing character, which
// cannot be escaped, or to the end of the line.
int readDelimited(ReaderState& state, Pass& pass) {
  const bool inString = state.mode == Mode::InString;
  if (!readUpTo(state.buffer, pass.cursor, inString ? '"' : ']')) {
    return kKeepReading;
  }
  if (inString) {
    appendToken(pass, ExprValue{kExprString, 0, Text::interned(state.buffer)});
  } else {
    // The `[` was accepted behind a Name; a caller that swapped the
    // expression in the middle of a suffix gets an error, not a crash.
    if (!endsWithName(pass.expression)) return kExprReadBadToken;
    Text& name = pass.expression.tokens.back().value.text;
    name = Text::interned(name + "[" + trimmed(state.buffer) + "]");
  }
  state.mode = Mode::BetweenTokens;
  return kKeepReading;
}

}  // namespace

int readExpression(Expression& expression, uint32_t& columnOut,
                   const char*& cursor, const char* lineText,
                   uint32_t lineNumber, bool indexAllowed) {
  ReaderState& state = readerState();
  Pass pass{expression, cursor, lineText, lineNumber, 0};
  cursor = skipSpace(cursor);
  for (;;) {
    if (*cursor == '\0') return kExprReadLineEnded;
    pass.column = static_cast<uint32_t>(cursor - lineText);
    columnOut = pass.column;
    const int status = state.mode == Mode::BetweenTokens
                           ? readBetweenTokens(state, pass, indexAllowed)
                           : readDelimited(state, pass);
    if (status != kKeepReading) return status;
  }
}

const char* exprSpelling(int32_t kind) {
  for (const Spelling& spelling : kSpellings) {
    if (spelling.kind == kind) return spelling.text;
  }
  return nullptr;
}

void resetExpressionReader() {
  readerState() = ReaderState{};
}
