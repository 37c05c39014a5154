#include "mib/process_variable.h"

#include "language/status_codes.h"
#include "mib/enum_ranges.h"
#include "mib/integer_numbering.h"
#include "mib/integer_ranges.h"
#include "mib/messages.h"

namespace {

constexpr int kIncompatible = 1;

// The run of versions being merged.
struct Run {
  MibVariable& variable;
  MessageList& messages;
  const std::string& prefix;
  bool open = false;
  int32_t start = 0;
  bool isInteger = false;
  EnumState enumState;
  MibRange enumMerged;
  IntegerRun integers;
  // The pieces of the integer version being merged, kept for the next.
  std::vector<RangeSegment> segments;
};

// Stores the merged range of the run, if one is open, under its first
// version.
int closeRun(Run& run) {
  if (!run.open) return kStatusOk;
  run.open = false;
  MibRange& merged = run.variable.mergedRanges[run.start];
  if (!run.isInteger) {
    merged = std::move(run.enumMerged);
    return kStatusOk;
  }
  return finishIntegerRange(run.messages, run.integers, merged, run.prefix);
}

int startRun(Run& run, int32_t version, bool isInteger) {
  const int status = closeRun(run);
  run.open = true;
  run.start = version;
  run.isInteger = isInteger;
  run.enumState = EnumState{};
  run.enumMerged = MibRange{};
  run.integers = IntegerRun{};
  return status;
}

int mergeInteger(Run& run, int32_t version, MibRange& range) {
  std::vector<RangeSegment>& segments = run.segments;
  int status = mergeIntegerRange(run.messages, run.integers, range, segments,
                                 run.prefix);
  if (status == kIncompatible) {
    status = startRun(run, version, true);
    if (status != kStatusOk) return status;
    status = mergeIntegerRange(run.messages, run.integers, range, segments,
                               run.prefix);
    // A run's first version is only appended and mergeIntegerRange reports
    // a refusal there itself; should that ever change, a version that
    // cannot even start a run must still fail the variable rather than
    // loop or be dropped.
    if (status == kIncompatible) {
      addMessage(run.messages, run.prefix,
                 "Could not initialize merged integer range");
      return kGeneratorInconsistent;
    }
  }
  if (status != kStatusOk) return status;
  MibRange translated;
  status = translateIntegerVersion(run.messages, run.integers, segments,
                                   translated, run.prefix);
  if (status == kStatusOk) range = std::move(translated);
  return status;
}

int mergeVersion(Run& run, int32_t version, MibRange& range) {
  if (range.stringLength) {
    addMessage(run.messages, run.prefix,
               "Range has changed from enum/int to string");
    return kGeneratorInconsistent;
  }
  const bool isInteger = range.isInteger != 0;
  if (!run.open || isInteger != run.isInteger) {
    const int status = startRun(run, version, isInteger);
    if (status != kStatusOk) return status;
  }
  if (isInteger) return mergeInteger(run, version, range);
  MibRange translated;
  const int status = mergeEnumRange(run.messages, run.enumState, run.enumMerged,
                                    range, translated, run.prefix);
  if (status == kStatusOk) range = std::move(translated);
  return status;
}

}  // namespace

int processVariable(MessageList& messages, MibVariable& variable,
                    const std::string& prefix) {
  variable.mergedRanges.clear();
  if (variable.versionedRanges.empty()) return kStatusOk;
  const auto& [firstVersion, firstRange] = *variable.versionedRanges.begin();
  if (firstRange.stringLength) {
    variable.mergedRanges[firstVersion] = firstRange;
    return kStatusOk;
  }
  Run run{variable, messages, prefix, false, 0, false, {}, {}, {}, {}};
  for (auto& [version, range] : variable.versionedRanges) {
    const int status = mergeVersion(run, version, range);
    if (status != kStatusOk) return status;
  }
  return closeRun(run);
}
