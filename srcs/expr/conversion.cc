#include "expr/conversion.h"

#include "expr/number.h"

ExprValue resolveName(const ExprValue& value, const ValueMap& values) {
  if (value.kind != kExprName) return value;
  auto found = values.find(value.text);
  if (found == values.end()) return ExprValue{};
  ExprValue resolved{kExprInteger, 0, {}};
  if (!wholeNumber(found->second, &resolved.number)) {
    resolved = ExprValue{kExprString, 0, found->second};
  }
  return resolved;
}

bool convertToInteger(const ExprValue& value, const ValueMap& values,
                      int32_t& number) {
  const ExprValue resolved = resolveName(value, values);
  switch (resolved.kind) {
    case kExprInteger:
      number = resolved.number;
      return true;
    case kExprString:
      number = strtol32(resolved.text.c_str(), nullptr);
      return true;
    default:
      return false;
  }
}

bool convertToText(const ExprValue& value, const ValueMap& values,
                   std::string& text) {
  const ExprValue resolved = resolveName(value, values);
  switch (resolved.kind) {
    case kExprInteger:
      text = std::to_string(resolved.number);  // the same digits as "%d"
      return true;
    case kExprString:
      text = resolved.text;
      return true;
    default:
      return false;
  }
}
