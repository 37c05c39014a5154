// The second half of the load pipeline: once the definition file has been
// read without a parse error, the generators run in a fixed order, each
// announcing itself with a progress line.

#ifndef OSTRAND_FRAME_GENERATION_H_
#define OSTRAND_FRAME_GENERATION_H_

#include <set>
#include <string>

#include "language/load_report.h"
#include "language/model.h"
#include "tables/video_standard_table.h"
#include "traps/trap_registry.h"

// What a load came to.
struct LoadResult {
  // 0 when the daemon starts its main loop; 1 when it ends at once (the
  // file cannot be opened, a line does not parse, a table cannot be
  // generated).
  int status = 1;
  // Whether the "Generating traps." step went through every MIB stage and
  // filled the registry. A daemon without it runs and never sends a record.
  bool trapsGenerated = false;
};

// Adds the traps table and the video standard tables to `model`,
// reporting the diagnostics gathered so far after each of the two (one
// list for both, so a record of the first is reported again after the
// second), then builds the traps with generateTraps, which releases most of
// `model` on the way.
LoadResult runGeneration(DefinitionModel& model, LoadReport& report,
                         TrapRegistry& registry, int deviceFd);

// The names of the parameters listed in the tables of `model`. Taken before
// any table is generated, it holds the parameters the file itself places in
// tables, and no trap.
std::set<std::string> tableParamNames(const DefinitionModel& model);

// The "Generating traps." step: builds the MIB model from the definition and
// the video standard table and fills `registry` from it (its records to go
// to `deviceFd`). Returns false, the registry untouched, when a MIB stage
// fails; the stage has reported why, or has said nothing. Once the MIB is
// built, everything of `model` but its traps is released, so the caller
// must not read the rest afterwards.
bool generateTraps(DefinitionModel& model, LoadReport& report,
                   TrapRegistry& registry, int deviceFd,
                   std::set<std::string> tableParamNames,
                   VideoStandardTable vidStdTable);

#endif  // OSTRAND_FRAME_GENERATION_H_
