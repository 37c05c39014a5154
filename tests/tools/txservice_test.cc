// Black-box tests of the transaction service stand-in: the real program on
// the rig's private session bus, called with gdbus, whose printed replies
// show the types on the wire as well as the values. That every method takes
// and answers its types is shown by the parameter access layer's tests.

#include <gmock/gmock.h>
#include <signal.h>

#include <random>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/rig.h"

namespace {

const char kName[] = "org.velmor.transaction";
const char kTimeout[] = "Error: Timeout was reached\n";

// What gdbus prints for the service's refusal, and for the control
// interface's, of a call; and what gdbus monitor prints for a signal.
std::string refused(const std::string& why) {
  return "Error: GDBus.Error:org.velmor.transaction.Error.Refused: "
         "dbus_velmor_transaction: " +
         why + "\n";
}
std::string badArgument(const std::string& why) {
  return "Error: GDBus.Error:org.ostrand.TxControl.Error.BadArgument: " + why +
         "\n";
}
std::string signalLine(const std::string& changes) {
  return "/transaction: org.velmor.transaction.transaction (" + changes +
         ",)\n";
}

// One step of a conversation with the service: a call of a method of the
// service interface ("single_get") or of the control interface
// ("TxControl.Drop") with its arguments in gdbus's notation, and what gdbus
// prints. A call that is never answered is given up after a second (gdbus
// then prints kTimeout).
struct Step {
  std::vector<std::string> call;  // the method, then its arguments
  std::string printed;
};

struct Exit {
  int status = -1;
  std::string err;
};

class TxServiceTest : public RigTest {
 protected:
  // The service's pid, or -1 with rig.error() saying why.
  pid_t startWithValues(const std::string& values = "temp=42\nlimit=50\n") {
    return rig.startService({"--values", rig.writeFile("values.txt", values)});
  }

  // Runs the service on `bus` (the rig's bus when empty) until it ends.
  Exit runService(const std::vector<std::string>& args,
                  const std::string& bus = "") {
    std::vector<std::string> argv = {TXSERVICE_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    std::string err = rig.writeFile("run.err", "");
    std::string error;
    pid_t pid = spawnProcess(
        argv,
        {{"DBUS_SESSION_BUS_ADDRESS", bus.empty() ? rig.busAddress() : bus}},
        rig.writeFile("run.out", ""), err, &error);
    return pid < 0 ? Exit{-1, error} : Exit{waitForExit(pid), readFile(err)};
  }

  void expectSteps(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      SCOPED_TRACE(::testing::PrintToString(step.call));
      const std::string& method = step.call.front();
      const char* interface = method.rfind("TxControl.", 0) == 0
                                  ? "org.ostrand."
                                  : "org.velmor.transaction.";
      const char* timeout = step.printed == kTimeout ? "1" : "60";
      std::vector<std::string> argv = {
          "gdbus",     "call",  "--address",     rig.busAddress(),
          "--dest",    kName,   "--object-path", "/transaction",
          "--timeout", timeout, "--method",      interface + method,
          "--"};
      argv.insert(argv.end(), step.call.begin() + 1, step.call.end());
      std::string printed = rig.writeFile("call.txt", "");
      std::string error;
      pid_t pid = spawnProcess(argv, {}, printed, printed, &error);
      ASSERT_GT(pid, 0) << error;
      waitForExit(pid);
      EXPECT_EQ(readFile(printed), step.printed);
    }
  }

