// The state of a trap instance for the current parameter values.

#ifndef OSTRAND_TRAPS_TRAP_EVALUATION_H_
#define OSTRAND_TRAPS_TRAP_EVALUATION_H_

#include <cstdint>
#include <string>

#include "expr/expr_value.h"
#include "traps/trap_registry.h"

// Puts `ownValue`, the trap parameter's current text, into `values` as
// "sw::this" (where it stays, for the bindings of the trap's own name) and
// tries `rules` in order: the first whose condition holds and whose result
// is an Integer decides, 1 for a number other than 0, else 0. -1 when no
// rule decides, which the final rule of every trap prevents.
int32_t evaluateTrap(const TrapRules& rules, const std::string& ownValue,
                     ValueMap& values);

#endif  // OSTRAND_TRAPS_TRAP_EVALUATION_H_
