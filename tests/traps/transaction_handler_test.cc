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
//
// The offline tool's simulation is held to the daemon the same way: the
// script tests/cases/simulate/card.script is played by `ostrand-kdl
// simulate` and, signal by signal, to the daemon, the service stand-in
// taking each "value" line and each signal's values as the simulated
// service does; calls and record bytes must agree signal by signal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/record_bytes.h"
#include "support/rig.h"
#include "support/run_tool.h"

namespace {

class MarkedTest : public RigTest {
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

  // The service holding `values`, the daemon on `definitions`, a signal
  // handled: from then on mark(marker + 1) follows each signal.
  void startCard(const std::string& definitions, const std::string& values,
                 TrapDevice device = TrapDevice::Capture) {
    ASSERT_NE(rig.startService({"--values", values}), nullptr) << rig.error();
    ASSERT_TRUE(
        rig.startDaemon({.args = {"-d", definitions}, .device = device}))
        << rig.error();
    ASSERT_TRUE(rig.waitForMainLoop());
    // The daemon's subscription reaches the bus on its own time: markers go
    // out until one is answered; those before it were handled first.
    ASSERT_TRUE(waitUntil([&] { return mark(++marker, 200).has_value(); }))
        << "the daemon never reacted to a transaction signal";
  }

  int marker = 0;
};

class SignalsTest : public MarkedTest,
                    public ::testing::WithParamInterface<std::string> {};

TEST_P(SignalsTest, GiveExactlyTheCallsAndRecordsOfTheScript) {
  const std::string stem = std::string(CASES_DIR) + "/signals/" + GetParam();
  // What the daemon prints when it is started and stopped at once.
  const DaemonResult quiet = rig.runDaemon({.args = {"-d", stem + ".kdl"}});
  ASSERT_NO_FATAL_FAILURE(startCard(stem + ".kdl", stem + ".values"));
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

// A script's signals as the service plays them: the values it takes
// without a signal ("value" lines) before each, then the signal's strings.
struct ScriptSignal {
  std::vector<std::string> held, strings;
};

std::vector<ScriptSignal> readScript(const std::string& path) {
  std::vector<ScriptSignal> signals(1);
  std::istringstream lines(readFile(path));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() && !signals.back().strings.empty()) signals.emplace_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("value ", 0) == 0) {
      signals.back().held.push_back(line.substr(6));
    } else {
      signals.back().strings.push_back(line);
    }
  }
  if (signals.back().strings.empty()) signals.pop_back();
  return signals;
}

// What the simulation printed for each signal: its service calls, and its
// records as hexBytes writes them.
struct SimulatedSignal {
  std::vector<std::string> calls;
  std::string records;
};

std::vector<SimulatedSignal> simulatedSignals(const std::string& out) {
  std::vector<SimulatedSignal> signals(1);
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) {
      signals.emplace_back();
    } else if (line.rfind("call ", 0) == 0) {
      signals.back().calls.push_back(line.substr(5));
    } else {
      for (size_t i = 0; i + 1 < line.size(); i += 2) {
        signals.back().records += line.substr(i, 2) + " ";
      }
    }
  }
  signals.pop_back();
  return signals;
}

// A string the service can hold: "name=value" with a name.
bool heldByService(const std::string& change) {
  const size_t equals = change.find('=');
  return equals != std::string::npos && equals > 0;
}

void setValues(Rig& rig, const std::vector<std::string>& changes) {
  std::vector<const char*> strings;
  for (const std::string& change : changes) {
    if (heldByService(change)) strings.push_back(change.c_str());
  }
  strings.push_back(nullptr);
  rig.order("Set", g_variant_new("(^as)", strings.data()));
}