  // The `transaction` signals the service emits while `steps` run, one line
  // each; the steps end with an Emit, whose signal is the last one awaited.
  std::string signalsOf(const std::vector<Step>& steps) {
    auto monitored = [&] { return readFile(rig.dir() + "/monitor.out"); };
    const std::string watching =
        std::string("The name ") + kName + " is owned by";
    if (rig.startHelper("monitor", {"gdbus", "monitor", "--address",
                                    rig.busAddress(), "--dest", kName}) < 0 ||
        !waitUntil(
            [&] { return monitored().find(watching) != std::string::npos; })) {
      ADD_FAILURE() << "gdbus monitor did not start: " << rig.error()
                    << monitored();
      return "";
    }
    expectSteps(steps);
    const std::string last = signalLine(steps.back().call.back());
    EXPECT_TRUE(waitUntil([&] {
      return monitored().find(last) != std::string::npos;
    })) << monitored();
    std::string seen = monitored();
    seen = seen.substr(seen.find('\n', seen.find(watching)) + 1);
    return seen.substr(0, seen.find(last) + last.size());
  }
};

TEST_F(TxServiceTest, ChangesAreAnnouncedOncePerCallInCallOrder) {
  ASSERT_GT(startWithValues(), 0) << rig.error();
  EXPECT_EQ(
      signalsOf({
          {{"single_set", "temp", "43"}, "()\n"},
          {{"single_set_status_bulk", "['b', 'a']", "['2', '1']"}, "()\n"},
          // temp returns to the values file's value; a had none and goes.
          {{"single_reset_bulk", "['temp', 'a']"}, "()\n"},
          {{"single_get_bulk", "2", "['temp', 'a']"}, "(['42', ''],)\n"},
          {{"single_set_bulk", "@as []", "@as []"}, "()\n"},
          {{"TxControl.Set", "['quiet=1']"}, "()\n"},
          {{"single_get", "quiet"}, "('1',)\n"},
          {{"single_set", "limit", "51"}, "()\n"},
          {{"TxControl.Emit", "['no equals', '=', 'last']"}, "()\n"},
      }),
      signalLine("['temp=43']") + signalLine("['b=2', 'a=1']") +
          signalLine("['temp=42', 'a=']") + signalLine("['limit=51']") +
          signalLine("['no equals', '=', 'last']"));
}

// What gdbus prints shows the types of each reply.
TEST_F(TxServiceTest, EveryMethodTakesAndAnswersItsTypes) {
  ASSERT_GT(startWithValues(), 0) << rig.error();
  expectSteps({
      {{"start"}, "(uint32 1,)\n"},
      {{"get", "1", "temp"}, "('42',)\n"},
      {{"single_get", "limit"}, "('50',)\n"},
      {{"get_bulk", "1", "2", "['temp', 'none']"}, "(['42', ''],)\n"},
      {{"single_get_bulk", "2", "['limit', 'temp']"}, "(['50', '42'],)\n"},
      {{"set", "1", "a", "1"}, "()\n"},
      {{"single_set", "a", "1"}, "()\n"},
      {{"set_status", "1", "a", "2"}, "()\n"},
      {{"single_set_status", "a", "2"}, "()\n"},
      {{"set_bulk", "1", "['a']", "['3']"}, "()\n"},
      {{"single_set_bulk", "['a', 'b']", "['3', '4']"}, "()\n"},
      {{"set_status_bulk", "1", "['a']", "['5']"}, "()\n"},
      {{"single_set_status_bulk", "['a']", "['5']"}, "()\n"},
      {{"check_set", "1", "a", ""}, "(false,)\n"},
      {{"single_check_set", "a", "6"}, "(true,)\n"},
      {{"reset", "1", "a"}, "()\n"},
      {{"single_reset", "a"}, "()\n"},
      {{"reset_status", "1", "a"}, "()\n"},
      {{"single_reset_status", "a"}, "()\n"},
      {{"reset_bulk", "1", "['a']"}, "()\n"},
      {{"single_reset_bulk", "['a', 'b']"}, "()\n"},
      {{"reset_status_bulk", "1", "['a']"}, "()\n"},
      {{"single_reset_status_bulk", "['a']"}, "()\n"},
      {{"commit", "1"}, "()\n"},
      {{"end", "1"}, "()\n"},
  });
}

TEST_F(TxServiceTest, TransactionsHoldTheirChangesUntilCommit) {
  ASSERT_GT(startWithValues(), 0) << rig.error();
  const std::string xyLimit = "['x', 'y', 'limit']";
  EXPECT_EQ(
      signalsOf({
          {{"single_set", "limit", "51"}, "()\n"},
          {{"start"}, "(uint32 1,)\n"},
          {{"start"}, "(uint32 2,)\n"},
          {{"set", "1", "x", "9"}, "()\n"},
          {{"reset", "1", "limit"}, "()\n"},
          {{"set_status_bulk", "1", "['y', 'x']", "['8', '7']"}, "()\n"},
          {{"set", "2", "y", "0"}, "()\n"},
          // Each transaction sees its own held changes, nobody else does.
          {{"get_bulk", "1", "3", xyLimit}, "(['7', '8', '50'],)\n"},
          {{"get", "2", "y"}, "('0',)\n"},
          {{"single_get_bulk", "3", xyLimit}, "(['', '', '51'],)\n"},
          {{"commit", "1"}, "()\n"},
          {{"single_get_bulk", "3", xyLimit}, "(['7', '8', '50'],)\n"},
          // Committed changes are gone from the transaction, which stays open.
          {{"commit", "1"}, "()\n"},
          {{"set", "1", "x", "6"}, "()\n"},
          {{"end", "1"}, "()\n"},
          {{"end", "2"}, "()\n"},
          {{"single_get_bulk", "2", "['x', 'y']"}, "(['7', '8'],)\n"},
          {{"get", "1", "x"}, refused("no open transaction 1")},
          {{"commit", "2"}, refused("no open transaction 2")},
          {{"start"}, "(uint32 3,)\n"},
          {{"TxControl.Emit", "['last']"}, "()\n"},
      }),
      signalLine("['limit=51']") +
          signalLine("['x=9', 'limit=50', 'y=8', 'x=7']") +
          signalLine("['last']"));
}

TEST_F(TxServiceTest, OrderedFaultsShapeTheReplies) {
  ASSERT_GT(startWithValues(), 0) << rig.error();
  std::string refusedGet = refused("single_get refused");
  std::string failed =
      "Error: GDBus.Error:org.freedesktop.DBus.Error.Failed: gone away\n";
  expectSteps({
      // Drop, then Fail, then Refuse; each count is used up only where it
      // applies.
      {{"TxControl.Refuse", "single_get", "1"}, "()\n"},
      {{"TxControl.Fail", "single_get", "1", "gone away"}, "()\n"},
      {{"TxControl.Drop", "single_get", "1"}, "()\n"},
      {{"single_get", "temp"}, kTimeout},
      {{"single_get", "temp"}, failed},
      {{"single_get", "temp"}, refusedGet},
      {{"single_get", "temp"}, "('42',)\n"},
      // A refused set is not applied.
      {{"TxControl.Refuse", "single_set", "-1"}, "()\n"},
      {{"single_set", "temp", "1"}, refused("single_set refused")},
      {{"single_set", "temp", "1"}, refused("single_set refused")},
      {{"TxControl.Refuse", "single_set", "0"}, "()\n"},
      {{"single_get", "temp"}, "('42',)\n"},
      // Only successful replies with a value to lose are truncated.
      {{"TxControl.Truncate", "single_get_bulk", "2"}, "()\n"},
      {{"single_get_bulk", "2", "['temp']"},
       refused("count 2 does not match the number of names (1)")},
      {{"single_get_bulk", "0", "@as []"}, "(@as [],)\n"},
      {{"single_get_bulk", "2", "['temp', 'limit']"}, "(['42'],)\n"},
      {{"single_get_bulk", "1", "['temp']"}, "(@as [],)\n"},
      {{"single_get_bulk", "2", "['temp', 'limit']"}, "(['42', '50'],)\n"},
      // A delayed reply holds up nothing else, and arrives whole.
      {{"TxControl.Delay", "single_get", "600000"}, "()\n"},
      {{"single_get", "temp"}, kTimeout},
      {{"single_get_bulk", "1", "['temp']"}, "(['42'],)\n"},
      {{"TxControl.Delay", "single_get", "20"}, "()\n"},
      {{"single_get", "temp"}, "('42',)\n"},
      {{"TxControl.Fail", "single_get", "1", "gone away"}, "()\n"},
      {{"single_get", "temp"}, failed},
  });
}

TEST_F(TxServiceTest, MalformedCallsAreRefusedAndChangeNothing) {
  ASSERT_GT(startWithValues(), 0) << rig.error();
  expectSteps({
      {{"single_set_bulk", "['a', 'temp']", "['1']"},
       refused(
           "the number of names (2) does not match the number of values (1)")},
      {{"single_set_bulk", "['temp', 'a=b']", "['1', '2']"},
       refused("bad parameter name 'a=b'")},
      {{"single_reset", ""}, refused("bad parameter name ''")},
      {{"set_status", "4294967295", "temp", "1"},
       refused("no open transaction 4294967295")},
      {{"TxControl.Refuse", "nope", "1"},
       badArgument("no service method 'nope'")},
      {{"TxControl.Delay", "Calls", "1"},
       badArgument("no service method 'Calls'")},
      {{"TxControl.Drop", "single_get", "-2"},
       badArgument("count -2 is below -1")},
      {{"TxControl.Truncate", "get", "1"},
       badArgument("'get' is not a bulk get")},
      {{"TxControl.Set", "['temp=1', 'limit']"},
       badArgument("expected name=value, got 'limit'")},
      {{"single_get_bulk", "2", "['temp', 'limit']"}, "(['42', '50'],)\n"},
  });
}

TEST_F(TxServiceTest, CallsAreRecordedInArrivalOrder) {
  ASSERT_GT(startWithValues(), 0) << rig.error();
  expectSteps({
      {{"TxControl.Drop", "single_get", "1"}, "()\n"},
      {{"single_get", "temp"}, kTimeout},
      {{"TxControl.Refuse", "start", "1"}, "()\n"},
      {{"start"}, refused("start refused")},
      {{"single_get_bulk", "2", "['a', 'b']"}, "(['', ''],)\n"},
      {{"set_bulk", "9", "['a']", "[\"it's\"]"},
       refused("no open transaction 9")},
      {{"TxControl.Calls"},
       R"*((["single_get ('temp',)", 'start ()', )*"
       R"*("single_get_bulk (2, ['a', 'b'])", )*"
       R"*("set_bulk (9, ['a'], [\"it's\"])"],))*"
       "\n"},
      {{"TxControl.ClearCalls"}, "()\n"},
      {{"TxControl.Calls"}, "(@as [],)\n"},
  });
}

