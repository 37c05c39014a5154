#include "traps/trap_registry.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "expr/constant_names.h"
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

// The index values of each index the traps are indexed by, enumerated once
// (enumerateIndex) rather than once per trap: the traps of a card share a
// few indices.
class Enumerations {
 public:
  // The values of `index` as of `version`; null when it cannot be
  // enumerated.
  const std::vector<TrapIndexValues>* of(const MibIndex& index,
                                         int32_t version) {
    auto [at, added] = enumerated_.try_emplace({&index, version});
    if (added && !enumerateIndex(index, version, at->second.values)) {
      at->second.failed = true;
    }
    return at->second.failed ? nullptr : &at->second.values;
  }

 private:
  struct Values {
    bool failed = false;
    std::vector<TrapIndexValues> values;
  };
  std::map<std::pair<const MibIndex*, int32_t>, Values> enumerated_;
};

struct Sources {
  const MibVariableMap& variables;
  const MibIndexMap& indices;
  const VarIdMap& varIds;
  // The rules of the instance registered last, which the next trap's first
  // instance shares where they are the same.
  TrapRules& previousRules;
  Enumerations& enumerations;
};

void addInstance(TrapGroup& group, uint32_t id, TrapPlan& plan,
                 TrapIndexValues values, const TrapRules& previousRules) {
  TrapInstance instance;
  instance.id = id;
  plan.fill(values, group.instances.empty() ? previousRules
                                            : group.instances.back().rules,
            instance);
  group.instances.add(std::move(values), std::move(instance));
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
  const TrapContext context{sources.variables, name, *indexNames,
                            row.variableVersion};
  TrapPlan plan(context, trap, true);
  if (indexNames->empty()) {
    addInstance(group, row.position, plan, {}, sources.previousRules);
    return;
  }
  const auto index = sources.indices.find(*indexNames);
  if (index == sources.indices.end()) return;
  const std::vector<TrapIndexValues>* enumerated =
      sources.enumerations.of(index->second, row.variableVersion);
  if (enumerated == nullptr) return;
  const std::vector<TrapIndexValues>& values = *enumerated;
  // An instance of a combined index lacks a value where a component's
  // split gives no number; none of its names resolves.
  std::optional<TrapPlan> lacking;
  group.instances.reserve(values.size());
  for (uint32_t number = 0; number < values.size(); ++number) {
    TrapPlan* planOf = &plan;
    if (values[number].size() != indexNames->size()) {
      if (!lacking) lacking.emplace(context, trap, false);
      planOf = &*lacking;
    }
    addInstance(group, row.position << 8 | number, *planOf, values[number],
                sources.previousRules);
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
  if (!group.instances.empty()) {
    sources.previousRules = group.instances.back().rules;
  }
  group.instances.seal();
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

// The readers are ordered by a hash of their name first: the names of one
// card share long prefixes ("level[3]", "level[4]"), and sorting hundreds of
// thousands of them by their characters alone spent most of its time
// comparing those prefixes.
uint32_t readerHash(std::string_view name) {
  return static_cast<uint32_t>(std::hash<std::string_view>()(name));
}

std::pair<uint32_t, std::string_view> keyOf(const TrapReader& reader) {
  return {reader.hash, reader.name};
}
std::pair<uint32_t, std::string_view> keyOf(
    const std::pair<uint32_t, std::string_view>& key) {
  return key;
}

// Whether `name` is that of a video standard constant, and if so, its
// parameter within `name` (which may be empty, as a name may be).
bool vidStdParameterOf(const std::string& name, std::string_view& parameter) {
  std::string parameterText, constant;
  if (!splitVidStdConstantName(name, parameterText, constant)) {
    return false;
  }
  // The name ends with the parameter, "::" and the constant.
  parameter = std::string_view(name).substr(
      name.size() - constant.size() - 2 - parameterText.size(),
      parameterText.size());
  return true;
}

// Readers of one name may lie in any order among themselves: a signal puts
// the instances it finds in an ordered map. So the traps compare by
// address, not by name.
bool readsBefore(const TrapReader& a, const TrapReader& b) {
  return std::tie(a.hash, a.name, a.trap, a.instance) <
         std::tie(b.hash, b.name, b.trap, b.instance);
}

bool sameReader(const TrapReader& a, const TrapReader& b) {
  return a.trap == b.trap && a.instance == b.instance && a.name == b.name;
}

void indexReaders(TrapRegistry& registry) {
  std::vector<TrapReader>& readers = registry.readers;
  readers.clear();
  size_t count = 0;
  std::string_view parameter;
  for (const auto& trap : registry.groups) {
    for (const auto& instance : trap.second.instances) {
      for (const std::string& name : instance.second.dependencies) {
        count += vidStdParameterOf(name, parameter) ? 2 : 1;
      }
    }
  }
  readers.reserve(count);
  for (auto& trap : registry.groups) {
    const TrapInstances& instances = trap.second.instances;
    for (uint32_t i = 0; i < instances.size(); ++i) {
      for (const std::string& name : instances.begin()[i].second.dependencies) {
        readers.push_back({name, &trap, i, readerHash(name)});
        if (vidStdParameterOf(name, parameter)) {
          readers.push_back({parameter, &trap, i, readerHash(parameter)});
        }
      }
    }
  }
  std::sort(readers.begin(), readers.end(),
            [](const TrapReader& a, const TrapReader& b) {
              return readsBefore(a, b);
            });
  readers.erase(std::unique(readers.begin(), readers.end(), sameReader),
                readers.end());
  readers.shrink_to_fit();
}

}  // namespace

void TrapInstances::add(TrapIndexValues indexValues, TrapInstance instance) {
  instances_.emplace_back(std::move(indexValues), std::move(instance));
}

void TrapInstances::seal() {
  const auto byValues = [](const value_type& a, const value_type& b) {
    return a.first < b.first;
  };
  if (!std::is_sorted(instances_.begin(), instances_.end(), byValues)) {
    std::stable_sort(instances_.begin(), instances_.end(), byValues);
  }
  const auto sameValues = [](const value_type& a, const value_type& b) {
    return a.first == b.first;
  };
  instances_.erase(
      std::unique(instances_.begin(), instances_.end(), sameValues),
      instances_.end());
  instances_.shrink_to_fit();
}

TrapInstances::const_iterator TrapInstances::find(
    const TrapIndexValues& indexValues) const {
  const auto at =
      std::lower_bound(instances_.begin(), instances_.end(), indexValues,
                       [](const value_type& a, const TrapIndexValues& b) {
                         return a.first < b;
                       });
  return at != instances_.end() && at->first == indexValues ? at
                                                            : instances_.end();
}

TrapInstances::iterator TrapInstances::find(
    const TrapIndexValues& indexValues) {
  const auto found = std::as_const(*this).find(indexValues);
  return instances_.begin() + (found - instances_.cbegin());
}

const TrapInstance& TrapInstances::at(
    const TrapIndexValues& indexValues) const {
  const auto found = find(indexValues);
  if (found == end()) throw std::out_of_range("no such trap instance");
  return found->second;
}

TrapInstance& TrapInstances::at(const TrapIndexValues& indexValues) {
  return const_cast<TrapInstance&>(std::as_const(*this).at(indexValues));
}

std::span<const TrapReader> readersOf(const TrapRegistry& registry,
                                      std::string_view name) {
  const auto key = std::pair(readerHash(name), name);
  const auto [first, last] = std::equal_range(
      registry.readers.begin(), registry.readers.end(), key,
      [](const auto& a, const auto& b) { return keyOf(a) < keyOf(b); });
  return {first, last};
}

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

namespace {

void fillRegistry(TrapRegistry& registry, const MibTableSet& mibTables,
                  const MibVariableMap& mibVariables,
                  const MibIndexMap& mibIndices, const DefinitionModel& model,
                  const VarIdMap& varIds) {
  TrapRules previousRules;
  Enumerations enumerations;
  const Sources sources{mibVariables, mibIndices, varIds, previousRules,
                        enumerations};
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
  indexReaders(registry);
}

}  // namespace

void registerTraps(TrapRegistry& registry, int deviceFd,
                   const MibTableSet& mibTables,
                   const MibVariableMap& mibVariables,
                   const MibIndexMap& mibIndices, const DefinitionModel& model,
                   const VarIdMap& varIds) {
  registry.deviceFd = deviceFd;
  // The registry is the one product of the load that the daemon keeps, and
  // the load's structures, many times its size, are freed around it. Built
  // where they lie, it would be scattered among what they leave free, and
  // every page it touches would stay resident: about twice its size. The
  // allocator serves a thread from an arena of its own, opened at the
  // thread's first allocation, so the registry built on one lies close
  // together, and the main arena can give back all the load freed. (A block
  // of the registry's own on this thread would not do: its texts take
  // their memory from the allocator.) The thread ends before this returns;
  // the daemon runs on one thread.
  std::thread([&] {
    fillRegistry(registry, mibTables, mibVariables, mibIndices, model, varIds);
  }).join();
}
