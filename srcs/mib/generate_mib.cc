#include "mib/generate_mib.h"

#include "mib/indices_and_variables.h"
#include "mib/messages.h"
#include "mib/mib_tables.h"
#include "mib/multi_index_lists.h"
#include "mib/process_index.h"
#include "mib/process_variable.h"
#include "mib/variable_ranges.h"
#include "mib/varids.h"

namespace {

// Processes every index in key order, each reported under its own prefix;
// the first index that fails ends the stage.
int processIndices(MibIndexMap& indices, MessageList& messages,
                   LoadReport& report) {
  for (auto& [key, index] : indices) {
    messages.clear();
    const int status =
        processIndex(messages, index, kIndexValueLimit,
                     indexPrefix("Processing MIB index ", key));
    report.messages(messages);
    if (status != 0) return status;
  }
  return 0;
}

// Merges the ranges of every variable in name order, each reported under
// its own prefix; the first variable that fails ends the stage.
//
// With kVersionsOnly the first stage only checked the ranges: each
// variable's are made here from its parameter, just before they are merged,
// and dropped right after, so that one variable's are held at a time
// instead of every variable's at once. The variables are a subset of the
// parameters, both in name order, so one pass over the parameters finds
// them all.
int processVariables(const DefinitionModel& model, MibVariableMap& variables,
                     MessageList& messages, LoadReport& report,
                     RangeDetail detail) {
  auto param = model.params.begin();
  DiagnosticsList unreported;
  std::string prefix;
  for (auto& [name, variable] : variables) {
    if (detail == RangeDetail::kVersionsOnly) {
      while (param->first < name) ++param;
      // Checked already, and reported then, when the variable was made.
      const int built =
          buildVersionedRanges(unreported, param->second, variable);
      if (built != 0) return built;
    }
    messages.clear();
    prefix.assign("Processing MIB parm ").append(name).append(": ");
    const int status = processVariable(messages, variable, prefix);
    report.messages(messages);
    if (status != 0) return status;
    if (detail == RangeDetail::kVersionsOnly) {
      variable.versionedRanges.clear();
      for (auto& [version, range] : variable.mergedRanges) range = MibRange{};
    }
  }
  return 0;
}

}  // namespace

int generateMib(const DefinitionModel& model,
                const std::set<std::string>& tableParamNames,
                const VideoStandardTable& vidStdTable,
                DiagnosticsList& diagnostics, MessageList& messages,
                MibModel& mib, LoadReport& report, RangeDetail detail) {
  report.progress("Generating MIB indices and variables.\n");
  int status =
      buildIndicesAndVariables(mib.indices, mib.variables, diagnostics, model,
                               detail == RangeDetail::kNumbered);
  report.diagnostics(diagnostics);
  if (status != 0) return status;

  report.progress("Converting to QX MIB.\n");
  status = convertMultiIndexLists(mib.indices, mib.variables, messages);
  report.messages(messages);
  if (status != 0) return status;

  report.progress("Processing MIB indices.\n");
  status = processIndices(mib.indices, messages, report);
  if (status != 0) return status;

  report.progress("Processing MIB variables.\n");
  status =
      processVariables(model, mib.variables, messages, report, detail);
  if (status != 0) return status;

  report.progress("Generating MIB tables.\n");
  status = generateMibTables(mib.tables, messages, model, mib.indices,
                             mib.variables);
  report.messages(messages);
  if (status != 0) return status;

  report.progress("Generating varids.\n");
  status = generateVarIds(mib.varIds, messages, mib.indices, mib.variables,
                          mib.tables, tableParamNames, vidStdTable);
  report.messages(messages);
  return status;
}
