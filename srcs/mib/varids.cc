#include "mib/varids.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "expr/constant_names.h"
#include "language/reserved_names.h"
#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/value_names.h"
#include "mib/version_window.h"

namespace {

// Version to the names that get an identifier from that version on.
using VersionCollection = std::map<int32_t, std::set<std::string>>;

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
  // Variables come in name order, so a name mostly goes at the end of its
  // set.
  if (variable.listed) {
    std::set<std::string>& names = collection[version];
    names.insert(names.end(), variable.name);
  }
  if (variable.constants == nullptr) return;
  for (const auto& [constant, since] : *variable.constants) {
    if (constantVersion(since) <= version) {
      collection[version].insert(vidStdConstantName(variable.name, constant));
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
      collection[version].insert(vidStdConstantName(variable.name, constant));
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
        collection[std::max(indexVersion, tableVersion)].insert(
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
  for (const auto& [version, names] : collection) {
    // Names in order again: at the first version every one is new and
    // goes at the end of the map.
    for (const std::string& name : names) {
      std::map<int32_t, int32_t>& versions =
          varIds.try_emplace(varIds.end(), name)->second;
      versions[version] = next++;
      if (next == kSkippedVarId) ++next;
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
