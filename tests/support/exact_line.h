// A definition line in a heap block of exactly its length plus the NUL, so
// that AddressSanitizer (the sanitizer build) reports any reader that looks
// past the end of a line. A std::string would hide such a read in its spare
// capacity.

#ifndef OSTRAND_TESTS_SUPPORT_EXACT_LINE_H_
#define OSTRAND_TESTS_SUPPORT_EXACT_LINE_H_

#include <cstring>
#include <memory>
#include <string>

class ExactLine {
 public:
  explicit ExactLine(const std::string& line)
      : bytes_(new char[line.size() + 1]) {
    std::memcpy(bytes_.get(), line.c_str(), line.size() + 1);
  }
  const char* c_str() const { return bytes_.get(); }

 private:
  std::unique_ptr<char[]> bytes_;
};

#endif  // OSTRAND_TESTS_SUPPORT_EXACT_LINE_H_