TEST_F(TxServiceTest, ValuesFileIsReadAsWritten) {
  std::string big(1 << 20, 'v');
  ASSERT_GT(startWithValues("# a comment\n\n \t\nlevel[3]=\r\neq=a=b\ndup=1\n"
                            "dup=2\n sp = x \nbig=" +
                            big + "\nlast=no newline"),
            0)
      << rig.error();
  expectSteps({
      {{"single_get_bulk", "6",
        "['level[3]', 'eq', 'dup', ' sp ', 'last', 'none']"},
       "(['', 'a=b', '2', ' x ', 'no newline', ''],)\n"},
      {{"single_get", "big"}, "('" + big + "',)\n"},
  });
}

TEST_F(TxServiceTest, BadValuesFilesEndWithStatus2) {
  const std::string path = rig.dir() + "/values.txt";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a=1\nno equals\n", path + ":2: expected name=value"},
      {"# c\n\n=1\n", path + ":3: expected name=value"},
      {"a=1\nb=\xff\xfe\n", path + ":2: expected UTF-8 text"},
      {std::string("a=b\0c\n", 6), path + ":1: expected UTF-8 text"},
  };
  for (const auto& [content, why] : cases) {
    SCOPED_TRACE(content);
    rig.writeFile("values.txt", content);
    Exit exit = runService({"--values", path});
    EXPECT_EQ(exit.status, 2);
    EXPECT_EQ(exit.err, "txservice: " + why + "\n");
  }

  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(1 + random() % 4096, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    rig.writeFile("values.txt", bytes);
    Exit exit = runService({"--values", path});
    EXPECT_EQ(exit.status, 2) << exit.err;
    EXPECT_THAT(
        exit.err,
        ::testing::MatchesRegex(
            "txservice: .*:[0-9]+: expected (name=value|UTF-8 text)\n"));
  }

  for (const auto& [file, why] :
       {std::pair{rig.dir() + "/absent", "No such file or directory"},
        std::pair{rig.dir(), "Is a directory"}}) {
    Exit exit = runService({"--values", file});
    EXPECT_EQ(exit.status, 2);
    EXPECT_EQ(exit.err, "txservice: cannot read " + file + ": " + why + "\n");
  }
}

