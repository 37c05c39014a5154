// The real daemon turning transaction signals into trap records, played
// from tests/cases/signals: for each NAME.signals the daemon runs on
// NAME.kdl with the stand-in device, the service stand-in holds NAME.values,
// and each step (a case, support/case_file.h) is played in turn:
//   refuse METHOD        the service refuses the next call of METHOD
//   change TEXT          one string of the step's signal, as it is
//   call TEXT            a service call the signal causes, in order
//   record FAULT INSTANCE VALUE ["TEXT"...]
//                        a record it writes, in order (texts shell-quoted)
// The calls and the record bytes are compared exactly. Every card holds the
// marker trap sync[k], true when tick[k] is 1, for which the service holds
// no value: a signal carrying tick[k]=1 makes the daemon ask for sync[k] and
// write nothing, so that call tells that every earlier signal was handled.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/record_bytes.h"
#include "support/rig.h"

namespace {

class SignalsTest : public RigTest,
                    public ::testing::WithParamInterface<std::string> {
 protected:
  // Emits marker k and waits for its fetch, giving up after `patienceMs`.
  // The calls that came before it, and the record cleared (the daemon is
  // idle then); none when the fetch did not come.
  std::optional<std::vector<std::string>> mark(
      int k, int patienceMs = kGuardMilliseconds) {
    rig.emit({"tick[" + std::to_string(k) + "]=1"});
    const std::string fetch = "single_get ('sync[" + std::to_string(k) + "]',)";
    std::vector<std::string> calls;
    if (!waitUntil(
            [&] {
              calls = rig.serviceCalls(false);
              return !calls.empty() && calls.back() == fetch;
            },
            patienceMs)) {
      return std::nullopt;
    }
    rig.order("ClearCalls");
    calls.pop_back();
    return calls;
  }
};

TEST_P(SignalsTest, GiveExactlyTheCallsAndRecordsOfTheScript) {
  const std::string stem = std::string(CASES_DIR) + "/signals/" + GetParam();
  // What the daemon prints when it is started and stopped at once.
  const DaemonResult quiet = rig.runDaemon({.args = {"-d", stem + ".kdl"}});
  ASSERT_NE(rig.startService({"--values", stem + ".values"}), nullptr)
      << rig.error();
  ASSERT_TRUE(rig.startDaemon({.args = {"-d", stem + ".kdl"}})) << rig.error();
  ASSERT_TRUE(rig.waitForMainLoop());
  // The daemon's subscription reaches the bus on its own time: markers go
  // out until one is answered; those before it were handled first.
  int marker = 0;
  ASSERT_TRUE(waitUntil([&] { return mark(++marker, 200).has_value(); }))
      << "the daemon never reacted to a transaction signal";
  for (const Case& step : readCases(stem + ".signals")) {
    SCOPED_TRACE(step.what);
    std::vector<std::string> changes, calls;
    std::string records;
    std::optional<std::string> record;
    for (const auto& [word, rest] : step.lines) {
      if (word == "refuse") {
        rig.order("Refuse", g_variant_new("(si)", rest.c_str(), 1));
      } else if (word == "change" || word == "call") {
        (word == "change" ? changes : calls).push_back(rest);
      } else if (word == "record" && (record = recordFromText(rest))) {
        records += *record;
      } else {
        ADD_FAILURE() << "cannot read: " << word << " " << rest;
      }
    }
    const size_t before = readFile(rig.path("device")).size();
    rig.emit(changes);
    const auto handled = mark(++marker);
    ASSERT_TRUE(handled.has_value()) << "the daemon did not handle the signal";
    EXPECT_EQ(*handled, calls);
    EXPECT_EQ(hexBytes(readFile(rig.path("device")).substr(before)),
              hexBytes(records));
  }
  // Nothing more was said on the way: no report of a fault in the daemon.
  rig.signalDaemon();
  const DaemonResult result = rig.finishDaemon();
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out + result.err, quiet.out + quiet.err);
}

INSTANTIATE_TEST_SUITE_P(Scripts, SignalsTest,
                         ::testing::ValuesIn(caseNames(CASES_DIR "/signals",
                                                       ".signals")),
                         [](const auto& info) { return info.param; });

}  // namespace
