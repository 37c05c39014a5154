// The trap catalogue of the offline tool, the real program: for each
// NAME.txt of tests/cases/catalogue, `ostrand-kdl traps` on the definition
// NAME.kdl beside it (examples/NAME.kdl when there is none: the example
// card) prints exactly NAME.txt, and with --json exactly NAME.json, with
// status 0 and nothing on standard error. The tool's own output is how a
// new case's files are made; read every line of them before adding them.

#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/run_tool.h"

namespace {

const std::string kCases = CASES_DIR "/catalogue/";

std::string definitionOf(const std::string& name) {
  const std::string own = kCases + name + ".kdl";
  if (g_file_test(own.c_str(), G_FILE_TEST_EXISTS)) return own;
  return CASES_DIR "/../../examples/" + name + ".kdl";
}

TEST(CatalogueCases, PrintExactlyTheirTextAndJson) {
  const std::vector<std::string> names = caseNames(kCases, ".txt");
  EXPECT_GE(names.size(), 3u) << "cases missing in " << kCases;
  for (const std::string& name : names) {
    for (const std::string format : {".txt", ".json"}) {
      SCOPED_TRACE(name + format);
      const std::string expected = readFile(kCases + name + format);
      ASSERT_FALSE(expected.empty())
          << "cannot read " << kCases + name + format;
      std::vector<std::string> argv = {OSTRAND_KDL_BINARY, "traps",
                                       definitionOf(name)};
      if (format == ".json") argv.insert(argv.begin() + 2, "--json");
      const ToolRun run = runTool(argv);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.err, "");
      EXPECT_EQ(run.out, expected);
    }
  }
}

}  // namespace
