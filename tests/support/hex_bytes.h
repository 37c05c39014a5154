// Bytes written as readable hex for exact comparisons of binary output.

#ifndef OSTRAND_TESTS_SUPPORT_HEX_BYTES_H_
#define OSTRAND_TESTS_SUPPORT_HEX_BYTES_H_

#include <cstdio>
#include <string>

// "23 01 00 " for the bytes 0x23 0x01 0x00: two digits and a space each.
inline std::string hexBytes(const std::string& bytes) {
  std::string out;
  char digits[4];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x ", byte);
    out += digits;
  }
  return out;
}

#endif  // OSTRAND_TESTS_SUPPORT_HEX_BYTES_H_
