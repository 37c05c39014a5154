// Which versions of a version-keyed map concern an interval of versions.

#ifndef OSTRAND_MIB_VERSION_WINDOW_H_
#define OSTRAND_MIB_VERSION_WINDOW_H_

#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

// The keys of `map` that hold somewhere in [from, to), ascending: the one
// in effect at `from` (the greatest key not above it), when there is one,
// then every key above `from` and below `to` (every later key without
// `to`).
template <typename T>
std::vector<int32_t> versionsInWindow(const std::map<int32_t, T>& map,
                                      int32_t from, std::optional<int32_t> to) {
  std::vector<int32_t> versions;
  auto it = map.upper_bound(from);
  if (it != map.begin()) versions.push_back(std::prev(it)->first);
  for (; it != map.end() && (!to || it->first < *to); ++it) {
    versions.push_back(it->first);
  }
  return versions;
}

#endif  // OSTRAND_MIB_VERSION_WINDOW_H_
