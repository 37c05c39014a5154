#include "mib/generate_mib.h"

#include <cstdio>

#include "mib/indices_and_variables.h"
#include "mib/messages.h"
#include "mib/mib_tables.h"
#include "mib/multi_index_lists.h"
#include "mib/process_index.h"
#include "mib/process_variable.h"
#include "mib/varids.h"

namespace {

// Processes every index in key order, each reported under its own prefix;
// the first index that fails ends the stage.
int processIndices(MibIndexMap& indices, MessageList& messages) {
  for (auto& [key, index] : indices) {
    messages.clear();
    const int status =
        processIndex(messages, index, kIndexValueLimit,
                     indexPrefix("Processing MIB index ", key));
    printMessages(messages);
    if (status != 0) return status;
  }
  return 0;
}

// Merges the ranges of every variable in name order, each reported under
// its own prefix; the first variable that fails ends the stage.
int processVariables(MibVariableMap& variables, MessageList& messages) {
  for (auto& [name, variable] : variables) {
    messages.clear();
    const int status = processVariable(messages, variable,
                                       "Processing MIB parm " + name + ": ");
    printMessages(messages);
    if (status != 0) return status;
  }
  return 0;
}

}  // namespace

int generateMib(const DefinitionModel& model,
                const std::set<std::string>& tableParamNames,
                const VideoStandardTable& vidStdTable,
                DiagnosticsList& diagnostics, MessageList& messages,
                MibModel& mib) {
  std::fputs("Generating MIB indices and variables.\n", stderr);
  int status =
      buildIndicesAndVariables(mib.indices, mib.variables, diagnostics, model);
  printDiagnostics(diagnostics);
  if (status != 0) return status;

  std::fputs("Converting to QX MIB.\n", stderr);
  status = convertMultiIndexLists(mib.indices, mib.variables, messages);
  printMessages(messages);
  if (status != 0) return status;

  std::fputs("Processing MIB indices.\n", stderr);
  status = processIndices(mib.indices, messages);
  if (status != 0) return status;

  std::fputs("Processing MIB variables.\n", stderr);
  status = processVariables(mib.variables, messages);
  if (status != 0) return status;

  std::fputs("Generating MIB tables.\n", stderr);
  status = generateMibTables(mib.tables, messages, model, mib.indices,
                             mib.variables);
  printMessages(messages);
  if (status != 0) return status;

  std::fputs("Generating varids.\n", stderr);
  status = generateVarIds(mib.varIds, messages, mib.indices, mib.variables,
                          mib.tables, tableParamNames, vidStdTable);
  printMessages(messages);
  return status;
}
