// The conversions an operation applies to its operands.
//
// Operands reach an operation as written (Integer, String, or an unresolved
// Name) or as the result of an inner operation. A Name is looked up in the
// caller's ValueMap only when its value is needed, so the same postfix list
// serves every evaluation.

#ifndef OSTRAND_EXPR_CONVERSION_H_
#define OSTRAND_EXPR_CONVERSION_H_

#include <cstdint>
#include <string>

#include "expr/expr_value.h"

// Resolves a Name through `values`: Invalid when the key (the whole text,
// index suffix included) is missing; an Integer when the value text is a
// whole number by the card's strtol (the empty text reads as 0); else a
// String with the value text, so that "12" compares as a number and
// "12 dB", "08" or "ON" as text. Any other value is returned as it is.
ExprValue resolveName(const ExprValue& value, const ValueMap& values);

// The integer of an operand, a Name resolved first: an Integer's number, or
// the number at the start of a String's text (0 when there is none; the
// rest of the text is ignored). False for an Invalid value.
bool convertToInteger(const ExprValue& value, const ValueMap& values,
                      int32_t& number);

// The text of an operand, a Name resolved first: an Integer in decimal
// ("%d"), a String's text. False for an Invalid value.
bool convertToText(const ExprValue& value, const ValueMap& values,
                   std::string& text);

#endif  // OSTRAND_EXPR_CONVERSION_H_
