// Names of the values of indices and enumerated ranges: MIB identifiers
// made from the parameter name and an integer, or from an enumerated string,
// unique within one version.

#ifndef OSTRAND_MIB_VALUE_NAMES_H_
#define OSTRAND_MIB_VALUE_NAMES_H_

#include <cstdint>
#include <set>
#include <string>

// The parameter name followed by the number's digits, "m" before the digits
// of a negative number: slot and -2 give "slotm2".
std::string integerValueName(const std::string& paramName, int64_t number);

// The string with each character that is no ASCII letter or digit replaced
// by "x", behind an "s" when it does not start with a letter: "A b" gives
// "Axb", "1st" gives "s1st".
std::string stringValueName(const std::string& text);

// The letter in the other case, as the C library's "C" locale has it:
// bytes that are no ASCII letter stay as they are.
char asciiLower(char c);
char asciiUpper(char c);

// `name` with its first character in lower case and "z" appended until it
// is not in `used`; the result is added to `used`.
std::string claimValueName(std::string name, std::set<std::string>& used);

#endif  // OSTRAND_MIB_VALUE_NAMES_H_
