// Helpers shared by the expression tests: expressions written as text, and
// value lists written back as short text for readable expectations.

#ifndef OSTRAND_TESTS_EXPR_EXPR_TEXT_H_
#define OSTRAND_TESTS_EXPR_EXPR_TEXT_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/expr_value.h"
#include "expr/reader.h"

// Reads `text`, one line written with its outer parentheses, from a fresh
// reader state into a cleared `expression`; returns the reader's status
// and leaves its column in `columnOut` when given.
inline int readText(Expression& expression, const std::string& text,
                    bool indexAllowed = false, uint32_t* columnOut = nullptr) {
  resetExpressionReader();
  expression = Expression{};
  if (text.empty() || text[0] != '(') {
    ADD_FAILURE() << "test expression must start with '(': " << text;
    return -100;
  }
  const char* cursor = text.c_str() + 1;
  uint32_t column = 0;
  const int status = readExpression(expression, column, cursor, text.c_str(),
                                    1, indexAllowed);
  if (columnOut != nullptr) *columnOut = column;
  return status;
}

// "#16" an Integer, "\"ab\"" a String, a Name as written, an operator or a
// parenthesis by its spelling, "?<kind>" anything else; space-separated.
inline std::string describe(const std::vector<ExprValue>& values) {
  static const char* const kSpellings[] = {
      "||", "&&", "|", "^", "&", "==", "!=", "<", ">", "<=",
      ">=", "<<", ">>", "+", "-", "*", "/", "%", "$"};
  std::string out;
  for (const ExprValue& value : values) {
    if (!out.empty()) out += ' ';
    if (value.kind == kExprInteger) {
      out += "#" + std::to_string(value.number);
    } else if (value.kind == kExprString) {
      out += "\"" + value.text + "\"";
    } else if (value.kind == kExprName) {
      out += value.text;
    } else if (isExprOperator(value.kind)) {
      out += kSpellings[value.kind];
    } else if (value.kind == kExprOpenParen || value.kind == kExprCloseParen) {
      out += value.kind == kExprOpenParen ? "(" : ")";
    } else {
      out += "?" + std::to_string(value.kind);
    }
  }
  return out;
}

#endif  // OSTRAND_TESTS_EXPR_EXPR_TEXT_H_
