// Every definition case (definition_cases.h) loaded in this process as the
// daemon loads it, and its model written section by section:
//   stderr     what the load prints
//   model      the parsed definition with the position of every item
//   indices    each MIB index, its values and their translations
//   variables  each MIB variable, its runs and its translated versions
//   tables     the MIB tables' row groups
//   varids     the identifiers in numbering order
//   traps      the trap registry: identifiers, rules, reads and bindings
//   eval       the state of an instance for the values a comment line
//              "#@ eval INSTANCE OWN [NAME=VALUE...]" of the case gives
//   check      the exit status of the offline tool's check of the case,
//              and what it prints (run in the cases' directory)
// The offline tool must also give what the daemon prints with
// --format=daemon, and refuse its catalogue and simulation exactly when
// its check fails.
// With OSTRAND_UPDATE_CASES=1 in the environment the .out files are
// rewritten with what the code gives, keeping their sections: for a new
// case, write the sections wanted and let the test fill them, then read
// every line before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "expr/reader.h"
#include "frame/definition_cases.h"
#include "frame/load.h"
#include "support/run_tool.h"
#include "language/model_text.h"
#include "mib/mib_text.h"
#include "traps/registry_text.h"
#include "traps/trap_evaluation.h"

namespace {

// "INSTANCE OWN NAME=VALUE... -> state" for each eval line of `text`.
std::string evaluations(const std::string& text, TrapRegistry& registry) {
  std::istringstream lines(text);
  std::string out;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("#@ eval ", 0) != 0) continue;
    std::istringstream words(line.substr(8));
    std::string instance, own, pair;
    words >> instance >> own;
    ValueMap values;
    while (words >> pair) values[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
    const std::string trap = instance.substr(0, instance.find('['));
    TrapIndexValues index;
    if (trap.size() < instance.size()) {
      std::istringstream items(instance.substr(trap.size() + 1, instance.size() - trap.size() - 2));
      for (std::string item; std::getline(items, item, ',');) index.push_back(item);
    }
    const auto group = registry.groups.find(trap);
    std::string state = "no such instance";
    if (group != registry.groups.end() && group->second.instances.count(index)) {
      state = std::to_string(evaluateTrap(group->second.instances.at(index).rules, own, values));
    }
    out += line.substr(8) + " -> " + state + "\n";
  }
  return out;
}

std::string section(const std::string& name, const std::string& text, BuiltDefinition& built) {
  if (built.parsed != Outcome{}) return "the parse stopped\n";
  if (name == "model") return ModelText(true).of(built.model);
  if (name == "indices") return describeIndices(built.mib.indices);
  if (name == "variables") return describeVariables(built.mib.variables);
  if (name == "tables") return describeMibTables(built.mib.tables);
  if (name == "varids") return describeVarIds(built.mib.varIds);
  if (name == "traps") return describeTraps(built.registry);
  if (name == "eval") return evaluations(text, built.registry);
  return "no section of that name\n";
}

ToolRun runKdl(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {OSTRAND_KDL_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return runTool(argv, kDefinitionCases);
}

size_t instanceCount(const TrapRegistry& registry) {
  size_t count = 0;
  for (const auto& [name, group] : registry.groups) count += group.instances.size();
  return count;
}

// The tool's other ways of reading the case agree with its check and with
// the daemon's load (`loaded`, what it printed, `registry`, what it built).
void expectToolAgrees(const std::string& file, const ToolRun& check, const LoadResult& load,
                      const std::string& loaded, const TrapRegistry& registry) {
  const ToolRun daemonText = runKdl({"check", "--format=daemon", file});
  EXPECT_EQ(daemonText.err, loaded);
  EXPECT_EQ(daemonText.status, check.status);
  EXPECT_EQ(check.status, load.status == 0 && load.trapsGenerated ? 0 : 1) << check.err;
  const ToolRun traps = runKdl({"traps", file});
  const ToolRun simulation = runKdl({"simulate", file});
  EXPECT_EQ(traps.status, check.status);
  EXPECT_EQ(simulation.status, check.status);
  if (check.status != 0) {
    EXPECT_EQ(traps.err, check.err);
    EXPECT_EQ(simulation.err, check.err);
    return;
  }
  EXPECT_EQ(std::count(traps.out.begin(), traps.out.end(), '\n'), instanceCount(registry) + 1)
      << "a header and one row per instance:\n" << traps.out;
  EXPECT_EQ(simulation.out + simulation.err, "");
}

class DefinitionCase : public testing::TestWithParam<std::string> {};

TEST_P(DefinitionCase, LoadsAsItsOutputSays) {
  const std::string base = kDefinitionCases + GetParam();
  const std::string expectedText = readFile(base + ".out");
  const CaseOutput expected = CaseOutput::parse(expectedText);
  ASSERT_FALSE(expected.sections.empty() && std::getenv("OSTRAND_UPDATE_CASES") == nullptr)
      << base << ".out is missing or has no section";

  CaseOutput actual;
  // The readers' states outlive a load that stopped inside an operand;
  // the daemon loads once, a test process many times.
  resetExpressionReader();
  TrapRegistry registry;
  testing::internal::CaptureStderr();
  const LoadResult load = compileDefinitions(base + ".kdl", standardErrorReport(), registry, -1);
  const std::string loaded = testing::internal::GetCapturedStderr();
  actual.status = load.status;
  const std::string text = readFile(base + ".kdl");
  BuiltDefinition built;
  buildDefinition(text, built);
  const ToolRun check = runKdl({"check", GetParam() + ".kdl"});
  for (const auto& [name, body] : expected.sections) {
    actual.sections.emplace_back(name, name == "stderr"  ? loaded
                                       : name == "check" ? "status " + std::to_string(check.status) + "\n" + check.err
                                                         : section(name, text, built));
  }
  expectToolAgrees(GetParam() + ".kdl", check, load, loaded, registry);
  if (expected.sections.empty()) actual.sections.emplace_back("stderr", loaded);
  if (std::getenv("OSTRAND_UPDATE_CASES") != nullptr) {
    std::ofstream(base + ".out", std::ios::binary) << actual.text();
    return;
  }
  EXPECT_EQ(actual.text(), expectedText) << "case " << base << ".kdl";
}

INSTANTIATE_TEST_SUITE_P(, DefinitionCase, testing::ValuesIn(caseNames(kDefinitionCases, ".kdl")),
                         [](const auto& info) { return caseTestName(info.param); });

TEST(DefinitionCases, AreThere) { EXPECT_GT(caseNames(kDefinitionCases, ".kdl").size(), 50u) << kDefinitionCases; }

}  // namespace
