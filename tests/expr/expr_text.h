// Helpers shared by the tests that take their cases as text: expressions
// written as text, value lists written back as short text, and the case
// files under CASES_DIR. A case file holds one case a line, its fields
// separated by " | ", the last running to the end of the line (one ending
// in " |" is empty), with the C escapes of g_strcompress (\n \t \v \f \r,
// \\, octal \NNN); blank lines and "#" lines are left out.

#ifndef OSTRAND_TESTS_EXPR_EXPR_TEXT_H_
#define OSTRAND_TESTS_EXPR_EXPR_TEXT_H_

#include <glib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "expr/expr_value.h"
#include "expr/reader.h"
#include "support/exact_line.h"

// Reads `text`, one line written with its outer parentheses, from a fresh
// reader state into a cleared `expression`; returns the reader's status
// and leaves its column in `columnOut` when given. The line is exactly
// sized, so the sanitizer build sees a read past its end.
inline int readText(Expression& expression, const std::string& text,
                    bool indexAllowed = false, uint32_t* columnOut = nullptr) {
  resetExpressionReader();
  expression = Expression{};
  EXPECT_TRUE(text.starts_with("(")) << text;
  const ExactLine line(text);
  const char* cursor = line.c_str() + 1;
  uint32_t column = 0;
  const int status = readExpression(expression, column, cursor, line.c_str(),
                                    1, indexAllowed);
  if (columnOut != nullptr) *columnOut = column;
  return status;
}

// "#16" an Integer, "\"ab\"" a String, a Name as written, an operator or a
// parenthesis by its spelling, "?<kind>" anything else; space-separated.
inline std::string describe(const std::vector<ExprValue>& values) {
  static const char* const kSpellings[] = {  // from kExprOpenParen on
      "(", ")",  nullptr, "||", "&&", "|", "^", "&", "==", "!=", "<",
      ">", "<=", ">=",    "<<", ">>", "+", "-", "*", "/",  "%",  "$"};
  std::string out;
  for (const ExprValue& value : values) {
    const int32_t kind = value.kind;
    if (!out.empty()) out += ' ';
    if (kind == kExprInteger) {
      out += "#" + std::to_string(value.number);
    } else if (kind == kExprString || kind == kExprName) {
      out += kind == kExprString ? "\"" + value.text + "\"" : value.text.str();
    } else if (kind >= kExprOpenParen && kind <= kExprContains &&
               kind != kExprInvalid) {
      out += kSpellings[kind - kExprOpenParen];
    } else {
      out += "?" + std::to_string(kind);
    }
  }
  return out;
}

// The cases of the file `name`, `fields` fields each; a file that cannot be
// read, holds no case or has a line of too few fields fails the test.
inline std::vector<std::vector<std::string>> caseRows(const std::string& name,
                                                      int fields) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(CASES_DIR "/" + name);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line.ends_with(" |")) line += ' ';
    g_auto(GStrv) parts = g_strsplit(line.c_str(), " | ", fields);
    rows.emplace_back();
    for (gchar** part = parts; *part != nullptr; ++part) {
      g_autofree gchar* field = g_strcompress(*part);
      rows.back().emplace_back(field);
    }
    EXPECT_EQ(rows.back().size(), static_cast<size_t>(fields)) << line;
    rows.back().resize(fields);
  }
  EXPECT_FALSE(rows.empty()) << "no cases in " CASES_DIR "/" << name;
  return rows;
}

// The lines of `text`, each with its newline; the last may have none.
inline std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
  if (text.ends_with('\n')) return lines;
  if (lines.empty()) return {text};
  lines.back().pop_back();
  return lines;
}

#endif  // OSTRAND_TESTS_EXPR_EXPR_TEXT_H_
