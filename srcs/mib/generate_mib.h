// The MIB generation: the stages that turn a definition into the MIB model
// the trap registry is filled from, each announced with a progress line
// and followed by what it found wrong.

#ifndef OSTRAND_MIB_GENERATE_MIB_H_
#define OSTRAND_MIB_GENERATE_MIB_H_

#include <set>
#include <string>

#include "language/diagnostics.h"
#include "language/load_report.h"
#include "language/model.h"
#include "mib/mib_model.h"
#include "tables/video_standard_table.h"

// Everything the MIB generation produces.
struct MibModel {
  MibIndexMap indices;
  MibVariableMap variables;
  MibTableSet tables;
  VarIdMap varIds;
};

// What the MIB keeps of a variable's ranges once they are merged. The trap
// registry looks at no more than the versions the merged ranges start at;
// the numbering of every range, a good part of the MIB, is for listing it.
enum class RangeDetail { kNumbered, kVersionsOnly };

// Runs the stages in order: "Generating MIB indices and variables." (then
// `diagnostics` is reported), "Converting to QX MIB.", "Processing MIB
// indices.", "Processing MIB variables.", "Generating MIB tables." and
// "Generating varids." (each followed by its `messages`), each progress
// line and report going to `report`. The first stage
// that fails ends the generation with its status, after its report; 0 when
// every stage succeeded. `model` must hold the generated tables already;
// `tableParamNames` are the parameters the file itself lists in tables.
// With kVersionsOnly each variable's translated ranges are dropped and its
// merged ranges emptied as soon as they are made, keeping their versions.
int generateMib(const DefinitionModel& model,
                const std::set<std::string>& tableParamNames,
                const VideoStandardTable& vidStdTable,
                DiagnosticsList& diagnostics, MessageList& messages,
                MibModel& mib, LoadReport& report,
                RangeDetail detail = RangeDetail::kNumbered);

#endif  // OSTRAND_MIB_GENERATE_MIB_H_
