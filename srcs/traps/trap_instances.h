// The instances of an indexed trap: one per index number of the trap's
// index, each keyed by the index parameters' own values.

#ifndef OSTRAND_TRAPS_TRAP_INSTANCES_H_
#define OSTRAND_TRAPS_TRAP_INSTANCES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "expr/expr_value.h"
#include "mib/mib_model.h"
#include "traps/trap_registry.h"

// Fills `values` with the index values of each index number of `index` in
// its last version (element i for index number i) and returns true; false,
// with `values` empty, when that version is later than `version` or the
// index has no value names or no translations.
//
// Index number i of a simple index translates to one value. A combined
// index first splits i into one number per component with the component's
// split expression (stored in infix form), then translates each; a
// component whose split gives no integer contributes no value.
bool enumerateIndex(const MibIndex& index, int32_t version,
                    std::vector<TrapIndexValues>& values);

// The result of the first translation whose condition holds for `values`
// and whose result is an Integer ("%d") or a String (its text); the empty
// text when none gives one.
std::string translateValue(const TranslationList& translations,
                           const ValueMap& values);

#endif  // OSTRAND_TRAPS_TRAP_INSTANCES_H_
