// Every tool's command line, the real programs: --help and --version end
// with status 0, a bad command line with the daemon's usage status 64; and
// what the offline tool prints for whole runs. Played from
// tests/cases/tools/usage.cases, each case run in tests/cases:
//   run TOOL ARG...      TOOL is trapdecode, txservice, trapdev or
//                        ostrand-kdl; its arguments are quoted as in the
//                        shell
//   input PATH           its standard input (/dev/null when absent)
//   out TEXT / err TEXT  a line of standard output, error; $PROG is the
//                        tool's path, which getopt's lines name it by
//   out-begins TEXT / err-begins TEXT   the stream begins with the lines
//                        before and TEXT; anything may follow
//   status N             the exit status (0 when absent)

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/run_tool.h"

namespace {

const std::map<std::string, std::string> kTools = {
    {"trapdecode", TRAPDECODE_BINARY},
    {"txservice", TXSERVICE_BINARY},
    {"trapdev", TRAPDEV_BINARY},
    {"ostrand-kdl", OSTRAND_KDL_BINARY}};

struct Stream {
  std::string text;
  bool prefix = false;  // text is only how the stream begins
};

void expectStream(const std::string& actual, const Stream& expected,
                  const char* name) {
  EXPECT_EQ(expected.prefix ? actual.substr(0, expected.text.size()) : actual,
            expected.text)
      << "standard " << name;
}

TEST(UsageTest, EveryToolAnswersItsCommandLineAsTheCasesSay) {
  for (const Case& c : readCases(CASES_DIR "/tools/usage.cases")) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args;
    std::string input = "/dev/null";
    Stream out, err;
    int status = 0;
    for (auto [word, rest] : c.lines) {
      if (!args.empty()) {
        for (size_t at; (at = rest.find("$PROG")) != std::string::npos;)
          rest.replace(at, 5, args[0]);
      }
      Stream& stream = word.starts_with("out") ? out : err;
      if (word == "run" && !(args = caseWords(rest)).empty() &&
          kTools.contains(args[0])) {
        args[0] = kTools.at(args[0]);
      } else if (word == "input") {
        input = std::string(CASES_DIR) + "/" + rest;
      } else if (word == "out" || word == "err") {
        stream.text += rest + "\n";
      } else if (word == "out-begins" || word == "err-begins") {
        stream.text += rest;
        stream.prefix = true;
      } else if (word == "status") {
        status = std::stoi(rest);
      } else {
        ADD_FAILURE() << "cannot read: " << word << " " << rest;
      }
    }
    ASSERT_FALSE(args.empty()) << "a case without a run line";
    const ToolRun outcome = runTool(args, CASES_DIR, input);
    expectStream(outcome.out, out, "output");
    expectStream(outcome.err, err, "error");
    EXPECT_EQ(outcome.status, status);
  }
}

}  // namespace
