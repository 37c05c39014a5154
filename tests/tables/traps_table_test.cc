#include "tables/traps_table.h"

#include <gtest/gtest.h>

#include "language/reserved_names.h"
#include "tables/table_text.h"

namespace {

TEST(TrapsTable, TrapsInVersionThenNameOrderAtTheirDeclarations) {
  runGeneratorCases("tables/traps.txt", [](DiagnosticsList& diagnostics,
                                           DefinitionModel& model,
                                           std::string&) {
    model.tables[kTrapsTableName].version = 9;  // an earlier run's, replaced
    return generateTrapsTable(diagnostics, model);
  });
}

}  // namespace
