// The versioned definitions of a parameter.

#ifndef OSTRAND_LANGUAGE_VERSION_MAP_H_
#define OSTRAND_LANGUAGE_VERSION_MAP_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

// Version to the definition that applies from that version on, iterated in
// ascending order of version like a map. A parameter has few versions of a
// definition, so the entries stand in one sorted vector rather than in a
// tree node each.
template <typename T>
class VersionMap {
 public:
  using value_type = std::pair<int32_t, T>;
  using iterator = typename std::vector<value_type>::iterator;
  using const_iterator = typename std::vector<value_type>::const_iterator;
  using const_reverse_iterator =
      typename std::vector<value_type>::const_reverse_iterator;

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  const_reverse_iterator rbegin() const { return entries_.rbegin(); }
  bool empty() const { return entries_.empty(); }
  size_t size() const { return entries_.size(); }

  // The definition for `version`, inserted empty when there is none.
  T& operator[](int32_t version) { return try_emplace(version).first->second; }

  // Inserts `value` for `version` unless the version has a definition;
  // returns where the definition is, and whether it was inserted.
  template <typename... Args>
  std::pair<iterator, bool> try_emplace(int32_t version, Args&&... value) {
    auto at = std::lower_bound(
        entries_.begin(), entries_.end(), version,
        [](const value_type& entry, int32_t v) { return entry.first < v; });
    if (at != entries_.end() && at->first == version) return {at, false};
    at = entries_.emplace(at, std::piecewise_construct,
                          std::forward_as_tuple(version),
                          std::forward_as_tuple(std::forward<Args>(value)...));
    return {at, true};
  }

 private:
  std::vector<value_type> entries_;
};

#endif  // OSTRAND_LANGUAGE_VERSION_MAP_H_
