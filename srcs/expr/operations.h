// The operations of the expression language on signed 32-bit integers and
// texts, with the exact results the card's trap rules depend on.

#ifndef OSTRAND_EXPR_OPERATIONS_H_
#define OSTRAND_EXPR_OPERATIONS_H_

#include <cstdint>

#include "expr/expr_value.h"

// Applies the operator `code` (kExprOr to kExprContains) to `left` and
// `right`, resolving Names through `values`, and stores the value in
// `result`: an Integer, or a String for `+` on texts.
//
//   || &&           integers; 1 or 0. Both sides are always converted, and
//                   either failing fails the operation even where the other
//                   side would decide it.
//   | ^ &           bitwise on the two's complement values.
//   == != < > <= >= integers compare signed; texts byte by byte as unsigned
//                   bytes, a proper prefix being less. An Integer against a
//                   String compares both as text: 5 == "5", 10 < "9".
//   << >>           the count is the low 8 bits of the right operand; 32 or
//                   more gives 0 (`>>` of a negative value: -1). `>>` copies
//                   the sign in.
//   + - *           modulo 2^32; `+` joins two texts, or an Integer and a
//                   String as texts.
//   / %             truncated toward zero, the remainder taking the sign of
//                   the left operand; -2147483648 / -1 is -2147483648 and
//                   -2147483648 % -1 is 0.
//   $               1 when the right text occurs in the left text (the empty
//                   text always does).
//
// Returns false, leaving `result` as it was, when the operation fails: an
// Invalid operand or a Name missing from `values`, or a division or
// remainder by zero.
bool applyOperator(int32_t code, const ExprValue& left, const ExprValue& right,
                   const ValueMap& values, ExprValue& result);

#endif  // OSTRAND_EXPR_OPERATIONS_H_
