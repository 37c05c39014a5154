// The second half of the load pipeline: once the definition file has been
// read without a parse error, the generators run in a fixed order, each
// announcing itself with a progress line on standard error.

#ifndef OSTRAND_FRAME_GENERATION_H_
#define OSTRAND_FRAME_GENERATION_H_

#include <dbus/dbus-glib.h>

#include <set>
#include <string>

#include "language/model.h"
#include "tables/video_standard_table.h"

// Adds the traps table and the video standard tables to `model`, printing
// the diagnostics gathered so far after each of the two (one list for both,
// so a record of the first is printed again after the second), then builds
// the traps with generateTraps. Returns 1 when a table could not be
// generated, and 0 otherwise, whatever happened while building the traps:
// the daemon then runs, with no trap where that failed.
int runGeneration(DefinitionModel& model, DBusGProxy* proxy, int deviceFd);

// The names of the parameters listed in the tables of `model`. Taken before
// any table is generated, it holds the parameters the file itself places in
// tables, and no trap.
std::set<std::string> tableParamNames(const DefinitionModel& model);

// The "Generating traps." step: builds the MIB model from the definition and
// the video standard table, fills the trap registry from it (the records go
// to `deviceFd`, values are fetched through `proxy`) and subscribes to the
// service's transaction signal. Reports its own problems; has no result.
void generateTraps(const DefinitionModel& model, DBusGProxy* proxy,
                   int deviceFd, const std::set<std::string>& tableParamNames,
                   const VideoStandardTable& vidStdTable);

#endif  // OSTRAND_FRAME_GENERATION_H_
