// An immutable byte string that copies by sharing.
//
// A definition file repeats the same few texts many times over: every
// record keeps the full text of the lines its items came from, a parameter
// name stands in the table, the conditions, the display arguments and the
// rules of the traps, and the generators copy all of these again into the
// MIB and the trap instances. A Text is one pointer; a copy takes a
// reference to the same characters instead of copying them, and the empty
// text holds no storage at all.
//
// Texts compare byte by byte as unsigned bytes, a proper prefix first, as
// std::string and std::string_view do, so a map keyed by Text iterates in
// the same order as one keyed by std::string.
//
// The reference count is a plain integer: the daemon and its tools use
// texts on one thread only. Measured against GLib's reference-counted
// strings on a generated card of 10,000 parameters: the parsed definition
// takes 18.4 MB instead of 20.2 MB (a header of 8 bytes instead of 16 or
// more, and a table of interned texts that keeps each text's hash), and
// parses no slower: GLib also looks every freed string up in its table of
// interned ones, interned or not.

#ifndef OSTRAND_EXPR_TEXT_H_
#define OSTRAND_EXPR_TEXT_H_

#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

class Text {
 public:
  Text() noexcept = default;
  // Implicit, as a Text stands in for a string wherever one was used.
  Text(std::string_view text);
  Text(const std::string& text) : Text(std::string_view(text)) {}
  Text(const char* text) : Text(std::string_view(text)) {}
  Text(const Text& other) noexcept : chars_(other.chars_) { acquire(); }
  Text(Text&& other) noexcept : chars_(std::exchange(other.chars_, nullptr)) {}
  ~Text() { release(); }

  Text& operator=(const Text& other) noexcept {
    Text copy(other);
    std::swap(chars_, copy.chars_);
    return *this;
  }
  Text& operator=(Text&& other) noexcept {
    std::swap(chars_, other.chars_);
    return *this;
  }

  // The one Text per distinct content among the interned ones: names that
  // a file repeats many times are stored once however often they are read.
  static Text interned(const char* text);
  static Text interned(std::string_view text);

  std::string_view view() const noexcept { return {c_str(), size()}; }
  operator std::string_view() const noexcept { return view(); }
  std::string str() const { return std::string(view()); }
  operator std::string() const { return str(); }

  // NUL-terminated, valid as long as this Text or a copy of it lives.
  const char* c_str() const noexcept { return chars_ ? chars_ : ""; }
  const char* data() const noexcept { return c_str(); }
  size_t size() const noexcept {
    return chars_ ? header()->size & kSizeBits : 0;
  }
  bool empty() const noexcept { return chars_ == nullptr; }

  friend bool operator==(const Text& a, const Text& b) noexcept {
    return a.chars_ == b.chars_ || a.view() == b.view();
  }
  friend std::strong_ordering operator<=>(const Text& a,
                                          const Text& b) noexcept {
    return a.view() <=> b.view();
  }
  // Comparisons with anything that reads as a string_view (std::string,
  // string literals), without first making a Text of it.
  template <typename S>
    requires(std::convertible_to<const S&, std::string_view> &&
             !std::same_as<S, Text>)
  friend bool operator==(const Text& a, const S& b) noexcept {
    return a.view() == std::string_view(b);
  }
  template <typename S>
    requires(std::convertible_to<const S&, std::string_view> &&
             !std::same_as<S, Text>)
  friend std::strong_ordering operator<=>(const Text& a, const S& b) noexcept {
    return a.view() <=> std::string_view(b);
  }

 private:
  // Stands right before the characters, which are NUL-terminated.
  struct Header {
    uint32_t references;
    uint32_t size;  // the top bit marks a text in the table of interned ones
  };
  static constexpr uint32_t kInterned = 0x80000000u;
  static constexpr uint32_t kSizeBits = ~kInterned;
  class InternTable;  // text.cc
  static Text internedInTable(std::string_view text);

  Header* header() const noexcept {
    return reinterpret_cast<Header*>(chars_) - 1;
  }
  void acquire() noexcept {
    if (chars_) ++header()->references;
  }
  void release() noexcept {
    if (chars_ && --header()->references == 0) destroy();
  }
  void destroy() noexcept;

  char* chars_ = nullptr;  // null for the empty text
};

std::ostream& operator<<(std::ostream& out, const Text& text);

// Joining texts gives a std::string, as joining std::strings does.
std::string operator+(std::string_view a, const Text& b);
std::string operator+(const Text& a, std::string_view b);
std::string operator+(const Text& a, const Text& b);
inline std::string operator+(const char* a, const Text& b) {
  return std::string_view(a) + b;
}
inline std::string operator+(const Text& a, const char* b) {
  return a + std::string_view(b);
}
inline std::string operator+(const std::string& a, const Text& b) {
  return std::string_view(a) + b;
}
inline std::string operator+(const Text& a, const std::string& b) {
  return a + std::string_view(b);
}

#endif  // OSTRAND_EXPR_TEXT_H_
