#include "mib/mib_tables.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "language/reserved_names.h"
#include "language/status_codes.h"
#include "mib/messages.h"
#include "mib/version_window.h"

namespace {

// Where one table's parameter is being placed.
struct Placement {
  const std::string& tableName;
  int32_t tableVersion;
  const std::string& variableName;
  const MibVariable& variable;
  const std::string& prefix;
};

// The versions of `map` in [from, to), which must hold at `from`. A
// problem is reported after the parameter's prefix and `step`, joined only
// then: every parameter of every table comes through here.
template <typename T>
int checkedVersionsInWindow(const std::map<int32_t, T>& map, int32_t from,
                            int32_t to, MessageList& messages,
                            const std::string& parameterPrefix,
                            const char* step, std::vector<int32_t>& versions) {
  if (from >= to) {
    addMessage(messages, parameterPrefix + step, "Invalid index range %d to %d",
               from, to);
    return kGeneratorInconsistent;
  }
  if (map.empty()) {
    addMessage(messages, parameterPrefix + step, "Index range is empty");
    return kGeneratorInconsistent;
  }
  if (map.begin()->first > from) {
    addMessage(messages, parameterPrefix + step,
               "Index version <= %d not found", from);
    return kGeneratorInconsistent;
  }
  versions = versionsInWindow(map, from, to);
  return kStatusOk;
}

// Adds the variable to the row of `indexList` at `indexVersion` once per
// range version within [from, to): from `from` for the range in effect
// there, from its own version for each later one.
int addRangeVersions(MibTableSet& tables, MessageList& messages,
                     const Placement& at, const MibIndexKey& indexList,
                     int32_t indexVersion, int32_t from, int32_t to) {
  std::vector<int32_t> rangeVersions;
  int status = checkedVersionsInWindow(
      at.variable.mergedRanges, from, to, messages, at.prefix,
      "Extracting range versions: ", rangeVersions);
  for (size_t i = 0; status == kStatusOk && i < rangeVersions.size(); ++i) {
    status = addToTables(tables, messages, at.tableName, at.tableVersion,
                         indexList, indexVersion, at.variableName,
                         i == 0 ? from : rangeVersions[i], at.prefix);
  }
  return status;
}

// Adds the variable to the rows of each version of its index within
// [from, to), each version covering the range versions up to the next.
// A list that names no known index has no versions, like an empty index.
int addIndexVersions(MibTableSet& tables, MessageList& messages,
                     const Placement& at, const MibIndexKey& indexList,
                     const MibIndexMap& indices, int32_t from, int32_t to) {
  static const std::map<int32_t, std::vector<std::string>> kNoVersions;
  const auto index = indices.find(indexList);
  std::vector<int32_t> indexVersions;
  int status = checkedVersionsInWindow(
      index == indices.end() ? kNoVersions : index->second.mergedValueNames,
      from, to, messages, at.prefix, "Extracting index versions: ",
      indexVersions);
  for (size_t i = 0; status == kStatusOk && i < indexVersions.size(); ++i) {
    const int32_t subFrom = i == 0 ? from : indexVersions[i];
    const int32_t subTo =
        i + 1 < indexVersions.size() ? indexVersions[i + 1] : to;
    status = addRangeVersions(tables, messages, at, indexList, indexVersions[i],
                              subFrom, subTo);
  }
  return status;
}

// The version from which a parameter of `table` is in it: not before the
// variable exists or the table does, nor before the trap for the traps
// table. -2 with a message when the trap is missing.
int startVersion(const DefinitionModel& model, const std::string& tableName,
                 const TableDef& table, const std::string& name,
                 const MibVariable& variable, MessageList& messages,
                 const std::string& prefix, int32_t& start) {
  start = std::max(variable.firstVersion, table.version);
  if (tableName != kTrapsTableName) return kStatusOk;
  const auto trap = model.traps.find(name);
  if (trap == model.traps.end()) {
    addMessage(messages, prefix, "Trap definition not found");
    return kGeneratorInconsistent;
  }
  // A trap's version is a version like any other: signed 32 bits.
  start = std::max(start, static_cast<int32_t>(trap->second.version));
  return kStatusOk;
}

// Places one parameter reference of a table: each index list of the
// variable over the part of its validity that lies after `start`.
int placeParameter(MibTableSet& tables, MessageList& messages,
                   const DefinitionModel& model, const MibIndexMap& indices,
                   const MibVariableMap& variables,
                   const std::string& tableName, const TableDef& table,
                   const std::string& name) {
  const std::string prefix =
      "Generating MIB: Processing parameter " + name + ": ";
  const auto found = variables.find(name);
  if (found == variables.end()) {
    addMessage(messages, prefix, "MIB variable not defined");
    return kGeneratorInconsistent;
  }
  const MibVariable& variable = found->second;
  int32_t start = 0;
  int status = startVersion(model, tableName, table, name, variable, messages,
                            prefix, start);
  if (status != kStatusOk) return status;
  // Without merged ranges there is nothing to compare; the first window
  // then reports the empty range.
  if (!variable.mergedRanges.empty() &&
      variable.mergedRanges.begin()->first != variable.firstVersion) {
    addMessage(messages, prefix,
               "First range version %d does not match first MIB variable "
               "version %d",
               variable.mergedRanges.begin()->first, variable.firstVersion);
    return kGeneratorInconsistent;
  }
  const Placement at{tableName, table.version, name, variable, prefix};
  for (auto it = variable.indexLists.begin(); it != variable.indexLists.end();
       ++it) {
    const auto next = std::next(it);
    const int32_t to =
        next == variable.indexLists.end() ? kOpenVersion : next->first;
    if (to <= start) continue;
    const int32_t from = std::max(it->first, start);
    status =
        it->second.empty()
            ? addRangeVersions(tables, messages, at, it->second, 0, from, to)
            : addIndexVersions(tables, messages, at, it->second, indices, from,
                               to);
    if (status != kStatusOk) return status;
  }
  return kStatusOk;
}

}  // namespace

