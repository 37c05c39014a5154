// Runs of enumerated ranges: each string keeps one MIB number for the whole
// run, in the order the strings first appear.

#ifndef OSTRAND_MIB_ENUM_RANGES_H_
#define OSTRAND_MIB_ENUM_RANGES_H_

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "mib/mib_model.h"

// What a run has numbered so far.
struct EnumState {
  std::set<std::string> usedNames;
  struct Placed {
    int32_t number = 0;
    std::string name;
  };
  std::map<std::string, Placed> strings;
};

// Merges the enumerated range `versioned` into the run's `merged` range: a
// string new to the run takes the next MIB number and a value name of its
// own. `translated` receives the version's strings with their run numbers.
// A run starts with an empty `state` and `merged`.
//
// Returns 0, or -2 with a message after `prefix` when `versioned` is not
// a list of strings.
int mergeEnumRange(MessageList& messages, EnumState& state, MibRange& merged,
                   const MibRange& versioned, MibRange& translated,
                   const std::string& prefix);

#endif  // OSTRAND_MIB_ENUM_RANGES_H_
