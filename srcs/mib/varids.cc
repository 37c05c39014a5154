#include "mib/varids.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <iterator>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "expr/constant_names.h"
#include "language/reserved_names.h"
#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/value_names.h"
#include "mib/version_window.h"

namespace {

// Version to the names that get an identifier from that version on: the
// variables' own names, which come in name order, each at most once in a
// row, and apart from them the names made here (constants, flags), kept
// in `made`, whose strings never move. A card has a name per variable and
// version, and a node each would cost more than the names themselves.
struct VersionCollection {
  std::map<int32_t, std::vector<std::string_view>> names;
  std::map<int32_t, std::vector<std::string_view>> madeNames;
  std::deque<std::string> made;

  void add(int32_t version, std::string_view name) {
    std::vector<std::string_view>& list = names[version];
    if (list.empty() || list.back() != name) list.push_back(name);
  }
  void addMade(int32_t version, std::string name) {
    madeNames[version].push_back(made.emplace_back(std::move(name)));
  }
  // Puts the made names among the others, each version's names in order
  // and each once.
  void merge() {
    for (auto& [version, extra] : madeNames) {
      std::sort(extra.begin(), extra.end());
      std::vector<std::string_view>& list = names[version];
      const auto middle = static_cast<std::ptrdiff_t>(list.size());
      list.insert(list.end(), extra.begin(), extra.end());
      std::inplace_merge(list.begin(), list.begin() + middle, list.end());
    }
    for (auto& [version, list] : names) {
      list.erase(std::unique(list.begin(), list.end()), list.end());
    }
  }
};

// What one variable contributes names for.
struct Contributor {
  const std::string& name;
  bool listed;
  // Constant to the version from which the variable's standard provides
  // it; null when the variable names no video standard.
  const std::map<std::string, uint32_t>* constants;
};

// A constant's version is a version like any other: signed 32 bits.
int32_t constantVersion(uint32_t version) {
  return static_cast<int32_t>(version);
}

// The variable's own name, when listed, and each constant that exists by
// then, at `version`.
void addAt(VersionCollection& collection, const Contributor& variable,
           int32_t version) {
  if (variable.listed) collection.add(version, variable.name);
  if (variable.constants == nullptr) return;
  for (const auto& [constant, since] : *variable.constants) {
    if (constantVersion(since) <= version) {
      collection.addMade(version, vidStdConstantName(variable.name, constant));
    }
  }
}

// The constants that the variable's own versions did not reach: of a
// removed variable those that come before the removal, of another those
// that come after its last version, each at its own version.
void addConstantsForRemoval(VersionCollection& collection,
                            const Contributor& variable, int32_t removalVersion,
                            int32_t maxVersion) {
  if (variable.constants == nullptr) return;
  for (const auto& [constant, since] : *variable.constants) {
    const int32_t version = constantVersion(since);
    if (removalVersion >= 0 ? version < removalVersion : version > maxVersion) {
      collection.addMade(version, vidStdConstantName(variable.name, constant));
    }
  }
}

int collectVariable(VersionCollection& collection, MessageList& messages,
                    const MibIndexMap& indices, const Contributor& contributor,
                    const MibVariable& variable) {
  // Made only for a message: every listed variable comes through here.
  const auto prefix = [&contributor] {
    return "Generating varids for MIB variable " + contributor.name + ": ";
  };
  int32_t maxVersion = -1;
  const auto add = [&](int32_t version) {
    addAt(collection, contributor, version);
    maxVersion = std::max(maxVersion, version);
  };
  for (auto it = variable.indexLists.begin(); it != variable.indexLists.end();
       ++it) {
    if (it->first < 0) {
      addMessage(messages, prefix(), "Found negative index version number");
      return kGeneratorInconsistent;
    }
    add(it->first);
    // A list that names no known index has no versions, like an empty one.
    const auto index = indices.find(it->second);
    if (it->second.empty() || index == indices.end()) continue;
    const auto next = std::next(it);
    const int32_t to =
        next == variable.indexLists.end() ? kOpenVersion : next->first;
    for (int32_t version :
         versionsInWindow(index->second.mergedValueNames, it->first, to)) {
      if (version < 0) {
        addMessage(messages,
                   indexPrefix(prefix() + "Processing index ", it->second),
                   "Found negative index range version number");
        return kGeneratorInconsistent;
      }
      add(version);
    }
  }
  for (const auto& [version, range] : variable.mergedRanges) {
    if (version < 0) {
      addMessage(messages, prefix(), "Found negative range version number");
      return kGeneratorInconsistent;
    }
    add(version);
  }
  addConstantsForRemoval(collection, contributor, variable.removalVersion,
                         maxVersion);
  return kStatusOk;
}

// One fault-present flag per row group of the traps table.
void collectFaultPresentNames(VersionCollection& collection,
                              const MibTableSet& tables) {
  for (const auto& [tableVersion, byName] : tables) {
    const auto traps = byName.find(kTrapsTableName);
    if (traps == byName.end()) continue;
    for (const auto& [indexVersion, groups] : traps->second) {
      for (const auto& [indexList, group] : groups) {
        collection.addMade(std::max(indexVersion, tableVersion),
                           faultPresentName(indexList, group.indexVersion));
      }
    }
  }
}

}  // namespace

int generateVarIds(VarIdMap& varIds, MessageList& messages,
                   const MibIndexMap& indices, const MibVariableMap& variables,
                   const MibTableSet& tables,
                   const std::set<std::string>& tableParamNames,
                   const VideoStandardTable& vidStdTable) {
  VersionCollection collection;
  // Both in name order: the listed names are walked beside the variables.
  auto listed = tableParamNames.begin();
  for (const auto& [name, variable] : variables) {
    while (listed != tableParamNames.end() && *listed < name) ++listed;
    const auto standard = vidStdTable.find(name);
    const Contributor contributor{
        name, listed != tableParamNames.end() && *listed == name,
        standard == vidStdTable.end() ? nullptr : &standard->second};
    if (!contributor.listed && contributor.constants == nullptr) continue;
    const int status =
        collectVariable(collection, messages, indices, contributor, variable);
    if (status != kStatusOk) return status;
  }
  collectFaultPresentNames(collection, tables);

  int32_t next = kFirstVarId;
  collection.merge();
  for (const auto& [version, names] : collection.names) {
    // Each name lies at or just before the one after the name before it:
    // at the first version every name is new and goes at the end, at a
    // later one most are there already, one after another. Versions come
    // in order too, so each goes at the end of its name's.
    auto hint = varIds.begin();
    for (const std::string_view name : names) {
      const auto entry = hint != varIds.end() && hint->first == name
                             ? hint
                             : varIds.try_emplace(hint, std::string(name));
      entry->second.emplace_hint(entry->second.end(), version, next++);
      if (next == kSkippedVarId) ++next;
      hint = std::next(entry);
    }
  }
  return kStatusOk;
}

std::string faultPresentName(const MibIndexKey& indexList,
                             int32_t indexVersion) {
  std::string name;
  for (const std::string& part : indexList) {
    if (part.empty()) continue;
    name += asciiUpper(part[0]);
    name += part.substr(1);
  }
  // Written as an unsigned number; addToTables records no negative index
  // version, so only a hand-made row could tell the difference.
  name += "V" + std::to_string(static_cast<uint32_t>(indexVersion)) +
          "FaultPresent";
  name[0] = asciiLower(name[0]);
  return name;
}
