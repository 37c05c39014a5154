#include "tables/traps_table.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "language/reserved_names.h"

int generateTrapsTable(DiagnosticsList& /*diagnostics*/,
                       DefinitionModel& model) {
  std::map<uint32_t, std::set<std::string>> namesByVersion;
  for (const auto& [name, trap] : model.traps) {
    namesByVersion[trap.version].insert(name);
  }

  TableDef table;
  if (!namesByVersion.empty()) {
    // Trap versions come from the parser's non-negative 32-bit numbers and
    // fit the table's signed version.
    table.version = static_cast<int32_t>(namesByVersion.begin()->first);
  }
  for (const auto& [version, names] : namesByVersion) {
    for (const std::string& name : names) {
      const TrapDef& trap = model.traps.at(name);
      table.params.items.push_back(NameRef{trap.line, trap.column, name});
      addSourceLine(table.params.sourceLines, trap.line, trap.lineText.c_str());
    }
  }
  model.tables.erase(kTrapsTableName);
  model.tables.emplace(kTrapsTableName, std::move(table));
  return 0;
}
