#include "expr/operations.h"

#include <string>
#include <utility>

#include "expr/conversion.h"

namespace {

ExprValue integerValue(int32_t number) {
  return ExprValue{kExprInteger, number, {}};
}

// The card computes in 32-bit two's complement; doing the arithmetic in
// uint32_t gives the same bits without signed overflow.
int32_t wrapped(uint32_t bits) { return static_cast<int32_t>(bits); }

// Shift counts use the low 8 bits only, so a count of 256 shifts by 0.
uint32_t shiftCount(int32_t right) {
  return static_cast<uint32_t>(right) & 0xFFu;
}

bool integerOperation(int32_t code, int32_t left, int32_t right,
                      int32_t& out) {
  const uint32_t l = static_cast<uint32_t>(left);
  const uint32_t r = static_cast<uint32_t>(right);
  switch (code) {
    case kExprOr: out = left != 0 || right != 0; return true;
    case kExprAnd: out = left != 0 && right != 0; return true;
    case kExprBitOr: out = left | right; return true;
    case kExprBitXor: out = left ^ right; return true;
    case kExprBitAnd: out = left & right; return true;
    case kExprShiftLeft:
      out = shiftCount(right) >= 32 ? 0 : wrapped(l << shiftCount(right));
      return true;
    case kExprShiftRight:
      if (shiftCount(right) >= 32) {
        out = left < 0 ? -1 : 0;
      } else {
        out = left >> shiftCount(right);
      }
      return true;
    case kExprPlus: out = wrapped(l + r); return true;
    case kExprMinus: out = wrapped(l - r); return true;
    case kExprTimes: out = wrapped(l * r); return true;
    // Division and remainder by zero fail the operation like an operand
    // that cannot be converted: the rule yields Invalid and truth 0, the
    // daemon goes on, and a trap never fires on a meaningless quotient.
    case kExprDivide:
      if (right == 0) return false;
      out = right == -1 ? wrapped(0u - l) : left / right;
      return true;
    case kExprRemainder:
      if (right == 0) return false;
      out = right == -1 ? 0 : left % right;
      return true;
    default:
      return false;
  }
}

// Whether a comparison holds for `order` (negative, 0 or positive as the
// left operand is less than, equal to or greater than the right one).
bool comparisonHolds(int32_t code, int order) {
  switch (code) {
    case kExprEqual: return order == 0;
    case kExprNotEqual: return order != 0;
    case kExprLess: return order < 0;
    case kExprGreater: return order > 0;
    case kExprLessEqual: return order <= 0;
    default: return order >= 0;  // kExprGreaterEqual
  }
}

bool isIntegerOrString(const ExprValue& value) {
  return value.kind == kExprInteger || value.kind == kExprString;
}

// The comparisons and `+`: both operands of one kind, text when they differ.
bool commonKindOperation(int32_t code, const ExprValue& left,
                         const ExprValue& right, const ValueMap& values,
                         ExprValue& result) {
  ExprValue l = resolveName(left, values);
  ExprValue r = resolveName(right, values);
  if (!isIntegerOrString(l) || !isIntegerOrString(r)) return false;
  if (l.kind != r.kind) {
    ExprValue& integer = l.kind == kExprInteger ? l : r;
    std::string text;
    convertToText(integer, values, text);
    integer = ExprValue{kExprString, 0, std::move(text)};
  }
  if (l.kind == kExprString) {
    // Texts compare their chars as unsigned bytes.
    result = code == kExprPlus
                 ? ExprValue{kExprString, 0, l.text + r.text}
                 : integerValue(comparisonHolds(
                       code, l.text.view().compare(r.text.view())));
    return true;
  }
  if (code == kExprPlus) {
    int32_t sum = 0;
    integerOperation(code, l.number, r.number, sum);
    result = integerValue(sum);
    return true;
  }
  result = integerValue(
      comparisonHolds(code, (l.number > r.number) - (l.number < r.number)));
  return true;
}

}  // namespace

bool applyOperator(int32_t code, const ExprValue& left, const ExprValue& right,
                   const ValueMap& values, ExprValue& result) {
  if ((code >= kExprEqual && code <= kExprGreaterEqual) || code == kExprPlus) {
    return commonKindOperation(code, left, right, values, result);
  }
  if (code == kExprContains) {
    std::string l;
    std::string r;
    if (!convertToText(left, values, l) || !convertToText(right, values, r)) {
      return false;
    }
    result = integerValue(l.find(r) != std::string::npos);
    return true;
  }
  int32_t l = 0;
  int32_t r = 0;
  int32_t number = 0;
  if (!convertToInteger(left, values, l) ||
      !convertToInteger(right, values, r) ||
      !integerOperation(code, l, r, number)) {
    return false;
  }
  result = integerValue(number);
  return true;
}
