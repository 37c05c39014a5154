// Runs of integer ranges. The run keeps a working list of its values in
// ascending order: integer ranges, and between them the runs of strings a
// version wrote between its integer ranges. Later versions may widen or add
// integer ranges and add strings as long as every value placed before keeps
// its MIB number; the numbers are given when the run is finished.

#ifndef OSTRAND_MIB_INTEGER_RANGES_H_
#define OSTRAND_MIB_INTEGER_RANGES_H_

#include <cstdint>
#include <list>
#include <set>
#include <string>
#include <vector>

#include "mib/mib_model.h"

// One item of the working list: a string run (`strings` not empty) or the
// integer range min..max.
struct WorkingItem {
  int32_t min = 0;
  int32_t max = 0;
  std::vector<std::string> strings;

  bool isStringRun() const { return !strings.empty(); }
};

// The working list of an integer run and every string placed in it.
struct IntegerRun {
  std::list<WorkingItem> items;
  std::set<std::string> usedStrings;
};

// A piece of one version's range: the strings written before an integer
// range, and the range; the strings after the last range form a final
// piece without range.
struct RangeSegment {
  std::vector<std::string> strings;
  bool hasRange = false;
  int32_t min = 0;
  int32_t max = 0;
};

// Merges the integer range `versioned` into `run`; `segments` receives the
// version's pieces. Into an empty run the pieces are appended as written.
//
// Returns 0; 1 when the version cannot be placed without moving a value
// the run has numbered (a new run must start with it); -2 with a message
// after `prefix` when the range is malformed or cannot start a run. `run`
// is unchanged unless the result is 0.
int mergeIntegerRange(MessageList& messages, IntegerRun& run,
                      const MibRange& versioned,
                      std::vector<RangeSegment>& segments,
                      const std::string& prefix);

#endif  // OSTRAND_MIB_INTEGER_RANGES_H_
