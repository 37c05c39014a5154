// A definition text taken through the generated tables and every MIB stage,
// as the "Generating traps." step of the load runs them.

#ifndef OSTRAND_TESTS_MIB_GENERATED_MIB_H_
#define OSTRAND_TESTS_MIB_GENERATED_MIB_H_

#include <gtest/gtest.h>

#include <string>

#include "frame/generation.h"
#include "language/parse_text.h"
#include "mib/generate_mib.h"
#include "tables/traps_table.h"

// What a trap declaration needs besides its name and version.
inline const std::string kTrapBody =
    " { description { d } action_true { a } action_false { b } }\n";

struct GeneratedMib {
  DefinitionModel model;  // with the generated tables
  int status = 0;
  MessageList messages;
  MibModel mib;
};

inline GeneratedMib generateFromText(const std::string& text) {
  GeneratedMib out;
  DefinitionModel& model = out.model;
  EXPECT_EQ(parse(model, text), Outcome{});
  const std::set<std::string> listed = tableParamNames(model);
  DiagnosticsList diagnostics;
  EXPECT_EQ(generateTrapsTable(diagnostics, model), 0);
  VideoStandardTable vidStdTable;
  EXPECT_EQ(generateVideoStandardTable(diagnostics, vidStdTable, model), 0);
  out.status = generateMib(model, listed, vidStdTable, diagnostics,
                           out.messages, out.mib);
  EXPECT_EQ(diagnostics.records.size(), 0u);
  return out;
}

#endif  // OSTRAND_TESTS_MIB_GENERATED_MIB_H_
