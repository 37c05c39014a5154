#include "frame/generation.h"

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
  const std::set<std::string> paramNames = tableParamNames(model);

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
  return {0, generateTraps(model, report, registry, deviceFd, paramNames,
                           vidStdTable)};
}

bool generateTraps(const DefinitionModel& model, LoadReport& report,
                   TrapRegistry& registry, int deviceFd,
                   const std::set<std::string>& tableParamNames,
                   const VideoStandardTable& vidStdTable) {
  DiagnosticsList diagnostics;
  MessageList messages;
  MibModel mib;
  if (generateMib(model, tableParamNames, vidStdTable, diagnostics, messages,
                  mib, report, RangeDetail::kVersionsOnly) != 0) {
    return false;
  }
  registerTraps(registry, deviceFd, mib.tables, mib.variables, mib.indices,
                model, mib.varIds);
  return true;
}
