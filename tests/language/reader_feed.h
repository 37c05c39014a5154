// Helpers shared by the tests of the value list readers: lines handed to a
// reader as the statement parser hands them, tokens written with their
// positions, and the check of the source lines rule.

#ifndef OSTRAND_TESTS_LANGUAGE_READER_FEED_H_
#define OSTRAND_TESTS_LANGUAGE_READER_FEED_H_

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "expr/expr_text.h"
#include "language/lexer.h"
#include "language/reader.h"
#include "support/exact_line.h"

constexpr uint32_t kUnset = 0xFFFFFFFFu;

// Hands `lines` to `read(cursor, lineText, lineNumber)` as the statement
// parser does: comment lines left out, a continuation line from its first
// non-blank character, until the reader stops asking for more. Every line
// of a row is needed, and on completion `column` (the reader's columnOut)
// is where the cursor stopped, behind the `}` and its white space.
template <typename Read>
int feedLines(const std::vector<std::string>& lines, const uint32_t& column,
              Read read) {
  int result = kReadLineEnded;
  for (size_t i = 0; i < lines.size() && result == kReadLineEnded; ++i) {
    const ExactLine line(lines[i]);
    if (isCommentLine(line.c_str())) continue;
    const char* cursor = i == 0 ? line.c_str() : skipSpace(line.c_str());
    result = read(cursor, line.c_str(), static_cast<uint32_t>(i + 1));
    if (result == kReadComplete) {
      EXPECT_EQ(column, columnOf(cursor, line.c_str()));
    }
    if (result != kReadLineEnded) {
      EXPECT_EQ(i + 1, lines.size()) << "stopped before the last line";
    }
  }
  return result;
}

// Tokens as the expression tests write them ("#16", "\"ab\"", a name, an
// operator), each with "@line:column", separated by spaces.
inline std::string positioned(const std::vector<ExprToken>& tokens) {
  std::string out;
  for (const ExprToken& token : tokens) {
    if (!out.empty()) out += ' ';
    out += describe({token.value}) + "@" + std::to_string(token.line) + ":" +
           std::to_string(token.column);
  }
  return out;
}

// The source lines rule: `sourceLines` holds exactly the lines of the
// stored tokens, `tokenLines`, each with its full text.
inline void expectSourceLines(const SourceLines& sourceLines,
                              std::set<uint32_t> tokenLines,
                              const std::vector<std::string>& lines) {
  for (const auto& [number, text] : sourceLines) {
    EXPECT_EQ(text, lines.at(number - 1)) << "line " << number;
    EXPECT_EQ(tokenLines.erase(number), 1u) << "line " << number;
  }
  EXPECT_TRUE(tokenLines.empty());
}

#endif  // OSTRAND_TESTS_LANGUAGE_READER_FEED_H_
