// The values an index parameter gives its index, version by version.

#ifndef OSTRAND_MIB_INDEX_VALUES_H_
#define OSTRAND_MIB_INDEX_VALUES_H_

#include <string>

#include "language/diagnostics.h"
#include "language/model.h"
#include "mib/mib_model.h"

// Fills the value names, value texts and translations of `index` from the
// range definitions of the index parameter `paramName`. Each integer of an
// integer range and each enumerated string is one value, numbered from 0 in
// the order written; one translation per range item turns those numbers
// back into the parameter's values. An integer range moves the number by
// max - min + 1 even when its end is below its start and it has no values
// (index_values.cc says what that does to the numbering).
//
// An item that cannot be an index value (the wildcard, a free-text item, a
// string given twice in a version, an integer range whose end is no
// integer) is reported in `diagnostics` (code 12) and skipped; the result
// is then -1.
// Missing range definitions (none, none at the first version, a version
// without items) give -2 without a report. Returns 0 otherwise.
//
// A version is not enumerated beyond kIndexValueLimit + 1 values: an index
// that large is refused when its versions are merged, and enumerating a
// range such as 0..2147483647 in full would exhaust the card's memory.
int enumerateIndexValues(DiagnosticsList& diagnostics,
                         const std::string& paramName, const ParamDef& param,
                         MibIndex& index);

#endif  // OSTRAND_MIB_INDEX_VALUES_H_
