// Black-box tests of the transaction service stand-in, the real program on
// the rig's bus. Conversations are played from tests/cases/txservice: for
// each NAME.calls the stand-in starts with NAME.values, and each case
// (support/case_file.h) is a series of
//   METHOD ARG...    a call with gdbus: a method of the service interface,
//                    or TxControl.METHOD of the control interface, its
//                    arguments in gdbus's notation, quoted as in the shell
//   run COMMAND...   a command run to its end ($TXSERVICE is the stand-in,
//                    $DIR the test's directory, $CASES tests/cases/txservice)
//   = TEXT           what the call before it prints (a call so answered
//                    with the timeout is given up after a second), or the
//                    command's exit status, a blank and standard error
//   signal CHANGES   the next transaction signal the stand-in emits, its
//                    strings as gdbus prints them
// The signals are compared once the script has run. That every method takes
// and answers its types is shown by the parameter access layer's tests.

#include <gmock/gmock.h>
#include <signal.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/rig.h"

namespace {

const char kName[] = "org.velmor.transaction";
const char kTimeout[] = "Error: Timeout was reached";
const std::string kCases = CASES_DIR "/txservice";

std::string signalLine(const std::string& changes) {
  return "/transaction: org.velmor.transaction.transaction (" + changes +
         ",)\n";
}

class TxServiceTest : public RigTest {
 protected:
  // What the line `words` gives, as "= TEXT" lines hold it.
  std::string perform(std::vector<std::string> words, int timeout) {
    const bool run = words[0] == "run";
    if (run) {
      words.erase(words.begin());
    } else {
      const bool control = words[0].rfind("TxControl.", 0) == 0;
      words.insert(words.begin() + 1, "--");
      words[0] =
          (control ? "org.ostrand." : "org.velmor.transaction.") + words[0];
      words.insert(words.begin(),
                   {"gdbus", "call", "--address", rig.busAddress(), "--dest",
                    kName, "--object-path", "/transaction", "--timeout",
                    std::to_string(timeout), "--method"});
    }
    Process process;
    EXPECT_EQ(process.start(words, rig.path("run.out"), rig.path("run.err")),
              "");
    const int status = process.wait();
    const std::string err = readFile(rig.path("run.err"));
    return run ? std::to_string(status) + " " + err
               : readFile(rig.path("run.out")) + err;
  }
};

class ConversationTest : public TxServiceTest,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(ConversationTest, RepliesAndSignalsAreAsWritten) {
  const std::string stem = kCases + "/" + GetParam();
  ASSERT_NE(rig.startService({"--values", stem + ".values"}), nullptr)
      << rig.error();
  auto monitored = [&] { return readFile(rig.path("monitor.out")); };
  ASSERT_NE(rig.startHelper("monitor",
                            {"gdbus", "monitor", "--address", rig.busAddress(),
                             "--dest", kName},
                            " is owned by "),
            nullptr)
      << rig.error();
  const std::vector<Case> cases =
      readCases(stem + ".calls", {{"$DIR", rig.dir()},
                                  {"$CASES", kCases},
                                  {"$TXSERVICE", TXSERVICE_BINARY}});
  std::vector<std::string> words;
  std::string signals;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& [word, rest] : c.lines) {
      if (word == "=") {
        EXPECT_EQ(perform(words, rest == kTimeout ? 1 : 60), rest + "\n")
            << ::testing::PrintToString(words);
      } else if (word == "signal") {
        signals += signalLine(rest);
      } else {
        words = caseWords(word + " " + rest);
      }
    }
  }
  // The signal of a last Emit marks the end of what the script caused.
  const std::string end = signalLine("['end']");
  EXPECT_EQ(perform({"TxControl.Emit", "['end']"}, 60), "()\n");
  ASSERT_TRUE(
      waitUntil([&] { return monitored().find(end) != std::string::npos; }));
  std::istringstream seen(monitored());
  std::string emitted;
  for (std::string line; std::getline(seen, line);) {
    if (line.rfind("/transaction: ", 0) == 0) emitted += line + "\n";
  }
  EXPECT_EQ(emitted, signals + end);
}

INSTANTIATE_TEST_SUITE_P(Scripts, ConversationTest,
                         ::testing::ValuesIn(caseNames(CASES_DIR "/txservice",
                                                       ".calls")),
                         [](const auto& info) { return info.param; });

// Another name is served alongside the usual one; SIGTERM and SIGINT end
// the stand-in with status 0.
TEST_F(TxServiceTest, ServesAnotherNameAndStopsOnSignals) {
  Process* usual = rig.startService();
  ASSERT_NE(usual, nullptr) << rig.error();
  Process* other = rig.startService({"--name=org.example.other"}, "other");
  ASSERT_NE(other, nullptr) << rig.error();
  EXPECT_EQ(perform({"single_get", "temp"}, 60), "('',)\n");
  usual->signal(SIGTERM);
  other->signal(SIGINT);
  EXPECT_EQ(usual->wait(), 0);
  EXPECT_EQ(other->wait(), 0);
  EXPECT_EQ(
      readFile(rig.path("txservice.err")) + readFile(rig.path("other.err")),
      "");
}

}  // namespace
