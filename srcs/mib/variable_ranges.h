// The ranges of a MIB variable as written, version by version, checked and
// brought into the form the range merging works on.

#ifndef OSTRAND_MIB_VARIABLE_RANGES_H_
#define OSTRAND_MIB_VARIABLE_RANGES_H_

#include "language/diagnostics.h"
#include "language/model.h"
#include "mib/mib_model.h"

// Fills variable.versionedRanges from the range definitions of `param`.
//
// A free-text item (stringN[:default]) must be the first item of the only
// range version: the variable is then free text. Otherwise every item is an
// enumerated string (once per version), the wildcard `?` (any integer from
// -1000000 to 1000000), or an integer range above the previous one of its
// version. A range that breaks these rules is reported in `diagnostics`
// (code 11 or 12, at the item) and ends the conversion with -1. Ranges that
// are missing (none at all, as for a parameter with an access block only;
// none at the first version; a version without items) give -2 without a
// report. Returns 0 otherwise.
int buildVersionedRanges(DiagnosticsList& diagnostics, const ParamDef& param,
                         MibVariable& variable);

// The checks of buildVersionedRanges, with the same reports and result,
// keeping nothing: for a load that makes each variable's ranges again just
// before they are merged, so that not every variable's are held at once.
int checkVersionedRanges(DiagnosticsList& diagnostics, const ParamDef& param);

// True when the ranges of `param` begin at its first version, as the range
// of a variable and the values of an index must.
bool rangesStartAtFirstVersion(const ParamDef& param);

#endif  // OSTRAND_MIB_VARIABLE_RANGES_H_
