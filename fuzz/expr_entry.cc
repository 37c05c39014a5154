// The expression reader, the conversion to postfix and the evaluation.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "expr/evaluate.h"
#include "expr/infix.h"
#include "expr/postfix.h"
#include "expr/reader.h"
#include "fuzz_entries.h"

namespace {

// Values of every kind a name can take: a number, texts that start or do
// not start with one, the empty text, the extremes, an indexed name.
const ValueMap& parameterValues() {
  static const ValueMap values = {
      {"a", "1"},       {"b", "0"},       {"empty", ""},
      {"oct", "08"},    {"on", "ON"},     {"unit", "12 dB"},
      {"huge", "99999999999"},            {"min", "-2147483648"},
      {"level[3]", "4"}, {"sw::this", "7"}, {"padded", " 7"}};
  return values;
}

[[noreturn]] void broken(const char* promise, const std::string& input) {
  std::fprintf(stderr, "fuzz_expr: %s\ninput: %s\n", promise, input.c_str());
  std::abort();
}

// Reads the expression from the lines of `input`, as the definition reader
// hands them over: each with its newline, ending at a NUL.
int readLines(const std::string& input, bool indexAllowed,
              Expression& expression) {
  resetExpressionReader();
  int result = kExprReadLineEnded;
  uint32_t lineNumber = 1;
  for (size_t start = 0; start < input.size() && result == kExprReadLineEnded;
       ++lineNumber) {
    const size_t newline = input.find('\n', start);
    const size_t end = newline == std::string::npos ? input.size() : newline + 1;
    const std::string line = input.substr(start, end - start);
    start = end;
    const char* cursor = line.c_str();
    uint32_t column = 0;
    result = readExpression(expression, column, cursor, line.c_str(),
                            lineNumber, indexAllowed);
    if (column > line.size()) broken("a column past the end of the line", input);
  }
  return result;
}

bool spellable(const std::vector<ExprValue>& postfix) {
  for (const ExprValue& value : postfix) {
    const std::string_view text = value.text.view();
    if (value.kind == kExprInteger && value.number < 0) return false;
    if (value.kind == kExprString && text.find('"') != text.npos) return false;
    if (value.kind == kExprName &&
        (text.find_first_of(" \t\n\v\f\r") != text.npos)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int fuzzOneExpr(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool indexAllowed = (data[0] & 1) != 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  Expression expression;
  if (readLines(input, indexAllowed, expression) != kExprReadComplete) {
    return 0;
  }
  const std::vector<ExprValue> infix = infixOf(expression);
  // Evaluating the infix list as if it were postfix feeds the evaluation
  // every malformed list a reader can produce.
  evaluate(infix, nullptr, parameterValues());
  std::vector<ExprValue> postfix;
  if (toPostfix(postfix, infix) != 0) {
    if (!postfix.empty()) broken("a failed conversion left elements", input);
    return 0;
  }
  if (checkPostfix(postfix) != 0) {
    broken("a converted list does not pass the check", input);
  }
  // The text written for a converted list reads back as the same list,
  // as far as the language can spell its elements: a string cannot hold a
  // double quote, a name ends at white space outside an index suffix, and
  // a negative constant written first inside parentheses reads back as a
  // minus and a number.
  const std::string text = infixText(postfix);
  if (text == kMalformedInfix) {
    broken("a converted list prints as malformed", input);
  }
  if (spellable(postfix)) {
    Expression again;
    std::vector<ExprValue> reread;
    if (readLines(text + ")", true, again) != kExprReadComplete ||
        toPostfix(reread, infixOf(again)) != 0 || reread != postfix) {
      broken(("the infix text does not read back: " + text).c_str(), input);
    }
  }
  ExprValue result;
  const int truth = evaluate(postfix, &result, parameterValues());
  if (truth != 0 && truth != 1) broken("a truth other than 0 or 1", input);
  if (result.kind == kExprInvalid && truth != 0) {
    broken("an invalid result that holds", input);
  }
  return 0;
}
