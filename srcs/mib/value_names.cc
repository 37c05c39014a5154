#include "mib/value_names.h"

namespace {

// The C library's character classes in the "C" locale, whatever locale the
// process runs in: a byte above 127 is neither letter nor digit.
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string integerValueName(const std::string& paramName, int64_t number) {
  if (number < 0) return paramName + "m" + std::to_string(-number);
  return paramName + std::to_string(number);
}

std::string stringValueName(const std::string& text) {
  std::string name = text.empty() || !isLetter(text[0]) ? "s" : "";
  for (char c : text) name += isLetter(c) || isDigit(c) ? c : 'x';
  return name;
}

std::string claimValueName(std::string name, std::set<std::string>& used) {
  if (!name.empty()) name[0] = asciiLower(name[0]);
  while (used.count(name) != 0) name += 'z';
  used.insert(name);
  return name;
}
