#include "traps/trap_registry.h"

#include <algorithm>
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

struct Sources {
  const MibVariableMap& variables;
  const MibIndexMap& indices;
  const VarIdMap& varIds;
  // The rules of the instance registered last, whose rules the next one
  // shares where they are the same.
  TrapRules& previousRules;
};

bool sameRule(const ValueTranslation& a, const ValueTranslation& b) {
  return a.condition == b.condition && a.result == b.result;
}

// `rules` with each rule that `previous` holds at the same place, or as its
// final rule, taken from there. The instances of a trap differ at most in
// the index values of the names they read, and most traps end alike.
TrapRules shareRules(TranslationList& rules, const TrapRules& previous) {
  std::vector<TrapRules::Rule> shared;
  shared.reserve(rules.size());
  for (size_t i = 0; i < rules.size(); ++i) {
    if (i < previous.size() && sameRule(rules[i], *previous.shared(i))) {
      shared.push_back(previous.shared(i));
    } else if (!previous.empty() &&
               sameRule(rules[i], *previous.shared(previous.size() - 1))) {
      shared.push_back(previous.shared(previous.size() - 1));
    } else {
      shared.push_back(
          std::make_shared<const ValueTranslation>(std::move(rules[i])));
    }
  }
  return TrapRules(std::move(shared));
}

void addInstance(TrapGroup& group, uint32_t id, const TrapContext& context,
                 const TrapDef& trap, TrapRules& previousRules) {
  InstanceDraft draft;
  buildRules(draft, context, trap.trueTrap);
  buildBindings(draft, context, trap.bindings);
  TrapInstance instance;
  instance.id = id;
  instance.dependencies.assign(draft.dependencies.begin(),
                               draft.dependencies.end());
  instance.rules = shareRules(draft.rules, previousRules);
  instance.bindings = std::move(draft.bindings);
  previousRules = instance.rules;
  group.instances.add(context.indexValues, std::move(instance));
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
        {sources.variables, name, *indexNames, none, row.variableVersion}, trap,
        sources.previousRules);
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
                trap, sources.previousRules);
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

std::string_view nameOf(const TrapReader& reader) { return reader.name; }
std::string_view nameOf(std::string_view name) { return name; }

// Whether `name` is that of a video standard constant, and if so, its
// parameter within `name` (which may be empty, as a name may be).
bool vidStdParameterOf(std::string_view name, std::string_view& parameter) {
  std::string parameterText, constant;
  if (!splitVidStdConstantName(std::string(name), parameterText, constant)) {
    return false;
  }
  // The name ends with the parameter, "::" and the constant.
  parameter =
      name.substr(name.size() - constant.size() - 2 - parameterText.size(),
                  parameterText.size());
  return true;
}

bool readsBefore(const TrapReader& a, const TrapReader& b) {
  return std::tie(a.name, a.trap->first, a.instance) <
         std::tie(b.name, b.trap->first, b.instance);
}

bool sameReader(const TrapReader& a, const TrapReader& b) {
  return a.name == b.name && a.trap == b.trap && a.instance == b.instance;
}

void indexReaders(TrapRegistry& registry) {
  std::vector<TrapReader>& readers = registry.readers;
  readers.clear();
  for (auto& trap : registry.groups) {
    const TrapInstances& instances = trap.second.instances;
    for (uint32_t i = 0; i < instances.size(); ++i) {
      for (const std::string& name : instances.begin()[i].second.dependencies) {
        readers.push_back({name, &trap, i});
        std::string_view parameter;
        if (vidStdParameterOf(name, parameter)) {
          readers.push_back({parameter, &trap, i});
        }
      }
    }
  }
  std::sort(readers.begin(), readers.end(), readsBefore);
  readers.erase(std::unique(readers.begin(), readers.end(), sameReader),
                readers.end());
  readers.shrink_to_fit();
}

// `value` with a text of its own, not shared with the value it copies.
ExprValue freshValue(const ExprValue& value) {
  ExprValue copy = value;
  copy.text = Text(value.text.view());
  return copy;
}

std::vector<ExprValue> freshValues(const std::vector<ExprValue>& values) {
  std::vector<ExprValue> copy;
  copy.reserve(values.size());
  for (const ExprValue& value : values) copy.push_back(freshValue(value));
  return copy;
}

// A copy of `groups` in memory of its own, each rule still held once.
TrapGroups copyGroups(const TrapGroups& groups) {
  // Each rule by its address, to its copy once made.
  std::vector<std::pair<const ValueTranslation*, TrapRules::Rule>> copies;
  for (const auto& [name, group] : groups) {
    for (const auto& [values, instance] : group.instances) {
      for (size_t i = 0; i < instance.rules.size(); ++i) {
        copies.emplace_back(instance.rules.shared(i).get(), nullptr);
      }
    }
  }
  std::sort(copies.begin(), copies.end());
  copies.erase(std::unique(copies.begin(), copies.end()), copies.end());
  TrapGroups copy;
  for (const auto& [name, group] : groups) {
    TrapGroup& groupCopy = copy.emplace(name, group).first->second;
    for (auto& [values, instance] : groupCopy.instances) {
      for (size_t i = 0; i < instance.rules.size(); ++i) {
        const ValueTranslation* rule = instance.rules.shared(i).get();
        TrapRules::Rule& made =
            std::lower_bound(copies.begin(), copies.end(),
                             std::pair{rule, TrapRules::Rule()})
                ->second;
        if (made == nullptr) {
          made = std::make_shared<const ValueTranslation>(ValueTranslation{
              freshValues(rule->condition), freshValues(rule->result)});
        }
        instance.rules.share(i, made);
      }
    }
  }
  return copy;
}

}  // namespace

void TrapInstances::add(TrapIndexValues indexValues, TrapInstance instance) {
  instances_.emplace_back(std::move(indexValues), std::move(instance));
}

void TrapInstances::seal() {
  const auto byValues = [](const value_type& a, const value_type& b) {
    return a.first < b.first;
  };
  std::stable_sort(instances_.begin(), instances_.end(), byValues);
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
  const auto [first, last] = std::equal_range(
      registry.readers.begin(), registry.readers.end(), name,
      [](const auto& a, const auto& b) { return nameOf(a) < nameOf(b); });
  return {first, last};
}

void compactTrapRegistry(TrapRegistry& registry) {
  TrapGroups copy;
  // The allocator serves a thread from an arena of its own, opened at the
  // thread's first allocation: the copy made there lies in fresh pages,
  // while the main arena is left with nothing of the registry in it.
  std::thread([&] { copy = copyGroups(registry.groups); }).join();
  registry.groups.swap(copy);
  copy.clear();
  indexReaders(registry);
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

void registerTraps(TrapRegistry& registry, int deviceFd,
                   const MibTableSet& mibTables,
                   const MibVariableMap& mibVariables,
                   const MibIndexMap& mibIndices, const DefinitionModel& model,
                   const VarIdMap& varIds) {
  registry.deviceFd = deviceFd;
  TrapRules previousRules;
  const Sources sources{mibVariables, mibIndices, varIds, previousRules};
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
