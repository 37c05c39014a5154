#include "frame/generation.h"

#include <malloc.h>

#include <utility>

#include "language/diagnostics.h"
#include "mib/generate_mib.h"
#include "tables/traps_table.h"

std::set<std::string> tableParamNames(const DefinitionModel& model) {
  std::set<std::string> names;
  for (const auto& [tableName, table] : model.tables) {
    for (const NameRef& param : table.params.items) names.insert(param.name);
  }
  return names;
}

LoadResult runGeneration(DefinitionModel& model, LoadReport& report,
                         TrapRegistry& registry, int deviceFd) {
  std::set<std::string> paramNames = tableParamNames(model);

  report.progress("Generating traps table.\n");
  DiagnosticsList diagnostics;
  int status = generateTrapsTable(diagnostics, model);
  report.diagnostics(diagnostics);
  if (status != 0) return {};

  report.progress("Generating video standard table.\n");
  VideoStandardTable vidStdTable;
  status = generateVideoStandardTable(diagnostics, vidStdTable, model);
  report.diagnostics(diagnostics);
  if (status != 0) return {};

  report.progress("Generating traps.\n");
  // A definition that yields no MIB leaves the daemon running without
  // traps: the load itself succeeded.
  return {0, generateTraps(model, report, registry, deviceFd,
                           std::move(paramNames), std::move(vidStdTable))};
}

bool generateTraps(DefinitionModel& model, LoadReport& report,
                   TrapRegistry& registry, int deviceFd,
                   std::set<std::string> tableParamNames,
                   VideoStandardTable vidStdTable) {
  DiagnosticsList diagnostics;
  MessageList messages;
  MibModel mib;
  if (generateMib(model, tableParamNames, vidStdTable, diagnostics, messages,
                  mib, report, RangeDetail::kVersionsOnly) != 0) {
    return false;
  }
  // The registry reads no more of the definition than its traps. The rest
  // of the parsed card, the video standard table and the listed names, as
  // large as the MIB together, would otherwise stay alive beside the MIB
  // and the registry being built from it, the highest point of the load.
  model.productInfo = {};
  model.tables = {};
  model.params = {};
  model.vidStds = {};
  vidStdTable = {};
  tableParamNames = {};
  // The registry is built in memory of its own (registerTraps), which does
  // not reuse what the card just freed: that goes back to the system first,
  // or both would count at once.
  malloc_trim(0);
  registerTraps(registry, deviceFd, mib.tables, mib.variables, mib.indices,
                model, mib.varIds);
  return true;
}
