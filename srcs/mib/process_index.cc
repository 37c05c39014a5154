#include "mib/process_index.h"

#include <algorithm>

#include "language/status_codes.h"
#include "mib/messages.h"

namespace {

constexpr int kIncompatible = 1;

int mergeVersions(MessageList& messages, MibIndex& index,
                  const std::string& prefix) {
  index.mergedValueNames.clear();
  index.mergedSplitters.clear();
  if (index.valueNames.empty()) return kStatusOk;
  std::vector<std::string> accumulated;
  int32_t start = index.valueNames.begin()->first;
  for (const auto& [version, names] : index.valueNames) {
    const int status =
        mergeIndexValueList(messages, accumulated, names, prefix);
    if (status < 0) return status;
    if (status == kIncompatible) {
      index.mergedValueNames[start] = std::move(accumulated);
      start = version;
      accumulated = names;
    }
  }
  index.mergedValueNames[start] = std::move(accumulated);
  return kStatusOk;
}

}  // namespace

int mergeIndexValueList(MessageList& messages,
                        std::vector<std::string>& accumulated,
                        const std::vector<std::string>& next,
                        const std::string& prefix) {
  if (next.empty()) {
    addMessage(messages, prefix, "Empty index range");
    return kGeneratorInconsistent;
  }
  const size_t common = std::min(accumulated.size(), next.size());
  if (!std::equal(next.begin(), next.begin() + common, accumulated.begin())) {
    return kIncompatible;
  }
  if (next.size() > accumulated.size()) accumulated = next;
  return kStatusOk;
}

int processIndex(MessageList& messages, MibIndex& index, uint32_t limit,
                 const std::string& prefix) {
  if (!index.indexSplitters.empty()) {
    index.mergedValueNames = index.valueNames;
    index.mergedSplitters = index.indexSplitters;
  } else {
    const int status = mergeVersions(messages, index, prefix);
    if (status != kStatusOk) return status;
  }
  if (limit == kNoIndexValueLimit) return kStatusOk;
  for (const auto& [version, names] : index.mergedValueNames) {
    if (names.size() > limit) {
      addMessage(messages, prefix, "Number of index values is larger than %u",
                 limit);
      return kGeneratorFailed;
    }
  }
  return kStatusOk;
}
