// Infix to postfix: the evaluable form of an expression.
//
// Rules come from two places: expressions read from the definition file,
// and infix lists that the MIB and trap generators assemble directly. Both
// are converted here once and the postfix list is then evaluated any
// number of times.
//
// Failure positions count the elements from 1, so that a caller can point
// at the element where the list stopped making sense.

#ifndef OSTRAND_EXPR_POSTFIX_H_
#define OSTRAND_EXPR_POSTFIX_H_

#include <cstdint>
#include <vector>

#include "expr/expr_value.h"

// The infix list of an expression: the value of each token, in order.
std::vector<ExprValue> infixOf(const Expression& expression);

// Converts `infix` (operands, operators and parentheses) into `postfix`
// (operands and operators only, in evaluation order). Returns 0 on success;
// -1 for an empty `infix`; otherwise the position of the element at which
// the conversion failed (an operator without two operands before the next
// one binds, a `)` without its `(`, an empty or overfull parenthesis, a kind
// that is no element of an expression), or the number of elements when the
// failure shows only at the end (a missing last operand, a surplus operand,
// an unclosed `(`). `postfix` is emptied first and stays empty on failure.
int toPostfix(std::vector<ExprValue>& postfix,
              const std::vector<ExprValue>& infix);

// The precedence of the operator `kind` (isExprOperator): 1 for `$`, which
// binds tightest, up to 11 for `||`. Operators of one precedence associate
// to the left.
int operatorPrecedence(int32_t kind);

// Returns 0 when `postfix` is a well-formed postfix expression that yields
// exactly one value; -1 when it is empty; the position of the first element
// that is no operand or operator, or of an operator with fewer than two
// values before it; or the number of elements when the count of values
// left at the end is not one.
int checkPostfix(const std::vector<ExprValue>& postfix);

#endif  // OSTRAND_EXPR_POSTFIX_H_
