// The first MIB stage: one MIB variable per parameter listed in a table and
// one simple MIB index per index parameter those variables use.

#ifndef OSTRAND_MIB_INDICES_AND_VARIABLES_H_
#define OSTRAND_MIB_INDICES_AND_VARIABLES_H_

#include "language/diagnostics.h"
#include "language/model.h"
#include "mib/mib_model.h"

// Fills `indices` and `variables` (expected empty) from the tables of
// `model`: first the tables the file declares, in name order, then the
// generated tables (reserved_names.h) in name order. A parameter listed in a
// declared table and in a generated one belongs to the declared table; one
// listed in two declared tables is an error.
//
// Each variable gets its index parameters per version (a scalar where no
// list applies at its first version) and its ranges per version
// (variable_ranges.h); each index parameter it uses becomes an index with
// its values per version (index_values.h). An index parameter must not be
// removed or indexed itself.
//
// Every table and every reference is visited, and each problem of the
// definition is reported in `diagnostics` with its position (codes 3, 4, 7,
// 8, 11, 12). Returns 0 when there was none; otherwise the status of the
// last table that failed: -1 for a reported problem, -2 for an inconsistency
// reported by nobody, which a later -1 in the same table does not hide.
//
// Without `keepRanges` the ranges are only checked, with the same reports,
// and every variable's versionedRanges stay empty.
int buildIndicesAndVariables(MibIndexMap& indices, MibVariableMap& variables,
                             DiagnosticsList& diagnostics,
                             const DefinitionModel& model,
                             bool keepRanges = true);

#endif  // OSTRAND_MIB_INDICES_AND_VARIABLES_H_
