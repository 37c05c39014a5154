// The daemon's load keeps no numbering of the variables' ranges
// (RangeDetail::kVersionsOnly): the definition cases show the MIB and the
// registry built with it, so here every case is built both ways and what
// the later stages and the registry make of it must be the same.

#include <gtest/gtest.h>

#include <string>

#include "frame/definition_cases.h"
#include "mib/mib_text.h"
#include "traps/registry_text.h"

namespace {

// `text` built as buildDefinition does, with `detail`.
std::string builtWith(const std::string& text, RangeDetail detail) {
  DefinitionModel model;
  if (parse(model, text) != Outcome{}) return "the parse stopped";
  const std::set<std::string> listed = tableParamNames(model);
  DiagnosticsList diagnostics;
  VideoStandardTable vidStdTable;
  MessageList messages;
  MibModel mib;
  TrapRegistry registry;
  testing::internal::CaptureStderr();
  const int status =
      generateTrapsTable(diagnostics, model) != 0 ||
              generateVideoStandardTable(diagnostics, vidStdTable, model) != 0
          ? -1
          : generateMib(model, listed, vidStdTable, diagnostics, messages, mib,
                        standardErrorReport(), detail);
  const std::string printed = testing::internal::GetCapturedStderr();
  if (status == 0) {
    registerTraps(registry, -1, mib.tables, mib.variables, mib.indices, model,
                  mib.varIds);
  }
  std::string out = printed + describeIndices(mib.indices) +
                    describeMibTables(mib.tables) + describeVarIds(mib.varIds) +
                    describeTraps(registry);
  for (const auto& [name, variable] : mib.variables) {
    out += name + " " + std::to_string(variable.firstVersion) + "/" +
           std::to_string(variable.removalVersion) + " runs";
    for (const auto& [version, run] : variable.mergedRanges) {
      out += " " + std::to_string(version);
    }
    out += "\n";
  }
  return out;
}

TEST(RangeDetail, VersionsOnlyChangesNothingTheRegistryIsMadeOf) {
  const std::vector<std::string> names = caseNames(kDefinitionCases, ".kdl");
  ASSERT_FALSE(names.empty()) << "no definition case in " << kDefinitionCases;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string text = readFile(kDefinitionCases + name + ".kdl");
    EXPECT_EQ(builtWith(text, RangeDetail::kVersionsOnly),
              builtWith(text, RangeDetail::kNumbered));
  }
}

}  // namespace
