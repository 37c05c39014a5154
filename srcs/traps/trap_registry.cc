#include "traps/trap_registry.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "language/reserved_names.h"
#include "mib/varids.h"
#include "traps/trap_instances.h"
#include "traps/trap_rules.h"

namespace {

// Where a trap sits in the traps table.
struct TrapRow {
  uint32_t position;
  int32_t variableVersion;
  const MibIndexKey& indexList;
  int32_t indexVersion;         // as recorded by the row group
  int32_t registrationVersion;  // the later of the index and table versions
};

struct Sources {
  const MibVariableMap& variables;
  const MibIndexMap& indices;
  const VarIdMap& varIds;
};

void addInstance(TrapGroup& group, uint32_t id, const TrapContext& context,
                 const TrapDef& trap) {
  TrapInstance instance;
  instance.id = id;
  buildRules(instance, context, trap.trueTrap);
  buildBindings(instance, context, trap.bindings);
  group.instances.try_emplace(context.indexValues, std::move(instance));
}

void addInstances(TrapGroup& group, const std::string& name,
                  const MibVariable& variable, const TrapDef& trap,
                  const TrapRow& row, const Sources& sources) {
  // A variable always has an index list from its first version; without
  // one it is treated as scalar, as names are when they are resolved.
  static const MibIndexKey kScalar;
  const MibIndexKey* indexNames = &kScalar;
  if (!variable.indexLists.empty()) {
    const auto& [listVersion, list] = *variable.indexLists.rbegin();
    if (row.variableVersion < listVersion) return;
    indexNames = &list;
  }
  if (indexNames->empty()) {
    const TrapIndexValues none;
    addInstance(
        group, row.position,
        {sources.variables, name, *indexNames, none, row.variableVersion},
        trap);
    return;
  }
  const auto index = sources.indices.find(*indexNames);
  if (index == sources.indices.end()) return;
  std::vector<TrapIndexValues> values;
  if (!enumerateIndex(index->second, row.variableVersion, values)) return;
  for (uint32_t number = 0; number < values.size(); ++number) {
    addInstance(group, row.position << 8 | number,
                {sources.variables, name, *indexNames, values[number],
                 row.variableVersion},
                trap);
  }
}

void registerTrap(TrapRegistry& registry, const std::string& name,
                  const MibVariable& variable, const TrapDef& trap,
                  const TrapRow& row, const Sources& sources) {
  if (registry.groups.count(name) != 0) return;
  const auto ids =
      sources.varIds.find(faultPresentName(row.indexList, row.indexVersion));
  if (ids == sources.varIds.end()) return;
  const auto faultId = ids->second.find(row.registrationVersion);
  if (faultId == ids->second.end()) return;
  TrapGroup group;
  group.faultId = faultId->second;
  addInstances(group, name, variable, trap, row, sources);
  registry.groups.emplace(name, std::move(group));
}

template <typename Map>
void firstAbove(std::optional<int32_t>& next, const Map& versions,
                int32_t version) {
  const auto above = versions.upper_bound(version);
  if (above != versions.end() && (!next || above->first < *next)) {
    next = above->first;
  }
}

}  // namespace

TrapRegistry& trapRegistry() {
  static TrapRegistry registry;
  return registry;
}

std::string instanceParameterName(const std::string& trapName,
                                  const TrapIndexValues& indexValues) {
  std::string name = trapName;
  for (const std::string& value : indexValues) name += "[" + value + "]";
  return name;
}

int32_t nextChangeVersion(const MibVariable& variable, int32_t version,
                          const MibIndexMap& indices) {
  std::optional<int32_t> next;
  firstAbove(next, variable.indexLists, version);
  const auto inEffect = variable.indexLists.upper_bound(version);
  if (inEffect != variable.indexLists.begin()) {
    const MibIndexKey& list = std::prev(inEffect)->second;
    const auto index = indices.find(list);
    if (index != indices.end()) {
      firstAbove(next, index->second.mergedValueNames, version);
    } else {
      for (const std::string& name : list) {
        const auto single = indices.find(MibIndexKey{name});
        if (single != indices.end()) {
          firstAbove(next, single->second.mergedValueNames, version);
        }
      }
    }
  }
  firstAbove(next, variable.mergedRanges, version);
  if (variable.removalVersion >= 0) {
    next = std::min(next.value_or(variable.removalVersion),
                    variable.removalVersion);
  }
  return next.value_or(-1);
}

void registerTraps(TrapRegistry& registry, int deviceFd,
                   const MibTableSet& mibTables,
                   const MibVariableMap& mibVariables,
                   const MibIndexMap& mibIndices, const DefinitionModel& model,
                   const VarIdMap& varIds) {
  registry.deviceFd = deviceFd;
  const Sources sources{mibVariables, mibIndices, varIds};
  for (const auto& [tableVersion, tables] : mibTables) {
    const auto traps = tables.find(kTrapsTableName);
    if (traps == tables.end()) continue;
    for (const auto& [indexVersion, rowGroups] : traps->second) {
      for (const auto& [indexList, rowGroup] : rowGroups) {
        // Every name of the row takes a position, registered or not, so
        // that the far end can number the row's traps the same way.
        uint32_t position = 0;
        for (const auto& [variableVersion, names] : rowGroup.variableVersions) {
          for (const std::string& name : names) {
            const auto variable = mibVariables.find(name);
            const auto trap = model.traps.find(name);
            if (variable != mibVariables.end() && trap != model.traps.end() &&
                nextChangeVersion(variable->second, variableVersion,
                                  mibIndices) < 0) {
              registerTrap(
                  registry, name, variable->second, trap->second,
                  {position, variableVersion, indexList, rowGroup.indexVersion,
                   std::max(indexVersion, tableVersion)},
                  sources);
            }
            ++position;
          }
        }
      }
    }
  }
}
