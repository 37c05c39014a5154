// The MIB tables: the MIB variables arranged by table, index version and
// index, each with the versions from which it is present in that row.

#ifndef OSTRAND_MIB_MIB_TABLES_H_
#define OSTRAND_MIB_MIB_TABLES_H_

#include <cstdint>
#include <string>

#include "language/model.h"
#include "mib/mib_model.h"

// Places every parameter of every table of `model` (the generated ones
// included) into `tables`, from the larger of its first version and the
// table's version on (for the traps table, not before the trap's own
// version): a scalar row per range version, or a row per version of its
// index and range version within it. Then moves each row group whose
// variables all start after its index version up to the first of them.
//
// `indices` and `variables` must be processed (merged value names and
// merged ranges). Returns 0, or -2 after adding a message to `messages`
// for the first parameter that cannot be placed.
int generateMibTables(MibTableSet& tables, MessageList& messages,
                      const DefinitionModel& model, const MibIndexMap& indices,
                      const MibVariableMap& variables);

// Records that `variableName` is present from `variableVersion` on in the
// row of `indexList` at `indexVersion` (0 whatever is given for a scalar
// row, whose list is empty) of the table. A row group made here records
// `indexVersion`. Returns 0, or -2 when either version is negative, with a
// message for each under `prefix`.
int addToTables(MibTableSet& tables, MessageList& messages,
                const std::string& tableName, int32_t tableVersion,
                const MibIndexKey& indexList, int32_t indexVersion,
                const std::string& variableName, int32_t variableVersion,
                const std::string& prefix);

// Moves each row group whose lowest variable version w is above its index
// version up to index version w, keeping its recorded index version; a
// group already there for the same index takes the moved group's variable
// versions.
void normaliseMibTables(MibTableSet& tables);

#endif  // OSTRAND_MIB_MIB_TABLES_H_
