#include "frame/generation.h"

#include <cstdio>

#include "language/diagnostics.h"
#include "mib/generate_mib.h"
#include "tables/traps_table.h"
#include "traps/trap_registry.h"
#include "traps/transaction_handler.h"

std::set<std::string> tableParamNames(const DefinitionModel& model) {
  std::set<std::string> names;
  for (const auto& [tableName, table] : model.tables) {
    for (const NameRef& param : table.params.items) names.insert(param.name);
  }
  return names;
}

int runGeneration(DefinitionModel& model, DBusGProxy* proxy, int deviceFd) {
  const std::set<std::string> paramNames = tableParamNames(model);

  std::fputs("Generating traps table.\n", stderr);
  DiagnosticsList diagnostics;
  int status = generateTrapsTable(diagnostics, model);
  printDiagnostics(diagnostics);
  if (status != 0) return 1;

  std::fputs("Generating video standard table.\n", stderr);
  VideoStandardTable vidStdTable;
  status = generateVideoStandardTable(diagnostics, vidStdTable, model);
  printDiagnostics(diagnostics);
  if (status != 0) return 1;

  std::fputs("Generating traps.\n", stderr);
  generateTraps(model, proxy, deviceFd, paramNames, vidStdTable);
  return 0;
}

void generateTraps(const DefinitionModel& model, DBusGProxy* proxy,
                   int deviceFd,
                   const std::set<std::string>& tableParamNames,
                   const VideoStandardTable& vidStdTable) {
  DiagnosticsList diagnostics;
  MessageList messages;
  MibModel mib;
  // A definition that yields no MIB leaves the daemon running without
  // traps; the stages have said why.
  if (generateMib(model, tableParamNames, vidStdTable, diagnostics, messages,
                  mib) != 0) {
    return;
  }
  TrapRegistry& registry = trapRegistry();
  registerTraps(registry, deviceFd, mib.tables, mib.variables, mib.indices,
                model, mib.varIds);
  subscribe(proxy, registry);
}
