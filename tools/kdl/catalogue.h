// The trap catalogue of a card: one row per trap instance, with what the
// receiving end of the trap link needs to name its records. Rows come in
// the registry's order (trap name, then index values); a trap without
// instance has no row.
//
// Text (the default): a header line, then one line per instance, its
// fields separated by one TAB (shown here as "|"):
//
//   FAULT|INSTANCE|TRAP|BINDS|READS|RULES
//   35|0|inputLoss[1]|inputSelect|inputSelect|sw::this == "lost" -> 1; 1 -> 0
//
//   FAULT, INSTANCE  what the record's two 16-bit identifier fields carry:
//                    the low 16 bits of the trap's fault identifier and of
//                    the instance identifier, in decimal.
//   TRAP             the instance's parameter name ("inputLoss[2]").
//   BINDS            the bound names in record order; the trap's own value
//                    as the instance's name, a name that did not resolve
//                    as "?".
//   READS            the names the instance reads, in byte order; the empty
//                    name an unresolved binding leaves there as "?".
//   RULES            "CONDITION -> RESULT" in infix (infixText), tried in
//                    this order, joined by "; ". A true_trap value that is
//                    no well-formed expression, such as `(t t)`, is kept
//                    by the registry as an empty condition that never
//                    holds: it shows as nothing before " -> ".
// The lists are joined by ", "; an empty list is "-". Texts from the
// definition file are written as their bytes; one holding a TAB would
// shift the fields, which the --json form does not suffer from.
//
// JSON: one array of one object per instance, pretty-printed with two
// spaces of indentation (empty arrays as []) and a final newline; an empty
// registry gives "[]\n". The keys, in this order:
//
//   "fault", "instance"  numbers, as FAULT and INSTANCE
//   "trap"               the trap's name, without index
//   "index"              the instance's index values, as texts
//   "name"               as TRAP
//   "binds", "reads"     arrays of texts as above, null where "?" stands
//   "rules"              array of {"if": CONDITION, "then": RESULT}
//
// Strings are escaped as JSON requires: '"' and '\' with a backslash, the
// control characters below 0x20 as \u00XX. The definition file's texts are
// bytes in any encoding: valid UTF-8 passes through as it is, and each byte
// of a sequence that is no valid UTF-8 is written as \u00XX, the character
// of its Latin-1 reading.

#ifndef OSTRAND_TOOLS_KDL_CATALOGUE_H_
#define OSTRAND_TOOLS_KDL_CATALOGUE_H_

#include <cstdio>

#include "traps/trap_registry.h"

// Writes the catalogue of `registry` to `out`, as text or, with `json`, as
// JSON.
void writeCatalogue(const TrapRegistry& registry, bool json, FILE* out);

#endif  // OSTRAND_TOOLS_KDL_CATALOGUE_H_
