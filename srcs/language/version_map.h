// The versioned definitions of a parameter.

#ifndef OSTRAND_LANGUAGE_VERSION_MAP_H_
#define OSTRAND_LANGUAGE_VERSION_MAP_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <new>
#include <tuple>
#include <utility>

// Version to the definition that applies from that version on, iterated in
// ascending order of version like a map. A parameter has few versions of a
// definition and mostly just one, so the entries stand in one sorted array,
// and a single entry stands in place: a card of many parameters would
// otherwise spend an allocation on each definition of each of them.
template <typename T>
class VersionMap {
 public:
  using value_type = std::pair<int32_t, T>;
  using iterator = value_type*;
  using const_iterator = const value_type*;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  VersionMap() noexcept {}
  VersionMap(const VersionMap& other) {
    for (const value_type& entry : other) append(value_type(entry));
  }
  VersionMap(VersionMap&& other) noexcept { take(other); }
  VersionMap& operator=(const VersionMap& other) {
    if (this != &other) *this = VersionMap(other);
    return *this;
  }
  VersionMap& operator=(VersionMap&& other) noexcept {
    if (this != &other) {
      clear();
      take(other);
    }
    return *this;
  }
  ~VersionMap() { clear(); }

  const_iterator begin() const { return entries(); }
  const_iterator end() const { return entries() + size_; }
  const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const {
    return const_reverse_iterator(begin());
  }
  bool empty() const { return size_ == 0; }
  size_t size() const { return size_; }

  // The definition for `version`, inserted empty when there is none.
  T& operator[](int32_t version) { return try_emplace(version).first->second; }

  // Inserts `value` for `version` unless the version has a definition;
  // returns where the definition is, and whether it was inserted.
  template <typename... Args>
  std::pair<iterator, bool> try_emplace(int32_t version, Args&&... value) {
    value_type* first = entries();
    value_type* at = std::lower_bound(
        first, first + size_, version,
        [](const value_type& entry, int32_t v) { return entry.first < v; });
    if (at != first + size_ && at->first == version) return {at, false};
    const size_t index = static_cast<size_t>(at - first);
    append(value_type(std::piecewise_construct,
                      std::forward_as_tuple(version),
                      std::forward_as_tuple(std::forward<Args>(value)...)));
    // Versions mostly come in ascending order: the new last entry is then
    // already in place.
    first = entries();
    std::rotate(first + index, first + size_ - 1, first + size_);
    return {first + index, true};
  }

 private:
  value_type* entries() const {
    return capacity_ == 0 ? const_cast<value_type*>(&one_) : many_;
  }

  void append(value_type&& entry) {
    if (size_ == 0 && capacity_ == 0) {
      new (&one_) value_type(std::move(entry));
      size_ = 1;
      return;
    }
    if (size_ == capacity_ || capacity_ == 0) {
      const uint32_t capacity = size_ * 2;
      value_type* grown = static_cast<value_type*>(
          ::operator new(capacity * sizeof(value_type)));
      value_type* old = entries();
      for (uint32_t i = 0; i < size_; ++i) {
        new (grown + i) value_type(std::move(old[i]));
      }
      const uint32_t size = size_;
      clear();
      many_ = grown;
      size_ = size;
      capacity_ = capacity;
    }
    new (many_ + size_) value_type(std::move(entry));
    ++size_;
  }

  void clear() {
    value_type* first = entries();
    for (uint32_t i = 0; i < size_; ++i) first[i].~value_type();
    if (capacity_ != 0) ::operator delete(many_);
    size_ = 0;
    capacity_ = 0;
  }

  // Moves the entries of `other`, which is left empty, into this empty map.
  void take(VersionMap& other) noexcept {
    if (other.capacity_ != 0) {
      many_ = other.many_;
    } else if (other.size_ == 1) {
      new (&one_) value_type(std::move(other.one_));
      other.one_.~value_type();
    }
    size_ = other.size_;
    capacity_ = other.capacity_;
    other.size_ = 0;
    other.capacity_ = 0;
  }

  uint32_t size_ = 0;
  uint32_t capacity_ = 0;  // of `many_`; 0 while an entry is in `one_`
  union {
    value_type one_;    // alive while capacity_ is 0 and size_ is 1
    value_type* many_;  // capacity_ entries of room, size_ of them alive
  };
};

#endif  // OSTRAND_LANGUAGE_VERSION_MAP_H_
