#include "mib/indices_and_variables.h"

#include <algorithm>

#include "language/reserved_names.h"
#include "language/status_codes.h"
#include "mib/index_values.h"
#include "mib/variable_ranges.h"

namespace {

struct Build {
  MibIndexMap& indices;
  MibVariableMap& variables;
  DiagnosticsList& diagnostics;
  const DefinitionModel& model;
  bool keepRanges;
  // The variables of a card mostly share their index parameters: the last
  // one looked up, and its simple index, spare a search of the whole map
  // for each variable (and the key made for the search of the indices).
  const std::string* lastIndexName = nullptr;
  const ParamDef* lastIndexParam = nullptr;
  MibIndex* lastIndex = nullptr;
};

// The parameter named `name`, when the model has one.
const ParamDef* findIndexParam(Build& build, const std::string& name) {
  if (build.lastIndexParam != nullptr && *build.lastIndexName == name) {
    return build.lastIndexParam;
  }
  const auto found = build.model.params.find(name);
  if (found == build.model.params.end()) return nullptr;
  build.lastIndexName = &found->first;
  build.lastIndex = nullptr;
  return build.lastIndexParam = &found->second;
}

// The simple index of `name`, when it has been created.
MibIndex* findSimpleIndex(Build& build, const std::string& name) {
  if (build.lastIndex != nullptr && build.lastIndexParam != nullptr &&
      *build.lastIndexName == name) {
    return build.lastIndex;
  }
  const auto found = build.indices.find({name});
  if (found == build.indices.end()) return nullptr;
  if (findIndexParam(build, name) != nullptr) build.lastIndex = &found->second;
  return &found->second;
}

// Folds `result` into a table's status: the latest failure counts, except
// that an unreported inconsistency, once found, stays the table's status.
void fold(int& status, int result) {
  if (result != kStatusOk && status != kGeneratorInconsistent) status = result;
}

// Nothing is printed when a parameter has no range where it begins (no
// version block at all, say): the stage just stops. The offline tool is
// told which parameter it was, at the table's reference to `variableName`.
void noteMissingRange(Build& build, const std::string& name,
                      const std::string& variableName, const NameRef& tableRef,
                      const SourceLines& tableLines) {
  const ParamDef& param = build.model.params.at(name);
  std::string text = name == variableName ? "parameter " + name
                                          : "index " + name + " of " + variableName;
  text += param.version == kNoVersion ? " has no version block"
                                      : " has no range at its first version";
  addUnreported(build.diagnostics, tableRef.line, tableRef.column, tableLines,
                text);
}

int buildIndexLists(Build& build, const ParamDef& param,
                    MibVariable& variable) {
  int status = kStatusOk;
  for (const auto& [version, list] : param.indexes) {
    std::vector<std::string>& names = variable.indexLists[version];
    names.reserve(list.items.size());
    for (const NameRef& ref : list.items) {
      const ParamDef* index = findIndexParam(build, ref.name);
      if (index == nullptr || index->version > version) {
        addErrorAt(build.diagnostics, kIndexNotDefined, ref.line, ref.column,
                   list.sourceLines);
        status = kGeneratorFailed;
        continue;
      }
      names.push_back(ref.name);
    }
  }
  // Without an index definition at its first version a variable starts as
  // a scalar.
  variable.indexLists.try_emplace(variable.firstVersion);
  return status;
}

// Creates the simple indices `variable` uses, or lowers the version of one
// already created. A refused index parameter is reported at the table's
// reference to the variable.
int addIndicesOf(Build& build, const std::string& variableName,
                 const MibVariable& variable, const NameRef& tableRef,
                 const SourceLines& tableLines) {
  int status = kStatusOk;
  for (const auto& [version, names] : variable.indexLists) {
    for (const std::string& name : names) {
      MibIndex* known = findSimpleIndex(build, name);
      if (known != nullptr) {
        known->version = std::min(known->version, version);
        continue;
      }
      const ParamDef& indexParam = build.model.params.at(name);
      if (indexParam.removalVersion >= 0 || !indexParam.indexes.empty()) {
        addErrorAt(build.diagnostics, kIndexRemoved, tableRef.line,
                   tableRef.column, tableLines);
        fold(status, kGeneratorFailed);
        continue;
      }
      MibIndex index;
      index.version = version;
      index.removalVersion = indexParam.removalVersion;
      const int enumerated =
          enumerateIndexValues(build.diagnostics, name, indexParam, index);
      if (enumerated == kGeneratorInconsistent) {
        noteMissingRange(build, name, variableName, tableRef, tableLines);
      }
      fold(status, enumerated);
      build.indices.emplace(MibIndexKey{name}, std::move(index));
    }
  }
  return status;
}

// In a generated table a parameter that already has its variable is
// skipped: it belongs to the declared table that lists it.
int buildTable(Build& build, const TableDef& table, bool generated) {
  int status = kStatusOk;
  const SourceLines& tableLines = table.params.sourceLines;
  for (const NameRef& ref : table.params.items) {
    auto param = build.model.params.find(ref.name);
    if (param == build.model.params.end()) {
      addErrorAt(build.diagnostics, kParameterNotFound, ref.line, ref.column,
                 tableLines);
      fold(status, kGeneratorFailed);
      continue;
    }
    const auto place = build.variables.lower_bound(ref.name);
    if (place != build.variables.end() && place->first == ref.name) {
      if (!generated) {
        addErrorAt(build.diagnostics, kParameterInTwoTables, ref.line,
                   ref.column, tableLines);
        fold(status, kGeneratorFailed);
      }
      continue;
    }
    MibVariable variable;
    variable.firstVersion = param->second.version;
    variable.removalVersion = param->second.removalVersion;
    fold(status, buildIndexLists(build, param->second, variable));
    const int ranges =
        build.keepRanges
            ? buildVersionedRanges(build.diagnostics, param->second, variable)
            : checkVersionedRanges(build.diagnostics, param->second);
    if (ranges == kGeneratorInconsistent) {
      noteMissingRange(build, ref.name, ref.name, ref, tableLines);
    }
    fold(status, ranges);
    const MibVariable& stored =
        build.variables.emplace_hint(place, ref.name, std::move(variable))
            ->second;
    fold(status, addIndicesOf(build, ref.name, stored, ref, tableLines));
  }
  return status;
}

}  // namespace

int buildIndicesAndVariables(MibIndexMap& indices, MibVariableMap& variables,
                             DiagnosticsList& diagnostics,
                             const DefinitionModel& model, bool keepRanges) {
  Build build{indices, variables, diagnostics, model, keepRanges};
  const std::set<std::string>& generatedNames = reservedTableNames();
  int status = kStatusOk;
  for (const auto& [name, table] : model.tables) {
    if (generatedNames.count(name) != 0) continue;
    int tableStatus = buildTable(build, table, false);
    if (tableStatus != kStatusOk) status = tableStatus;
  }
  for (const std::string& name : generatedNames) {
    auto table = model.tables.find(name);
    if (table == model.tables.end()) continue;
    int tableStatus = buildTable(build, table->second, true);
    if (tableStatus != kStatusOk) status = tableStatus;
  }
  return status;
}
