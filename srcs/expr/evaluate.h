// Evaluation of a postfix expression against the current parameter values.
//
// The trap runtime evaluates the same postfix lists over and over with a
// fresh ValueMap per transaction; evaluation keeps no state between calls.

#ifndef OSTRAND_EXPR_EVALUATE_H_
#define OSTRAND_EXPR_EVALUATE_H_

#include <vector>

#include "expr/expr_value.h"

// Evaluates `postfix` (as made by toPostfix) with the Names resolved
// through `values`, and returns the truth of the final value: 1 for an
// Integer other than 0 or a non-empty String, else 0. When `result` is not
// null it receives the final value, a final Name resolved.
//
// Every failure yields a value of kind kExprInvalid and truth 0, and prints
// nothing: an empty list, an operator without two values before it, an
// element that is neither operand nor operator, more or fewer than one
// value left, a Name missing from `values` wherever it stands (inside `||`
// too), an operand an operation cannot use, a division or remainder by
// zero.
int evaluate(const std::vector<ExprValue>& postfix, ExprValue* result,
             const ValueMap& values);

#endif  // OSTRAND_EXPR_EVALUATE_H_
