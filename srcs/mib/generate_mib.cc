#include "mib/generate_mib.h"

#include <cstdio>

#include "mib/indices_and_variables.h"

namespace {

void printMessages(const MessageList& messages) {
  for (const std::string& message : messages) {
    std::fprintf(stderr, "%s\n", message.c_str());
  }
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

  // The merging of indices and ranges, the MIB tables and the varids take
  // their places here; until then each stage succeeds with nothing to say.
  for (const char* stage :
       {"Converting to QX MIB.\n", "Processing MIB indices.\n",
        "Processing MIB variables.\n", "Generating MIB tables.\n",
        "Generating varids.\n"}) {
    std::fputs(stage, stderr);
    printMessages(messages);
  }
  return 0;
}
