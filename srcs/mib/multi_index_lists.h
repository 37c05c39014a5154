// Stage 2 of the MIB generation: variables indexed by several index
// parameters get their merged indices.

#ifndef OSTRAND_MIB_MULTI_INDEX_LISTS_H_
#define OSTRAND_MIB_MULTI_INDEX_LISTS_H_

#include "mib/mib_model.h"

// For each variable in name order and each of its index lists with more
// than one name, merges the simple indices of the names (mergeIndices) for
// every combination of their value lists that is in effect while the list
// is: from the list's version up to the next list's version or the
// variable's removal, whichever comes first.
//
// A name without a simple index, or whose index has no values, is reported
// ("Index definition for %s not found" / "is empty" after "Error processing
// MIB variable <name> index list version <version>: ") and that list is not
// merged: an index keyed by the whole list but combining fewer components
// would number its values wrongly. Every variable is visited; the result is
// the first failure, or 0.
int convertMultiIndexLists(MibIndexMap& indices,
                           const MibVariableMap& variables,
                           MessageList& messages);

#endif  // OSTRAND_MIB_MULTI_INDEX_LISTS_H_
