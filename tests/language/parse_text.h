// Definition text parsed into a model as the load does it, for the tests of
// the parser and of everything that starts from a parsed model.

#ifndef OSTRAND_TESTS_LANGUAGE_PARSE_TEXT_H_
#define OSTRAND_TESTS_LANGUAGE_PARSE_TEXT_H_

#include <cstdint>
#include <ostream>
#include <string>

#include "expr/reader.h"
#include "language/parser.h"
#include "support/exact_line.h"

struct Outcome {
  int code = 0;
  uint32_t line = 0;  // of the error
  uint32_t column = 0;

  friend bool operator==(const Outcome&, const Outcome&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "code " << o.code << " at " << o.line << ":" << o.column;
}

// Feeds `text` to a fresh parser line by line, as the load does, and stops
// at the first error. The expression reader keeps its state apart from the
// parser's, and an earlier case may have stopped inside an expression.
// Without `newlines` every line is handed over without its newline, as the
// last line of a file or a piece of an overlong line may come.
inline Outcome parse(DefinitionModel& model, const std::string& text,
                     bool newlines = true) {
  resetParser();
  resetExpressionReader();
  uint32_t number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const bool cut = !newlines && text[end - 1] == '\n';
    const ExactLine line(text.substr(start, end - start - (cut ? 1 : 0)));
    uint32_t column = 0;
    const int code = parseLine(model, column, line.c_str(), ++number);
    if (code != 0) return {code, number, column};
    start = end;
  }
  return {};
}

#endif  // OSTRAND_TESTS_LANGUAGE_PARSE_TEXT_H_
