// Trap records as the tests build them, and bytes written as readable hex
// for exact comparisons of binary output.

#ifndef OSTRAND_TESTS_SUPPORT_RECORD_BYTES_H_
#define OSTRAND_TESTS_SUPPORT_RECORD_BYTES_H_

#include <glib.h>

#include <cstdint>
#include <cstdio>
#include <string>

// A record's header: the identifiers in host order, the value big-endian.
inline std::string recordHeader(uint16_t fault, uint16_t instance,
                                uint32_t value) {
  std::string bytes(reinterpret_cast<const char*>(&fault), 2);
  bytes.append(reinterpret_cast<const char*>(&instance), 2);
  const uint32_t big = GUINT32_TO_BE(value);
  return bytes.append(reinterpret_cast<const char*>(&big), 4);
}

// A binding entry: identifier 0, the length with the NUL, text, NUL.
inline std::string recordEntry(const std::string& text) {
  return std::string(4, '\0') + char(text.size() + 1) + text + '\0';
}

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

#endif  // OSTRAND_TESTS_SUPPORT_RECORD_BYTES_H_
