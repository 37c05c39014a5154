// The values of the card's expression language: one element of an
// expression as written, and one value while an expression is evaluated.
//
// Conditions, values and rules of a definition file are small infix
// expressions in parentheses. There is no syntax tree: an expression is a
// flat list of values in infix order, and the evaluable form is the same
// list in postfix order. All arithmetic is on signed 32-bit integers, the
// second value type is text (a byte string), and a truth value is the
// integer 0 or 1.

#ifndef OSTRAND_EXPR_EXPR_VALUE_H_
#define OSTRAND_EXPR_EXPR_VALUE_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "expr/line_text.h"
#include "expr/text.h"

// The `kind` of an ExprValue. The codes are fixed: rules built by the MIB
// generators and stored ranges carry them as plain numbers.
constexpr int32_t kExprOpenParen = -3;
constexpr int32_t kExprCloseParen = -2;
constexpr int32_t kExprInvalid = -1;  // failed conversion, or missing name
// Operators, all binary and left-associative. The code selects the
// operation and its precedence (postfix.cc).
constexpr int32_t kExprOr = 0;             // ||
constexpr int32_t kExprAnd = 1;            // &&
constexpr int32_t kExprBitOr = 2;          // |
constexpr int32_t kExprBitXor = 3;         // ^
constexpr int32_t kExprBitAnd = 4;         // &
constexpr int32_t kExprEqual = 5;          // ==
constexpr int32_t kExprNotEqual = 6;       // !=
constexpr int32_t kExprLess = 7;           // <
constexpr int32_t kExprGreater = 8;        // >
constexpr int32_t kExprLessEqual = 9;      // <=
constexpr int32_t kExprGreaterEqual = 10;  // >=
constexpr int32_t kExprShiftLeft = 11;     // <<
constexpr int32_t kExprShiftRight = 12;    // >>
constexpr int32_t kExprPlus = 13;          // + (also joins texts)
constexpr int32_t kExprMinus = 14;         // -
constexpr int32_t kExprTimes = 15;         // *
constexpr int32_t kExprDivide = 16;        // /
constexpr int32_t kExprRemainder = 17;     // %
constexpr int32_t kExprContains = 18;      // $ (left text contains right)
// Operands.
constexpr int32_t kExprInteger = 19;
constexpr int32_t kExprString = 20;
constexpr int32_t kExprName = 21;  // resolved through a ValueMap

constexpr bool isExprOperator(int32_t kind) {
  return kind >= kExprOr && kind <= kExprContains;
}

constexpr bool isExprOperand(int32_t kind) {
  return kind >= kExprInteger && kind <= kExprName;
}

struct ExprValue {
  int32_t kind = kExprInvalid;
  int32_t number = 0;  // the value of an Integer; meaningless otherwise
  Text text;           // a String's characters, or a Name with any index
                       // suffix ("level[3]"); empty for the other kinds

  friend bool operator==(const ExprValue&, const ExprValue&) = default;
};

// An ExprValue as read from the definition file, with its position.
struct ExprToken {
  uint32_t line = 0;    // line number, from 1
  uint32_t column = 0;  // byte offset of the first character, from 0
  ExprValue value;

  friend bool operator==(const ExprToken&, const ExprToken&) = default;
};

// What the reader fills. A value type: the statement parser copies it into
// the definition model and clears its working copy before the next one.
struct Expression {
  // Line number to the full text of the line as given to the reader, for
  // every line a token came from, so that a diagnostic can quote them.
  SourceLines sourceLines;
  std::vector<ExprToken> tokens;  // infix order, outermost parentheses
                                  // left out

  // Empties it and keeps the room of its tokens.
  void clear() {
    sourceLines.clear();
    tokens.clear();
  }
};

// Name (with any index suffix) to value text, supplied by the caller of an
// evaluation; "sw::this" is an ordinary key here. Looked up by the Text of
// a Name as it stands, without a string made of it first.
using ValueMap = std::map<std::string, std::string, std::less<>>;

// The name under which the value under test (the parameter value a
// translation converts, the trap value a rule tests) is given to an
// evaluation.
inline constexpr char kThisName[] = "sw::this";

#endif  // OSTRAND_EXPR_EXPR_VALUE_H_