TEST_F(MarkedTest, SimulationGivesTheDaemonsCallsAndRecords) {
  const std::string card = CASES_DIR "/signals/card";
  const std::string script = CASES_DIR "/simulate/card.script";
  const ToolRun simulation =
      runTool({OSTRAND_KDL_BINARY, "simulate", "--raw", "--calls", "--values",
               card + ".values", card + ".kdl", script});
  ASSERT_EQ(simulation.status, 0) << simulation.err;
  const auto simulated = simulatedSignals(simulation.out);
  const auto signals = readScript(script);
  ASSERT_EQ(simulated.size(), signals.size()) << simulation.out;
  ASSERT_NO_FATAL_FAILURE(startCard(card + ".kdl", card + ".values"));
  for (size_t i = 0; i < signals.size(); ++i) {
    SCOPED_TRACE("signal " + std::to_string(i + 1) + ": " +
                 signals[i].strings.front());
    setValues(rig, signals[i].held);
    setValues(rig, signals[i].strings);
    const size_t before = readFile(rig.path("device")).size();
    rig.emit(signals[i].strings);
    const auto calls = mark(++marker);
    ASSERT_TRUE(calls.has_value()) << "the daemon did not handle the signal";
    EXPECT_EQ(*calls, simulated[i].calls);
    EXPECT_EQ(hexBytes(readFile(rig.path("device")).substr(before)),
              simulated[i].records);
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, SignalsTest,
                         ::testing::ValuesIn(caseNames(CASES_DIR "/signals",
                                                       ".signals")),
                         [](const auto& info) { return info.param; });

// The daemon's blocked, ignored and caught signals as /proc shows them;
// empty when SIGPIPE is among them.
std::string signalDispositions(pid_t pid) {
  std::istringstream lines(
      readFile("/proc/" + std::to_string(pid) + "/status"));
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("SigBlk:", 0) != 0 && line.rfind("SigIgn:", 0) != 0 &&
        line.rfind("SigCgt:", 0) != 0) {
      continue;
    }
    if (std::stoull(line.substr(7), nullptr, 16) & (1ull << (SIGPIPE - 1))) {
      return "";
    }
    kept += line + "\n";
  }
  return kept;
}

// A device whose reader goes away (a decoder on a FIFO ending) fails every
// later write, which the daemon ignores as it ignores any failed write: it
// goes on handling signals, its signal dispositions as they were, and
// signal 28 still ends it.
TEST_F(MarkedTest, OutlivesTheDevicesReader) {
  const std::string card = CASES_DIR "/signals/card";
  const DaemonResult quiet = rig.runDaemon({.args = {"-d", card + ".kdl"}});
  ASSERT_NO_FATAL_FAILURE(
      startCard(card + ".kdl", card + ".values", TrapDevice::Fifo));
  const std::string dispositions = signalDispositions(rig.daemonPid());
  ASSERT_NE(dispositions, "") << "the daemon does not start with SIGPIPE at "
                                 "its default action";
  rig.emit({"temp=42"});
  EXPECT_EQ(hexBytes(rig.readFifoAndClose()),
            hexBytes(*recordFromText("41 1 0")));
  for (const char* change : {"temp=99", "temp=1"}) {
    rig.emit({change});
    ASSERT_TRUE(mark(++marker)) << "the daemon did not handle " << change;
  }
  EXPECT_EQ(signalDispositions(rig.daemonPid()), dispositions);
  rig.signalDaemon();
  const DaemonResult result = rig.finishDaemon();
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out + result.err, quiet.out + quiet.err);
}

// Signal 28 ends the daemon even while it waits in a write that a device's
// reader, taking nothing, holds up.
TEST_F(MarkedTest, EndsWhileWaitingOnAFullDevice) {
  const std::string card = CASES_DIR "/signals/card";
  ASSERT_NO_FATAL_FAILURE(
      startCard(card + ".kdl", card + ".values", TrapDevice::Fifo));
  const int writer = open(rig.path("device").c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0) << "cannot open the FIFO to fill it";
  // The FIFO filled up, so that the daemon's next record must wait.
  char block[4096] = {};
  while (write(writer, block, sizeof block) > 0) {
  }
  while (write(writer, block, 1) > 0) {
  }
  close(writer);
  rig.emit({"temp=42"});
  const std::string wchan =
      "/proc/" + std::to_string(rig.daemonPid()) + "/wchan";
  ASSERT_TRUE(waitUntil([&] {
    return readFile(wchan).find("pipe_write") != std::string::npos;
  })) << "the daemon never waited in its write: "
      << readFile(wchan);
  rig.signalDaemon();
  EXPECT_EQ(rig.finishDaemon().exitStatus, 0);
}

}  // namespace
