// Variable identifiers: the numbers by which the trap records and the trap
// runtime name variables, video standard constants and the fault-present
// flags of the traps table, one per name and version from which it holds.

#ifndef OSTRAND_MIB_VARIDS_H_
#define OSTRAND_MIB_VARIDS_H_

#include <cstdint>
#include <set>
#include <string>

#include "mib/mib_model.h"
#include "tables/video_standard_table.h"

// The first identifier given; 350 is never given.
constexpr int32_t kFirstVarId = 34;
constexpr int32_t kSkippedVarId = 350;

// Numbers, in version order and then in byte order of the names, every
// version at which something changes for:
//  - each variable listed in `tableParamNames` (its own name), at the
//    versions of its index lists, of its indices within each list's
//    validity and of its merged ranges;
//  - each video standard constant of a variable in `vidStdTable`, at those
//    of the variable's versions from which the constant exists, and at the
//    constant's own version when the constant comes later (or, for a
//    removed variable, when it comes before the removal);
//  - the fault-present flag of each row group of the traps table, at its
//    index version (not before the table's).
// Returns 0, or -2 with a message when a version is negative.
int generateVarIds(VarIdMap& varIds, MessageList& messages,
                   const MibIndexMap& indices, const MibVariableMap& variables,
                   const MibTableSet& tables,
                   const std::set<std::string>& tableParamNames,
                   const VideoStandardTable& vidStdTable);

// The name of the fault-present flag of a traps-table row: the index
// parameters each capitalised, "V", the index version and "FaultPresent",
// the whole starting in lower case (slot, port and 2 give
// "slotPortV2FaultPresent"; a scalar row at 0 gives "v0FaultPresent").
std::string faultPresentName(const MibIndexKey& indexList,
                             int32_t indexVersion);

#endif  // OSTRAND_MIB_VARIDS_H_
