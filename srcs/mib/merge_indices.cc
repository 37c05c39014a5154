#include "mib/merge_indices.h"

#include <algorithm>
#include <limits>

#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/translation.h"

namespace {

// The components' contributions to one merged version.
struct MergedParts {
  std::vector<const std::vector<std::string>*> names;
  std::vector<TranslationList> translations;
  std::map<std::string, std::map<std::string, std::string>> texts;
};

// Takes component j's value list, translations and value texts at
// `version`; -2 with a message when one is missing or not of a simple
// index.
int takeComponent(MessageList& messages, const std::string& prefix,
                  const std::string& name, unsigned j, int32_t version,
                  const MibIndex& component, MergedParts& parts) {
  auto names = component.valueNames.find(version);
  if (names == component.valueNames.end()) {
    addMessage(messages, prefix,
               "Error merging MIB indices: could not find version %d range "
               "for index %s",
               version, name.c_str());
    return kGeneratorInconsistent;
  }
  auto conversion = component.indexToValue.find(version);
  if (conversion == component.indexToValue.end()) {
    addMessage(messages, prefix,
               "Error merging MIB indices: Index %u version %d parameter "
               "index conversion not found",
               j, version);
    return kGeneratorInconsistent;
  }
  if (conversion->second.size() != 1) {
    addMessage(messages, prefix,
               "Error merging MIB indices: Index %u version %d parameter "
               "index conversion is not for an unmerged index:size=%u",
               j, version, static_cast<unsigned>(conversion->second.size()));
    return kGeneratorInconsistent;
  }
  auto texts = component.valueTexts.find(version);
  if (texts == component.valueTexts.end()) {
    addMessage(messages, prefix,
               "Error merging MIB indices: Index %u version %d parameter "
               "index translation not found",
               j, version);
    return kGeneratorInconsistent;
  }
  if (texts->second.size() != 1) {
    addMessage(messages, prefix,
               "Error merging MIB indices: Index %u version %d parameter "
               "index translation is not for an unmerged index:size=%u",
               j, version, static_cast<unsigned>(texts->second.size()));
    return kGeneratorInconsistent;
  }
  parts.names.push_back(&names->second);
  parts.translations.push_back(conversion->second[0]);
  parts.texts.insert(texts->second.begin(), texts->second.end());
  return kStatusOk;
}

std::vector<std::string> combinedNames(
    const std::vector<const std::vector<std::string>*>& lists) {
  std::vector<size_t> sizes;
  for (const std::vector<std::string>* list : lists) {
    if (list->empty()) return {};
    sizes.push_back(list->size());
  }
  std::vector<std::string> names;
  std::vector<size_t> positions(lists.size(), 0);
  do {
    std::string name;
    for (size_t j = 0; j < lists.size(); ++j) name += (*lists[j])[positions[j]];
    names.push_back(std::move(name));
  } while (names.size() <= kIndexValueLimit &&
           nextCombination(positions, sizes));
  return names;
}

// The literal of a value count. A count beyond 32 bits belongs to an index
// that the limit check refuses, so its literal is never evaluated.
ExprValue countValue(uint64_t count) {
  return integerValue(static_cast<int32_t>(
      std::min<uint64_t>(count, std::numeric_limits<int32_t>::max())));
}

// Per component k: (sw::this / m) % sk, m the number of combinations of
// the later components, written (sw::this) % sk when m is 1.
std::vector<std::vector<ExprValue>> splitExpressions(
    const std::vector<const std::vector<std::string>*>& lists) {
  std::vector<std::vector<ExprValue>> splitters(lists.size());
  uint64_t later = 1;
  for (size_t k = lists.size(); k > 0; --k) {
    const uint64_t count = lists[k - 1]->size();
    std::vector<ExprValue>& splitter = splitters[k - 1];
    splitter = {operatorValue(kExprOpenParen), thisValue()};
    if (later != 1) {
      splitter.push_back(operatorValue(kExprDivide));
      splitter.push_back(countValue(later));
    }
    splitter.push_back(operatorValue(kExprCloseParen));
    splitter.push_back(operatorValue(kExprRemainder));
    splitter.push_back(countValue(count));
    // Saturates well above any count an accepted index can have.
    later = std::min<uint64_t>(later * count, uint64_t{1} << 32);
  }
  return splitters;
}

}  // namespace

int mergeIndices(MessageList& messages, MibIndexMap& indices,
                 std::vector<int32_t> mergedVersions, const std::string& prefix,
                 const MibIndexKey& key,
                 const std::vector<VersionCombination>& combinations,
                 const std::vector<const MibIndex*>& components,
                 int32_t listVersion) {
  if (mergedVersions.empty()) return kStatusOk;
  auto existing = indices.find(key);
  MibIndex created;
  MibIndex& target = existing != indices.end() ? existing->second : created;
  for (int32_t& version : mergedVersions) {
    if (target.valueNames.count(version) != 0) version = -1;
  }
  if (mergedVersions.size() != combinations.size()) {
    addMessage(messages, prefix,
               "Error merging MIB indices: mismatch between number of version "
               "combinations and number of merged versions.");
    return kGeneratorInconsistent;
  }
  for (size_t i = 0; i < combinations.size(); ++i) {
    const int32_t merged = mergedVersions[i];
    if (merged < 0) continue;
    if (combinations[i].size() != components.size()) {
      addMessage(messages, prefix,
                 "Error merging MIB indices: mismatch between number of index "
                 "versions and number of index definitions.");
      return kGeneratorInconsistent;
    }
    MergedParts parts;
    for (size_t j = 0; j < components.size(); ++j) {
      const int status =
          takeComponent(messages, prefix, key[j], static_cast<unsigned>(j),
                        combinations[i][j], *components[j], parts);
      if (status != kStatusOk) return status;
    }
    target.valueNames.try_emplace(merged, combinedNames(parts.names));
    target.indexSplitters.try_emplace(merged, splitExpressions(parts.names));
    target.indexToValue.try_emplace(merged, std::move(parts.translations));
    target.valueTexts.try_emplace(merged, std::move(parts.texts));
  }
  target.removalVersion = -1;
  if (existing == indices.end()) {
    target.version = listVersion;
    indices.emplace(key, std::move(created));
  } else {
    target.version = std::min(target.version, listVersion);
  }
  return kStatusOk;
}
