#include "mib/multi_index_lists.h"

#include <optional>

#include "language/status_codes.h"
#include "mib/merge_indices.h"
#include "mib/messages.h"
#include "mib/version_combinations.h"
#include "mib/version_window.h"

namespace {

using IndexLists = std::map<int32_t, std::vector<std::string>>;

// The version at which the index list at `entry` stops being in effect.
std::optional<int32_t> endOfList(const MibVariable& variable,
                                 IndexLists::const_iterator entry) {
  const bool removed = variable.removalVersion >= 0;
  auto next = std::next(entry);
  if (next != variable.indexLists.end() &&
      (!removed || next->first < variable.removalVersion)) {
    return next->first;
  }
  if (removed) return variable.removalVersion;
  return std::nullopt;
}

int convertList(MibIndexMap& indices, const std::string& variableName,
                const MibVariable& variable, IndexLists::const_iterator entry,
                MessageList& messages) {
  const auto& [version, names] = *entry;
  const std::string prefix = "Error processing MIB variable " + variableName +
                             " index list version " + std::to_string(version) +
                             ": ";
  const std::optional<int32_t> end = endOfList(variable, entry);
  int status = kStatusOk;
  std::vector<const MibIndex*> components;
  std::vector<std::vector<int32_t>> versionLists;
  for (const std::string& name : names) {
    auto index = indices.find({name});
    if (index == indices.end()) {
      addMessage(messages, prefix, "Index definition for %s not found",
                 name.c_str());
      status = kGeneratorInconsistent;
      continue;
    }
    if (index->second.valueNames.empty()) {
      addMessage(messages, prefix, "Index definition for %s is empty",
                 name.c_str());
      status = kGeneratorInconsistent;
      continue;
    }
    components.push_back(&index->second);
    versionLists.push_back(
        versionsInWindow(index->second.valueNames, version, end));
  }
  if (status != kStatusOk) return status;
  std::vector<VersionCombination> combinations;
  std::vector<int32_t> mergedVersions;
  buildVersionCombinations(versionLists, combinations, mergedVersions);
  return mergeIndices(messages, indices, mergedVersions, prefix, names,
                      combinations, components, version);
}

}  // namespace

int convertMultiIndexLists(MibIndexMap& indices,
                           const MibVariableMap& variables,
                           MessageList& messages) {
  int status = kStatusOk;
  for (const auto& [name, variable] : variables) {
    for (auto entry = variable.indexLists.begin();
         entry != variable.indexLists.end(); ++entry) {
      if (entry->second.size() < 2) continue;
      const int result = convertList(indices, name, variable, entry, messages);
      if (status == kStatusOk) status = result;
    }
  }
  return status;
}
