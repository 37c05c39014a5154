#include "mib/generate_mib.h"

#include <cstdio>

#include "mib/indices_and_variables.h"
#include "mib/messages.h"
#include "mib/multi_index_lists.h"
#include "mib/process_index.h"
#include "mib/process_variable.h"

namespace {

// Processes every index in key order, each reported under its own prefix;
// the first index that fails ends the stage.
int processIndices(MibIndexMap& indices, MessageList& messages) {
  for (auto& [key, index] : indices) {
    std::string prefix = "Processing MIB index ";
    for (const std::string& name : key) prefix += name + ",";
    prefix += ": ";
    messages.clear();
    const int status = processIndex(messages, index, kIndexValueLimit, prefix);
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
                const std::set<std::string>& /*tableParamNames*/,
                const VideoStandardTable& /*vidStdTable*/,
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

  // The MIB tables and the varids take their places here; until then each
  // stage succeeds with nothing to say.
  messages.clear();
  for (const char* stage :
       {"Generating MIB tables.\n", "Generating varids.\n"}) {
    std::fputs(stage, stderr);
    printMessages(messages);
  }
  return 0;
}