TEST_F(TxServiceTest, BadCommandLinesEndWithStatus2) {
  const std::string usage = "usage: txservice [--name NAME] [--values FILE]\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus"}, usage},
      {{"extra"}, usage},
      {{"--name"}, usage},
      {{"--name", "nodots"}, "txservice: not a well-known bus name: nodots\n"},
      {{"--name=:1.5"}, "txservice: not a well-known bus name: :1.5\n"},
      {{"--name", ""}, "txservice: not a well-known bus name: \n"},
  };
  for (const auto& [args, err] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    Exit exit = runService(args);
    EXPECT_EQ(exit.status, 2);
    EXPECT_EQ(exit.err, err);
  }
}

TEST_F(TxServiceTest, NameThatCannotBeOwnedEndsWithStatus1) {
  ASSERT_GT(rig.startService(), 0) << rig.error();
  Exit taken = runService({});
  EXPECT_EQ(taken.status, 1);
  EXPECT_EQ(
      taken.err,
      "txservice: cannot own org.velmor.transaction on the session bus\n");

  Exit noBus = runService({"--name=org.example.other"},
                          "unix:path=" + rig.dir() + "/none");
  EXPECT_EQ(noBus.status, 1);
  EXPECT_EQ(noBus.err,
            "txservice: cannot own org.example.other on the session bus "
            "(Could not connect: No such file or directory)\n");

  // Another name is free, and the first owner still answers.
  ASSERT_GT(rig.startService({"--name=org.example.other"}, "other"), 0)
      << rig.error();
  expectSteps({{{"single_get", "temp"}, "('',)\n"}});
}

TEST_F(TxServiceTest, StopSignalsEndWithStatus0) {
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    const pid_t pid = rig.startService({}, "stopped");
    ASSERT_GT(pid, 0) << rig.error();
    EXPECT_EQ(rig.stopHelper(pid, signal), 0);
    EXPECT_EQ(readFile(rig.dir() + "/stopped.err"), "");
  }
}

}  // namespace
