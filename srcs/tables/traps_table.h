// The traps table: after the definition file has been read, every trap is
// made a parameter of one generated table, kTrapsTableName, so that the MIB
// generation builds a variable for each trap and gives it an identifier like
// any other parameter.

#ifndef OSTRAND_TABLES_TRAPS_TABLE_H_
#define OSTRAND_TABLES_TRAPS_TABLE_H_

#include "language/diagnostics.h"
#include "language/model.h"

// Replaces model.tables[kTrapsTableName] by a table whose version is the
// smallest trap version (0 without traps) and whose parameters are the trap
// names ordered by trap version, then by name, each positioned at its trap's
// declaration so that a later diagnostic about it quotes that line.
//
// Nothing about the traps can be wrong at this point (the parser refuses a
// second declaration of a name), so `diagnostics` is left as it is and the
// result is always 0.
int generateTrapsTable(DiagnosticsList& diagnostics, DefinitionModel& model);

#endif  // OSTRAND_TABLES_TRAPS_TABLE_H_