int addToTables(MibTableSet& tables, MessageList& messages,
                const std::string& tableName, int32_t tableVersion,
                const MibIndexKey& indexList, int32_t indexVersion,
                const std::string& variableName, int32_t variableVersion,
                const std::string& prefix) {
  int status = kStatusOk;
  if (indexVersion < 0) {
    addMessage(messages, prefix, "MIB variable index version is negative.");
    status = kGeneratorInconsistent;
  }
  if (variableVersion < 0) {
    addMessage(messages, prefix, "MIB variable version is negative.");
    status = kGeneratorInconsistent;
  }
  if (status != kStatusOk) return status;
  if (indexList.empty()) indexVersion = 0;
  MibRowGroups& groups = tables[tableVersion][tableName][indexVersion];
  const auto [group, created] = groups.try_emplace(indexList);
  if (created) group->second.indexVersion = indexVersion;
  group->second.variableVersions[variableVersion].insert(variableName);
  return kStatusOk;
}

void normaliseMibTables(MibTableSet& tables) {
  for (auto& [tableVersion, byName] : tables) {
    for (auto& [name, table] : byName) {
      // A group moves to a higher index version only, so each group is
      // visited once more at most, where it stays.
      for (auto level = table.begin(); level != table.end();) {
        MibRowGroups& groups = level->second;
        for (auto group = groups.begin(); group != groups.end();) {
          const int32_t lowest = group->second.variableVersions.begin()->first;
          if (lowest <= level->first) {
            ++group;
            continue;
          }
          // Two groups of one index meeting at one version would lose
          // variables if one were dropped: the one already there keeps
          // its index version and gains the other's variable versions.
          const auto [target, created] =
              table[lowest].try_emplace(group->first, std::move(group->second));
          if (!created) {
            for (auto& [version, names] : group->second.variableVersions) {
              target->second.variableVersions[version].insert(names.begin(),
                                                              names.end());
            }
          }
          group = groups.erase(group);
        }
        level = groups.empty() ? table.erase(level) : std::next(level);
      }
    }
  }
}

int generateMibTables(MibTableSet& tables, MessageList& messages,
                      const DefinitionModel& model, const MibIndexMap& indices,
                      const MibVariableMap& variables) {
  for (const auto& [tableName, table] : model.tables) {
    for (const NameRef& param : table.params.items) {
      const int status =
          placeParameter(tables, messages, model, indices, variables, tableName,
                         table, param.name);
      if (status != kStatusOk) return status;
    }
  }
  normaliseMibTables(tables);
  return kStatusOk;
}
