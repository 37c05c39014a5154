// Postfix back to infix: a stored rule as an engineer would write it in the
// definition file, for the tools that show a card's rules.

#ifndef OSTRAND_EXPR_INFIX_H_
#define OSTRAND_EXPR_INFIX_H_

#include <string>
#include <vector>

#include "expr/expr_value.h"

// The text printed for a postfix list that checkPostfix refuses.
inline constexpr char kMalformedInfix[] = "<malformed>";

// `postfix` (operands and binary operators, as toPostfix makes it) as infix
// text: one space around each operator, and parentheses only where the
// language's precedences and left associativity need them to keep the
// meaning: `(a + b) * c`, `a - (b - c)`, but `a - b - c` and
// `a || b && c`. Integers are written in decimal with their sign (a folded
// negative constant stays `-5`), Strings between double quotes as they are
// (the language has no escapes), Names as they are. An empty list gives
// the empty text, any other list checkPostfix refuses kMalformedInfix.
std::string infixText(const std::vector<ExprValue>& postfix);

#endif  // OSTRAND_EXPR_INFIX_H_
