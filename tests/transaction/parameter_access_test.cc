#include "transaction/parameter_access.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/private_bus.h"
#include "support/process.h"
#include "support/rig.h"
#include "support/service_control.h"
#include "support/syslog_capture.h"
#include "transaction/service_calls.h"

namespace {

// The service's initial values: b has an empty value, d none at all.
const char kValues[] = "a=1\nb=\nc=3\n";

std::string describe(unsigned result, const ValueMap& values) {
  std::string out = std::to_string(result);
  for (const auto& [name, value] : values) out += " " + name + "=" + value;
  return out;
}

// The access layer against the service stand-in on a private bus, with
// what it logs caught.
class ParameterAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string capture = syslog.setUp();
    ASSERT_EQ(capture, "") << "cannot catch syslog: " << capture;
    ASSERT_TRUE(rig.setUp()) << rig.error();
    std::string error;
    connection = connectToBus(rig.busAddress(), &error);
    ASSERT_NE(connection, nullptr) << error;
    proxy = dbus_g_proxy_new_for_name(connection, kServiceName, kServicePath,
                                      kServiceInterface);
    control = serviceControl(connection);
  }

  void TearDown() override {
    if (proxy != nullptr) g_object_unref(proxy);
    if (control != nullptr) g_object_unref(control);
  }

  void startService() {
    ASSERT_GT(rig.startService({"--values", rig.writeFile("v", kValues)}), 0)
        << rig.error();
  }

  // The service calls since the last look.
  std::vector<std::string> calls() {
    std::vector<std::string> received = serviceCalls(control);
    clearServiceCalls(control);
    return received;
  }

  void failNext(const char* method, int count, const char* message = "") {
    failNextCalls(control, method, count, message);
  }

  // Runs the main loop until `done` holds.
  void iterateUntil(const std::function<bool()>& done) {
    ASSERT_TRUE(waitUntil([&] {
      while (g_main_context_iteration(nullptr, FALSE)) {
      }
      return done();
    })) << "the main loop never got there";
  }

  SyslogCapture syslog;
  Rig rig;
  DBusGConnection* connection = nullptr;
  DBusGProxy* proxy = nullptr;
  DBusGProxy* control = nullptr;
};

// Every method of the service, each through the operation that uses it, in
// one transaction (number 1) and outside any.
TEST_F(ParameterAccessTest, EachOperationCallsItsMethod) {
  startService();
  uint32_t tx = 0;
  ValueMap got;
  bool accepted = true;
  const ValueMap one = {{"a", "5"}};
  const ValueMap two = {{"b", "6"}, {"a", "5"}};
  const TransactionRef none;
  struct Case {
    std::function<std::string()> run;
    std::string outcome;
    std::vector<std::string> calls;
  };
  const auto check = [&](bool withTx, const std::string& value) {
    const unsigned result = parm_check_set(proxy, withTx ? TransactionRef(tx)
                                                         : none,
                                           "a", value, accepted);
    return std::to_string(result) + (accepted ? " yes" : " no");
  };
  const std::vector<Case> cases = {
      {[&] { return std::to_string(parm_start(proxy, tx) * 10 + tx); },
       "11", {"start ()"}},
      {[&] { return describe(parm_get_(proxy, none, {"a"}, got), got); },
       "1 a=1", {"single_get ('a',)"}},
      {[&] { return describe(parm_get(proxy, none, {"b", "a"}, got), got); },
       "1 a=1", {"single_get_bulk (2, ['a', 'b'])"}},
      {[&] { return describe(parm_get_(proxy, tx, {"c"}, got), got); },
       "1 c=3", {"get (1, 'c')"}},
      {[&] { return describe(parm_get_(proxy, tx, {"c", "d"}, got), got); },
       "1 c=3", {"get_bulk (1, 2, ['c', 'd'])"}},
      {[&] { return std::to_string(parm_set(proxy, none, one)); }, "1",
       {"single_set ('a', '5')"}},
      {[&] { return std::to_string(parm_set_status(proxy, none, one)); }, "1",
       {"single_set_status ('a', '5')"}},
      {[&] { return std::to_string(parm_set(proxy, none, two)); }, "1",
       {"single_set_bulk (['a', 'b'], ['5', '6'])"}},
      {[&] { return std::to_string(parm_set_status(proxy, none, two)); }, "1",
       {"single_set_status_bulk (['a', 'b'], ['5', '6'])"}},
      {[&] { return std::to_string(parm_set(proxy, tx, one)); }, "1",
       {"set (1, 'a', '5')"}},
      {[&] { return std::to_string(parm_set_status(proxy, tx, one)); }, "1",
       {"set_status (1, 'a', '5')"}},
      {[&] { return std::to_string(parm_set(proxy, tx, two)); }, "1",
       {"set_bulk (1, ['a', 'b'], ['5', '6'])"}},
      {[&] { return std::to_string(parm_set_status(proxy, tx, two)); }, "1",
       {"set_status_bulk (1, ['a', 'b'], ['5', '6'])"}},
      {[&] { return std::to_string(parm_reset(proxy, none, {"a"})); }, "1",
       {"single_reset ('a',)"}},
      {[&] { return std::to_string(parm_reset_status(proxy, none, {"a"})); },
       "1", {"single_reset_status ('a',)"}},
      {[&] { return std::to_string(parm_reset(proxy, none, {"c", "a"})); },
       "1", {"single_reset_bulk (['a', 'c'],)"}},
      {[&] {
         return std::to_string(parm_reset_status(proxy, none, {"c", "a"}));
       },
       "1", {"single_reset_status_bulk (['a', 'c'],)"}},
      {[&] { return std::to_string(parm_reset(proxy, tx, {"a"})); }, "1",
       {"reset (1, 'a')"}},
      {[&] { return std::to_string(parm_reset_status(proxy, tx, {"a"})); },
       "1", {"reset_status (1, 'a')"}},
      {[&] { return std::to_string(parm_reset(proxy, tx, {"c", "a"})); }, "1",
       {"reset_bulk (1, ['a', 'c'])"}},
      {[&] {
         return std::to_string(parm_reset_status(proxy, tx, {"c", "a"}));
       },
       "1", {"reset_status_bulk (1, ['a', 'c'])"}},
      {[&] { return check(false, ""); }, "1 no",
       {"single_check_set ('a', '')"}},
      {[&] { return check(true, "7"); }, "1 yes",
       {"check_set (1, 'a', '7')"}},
      {[&] { return std::to_string(parm_commit_sync(proxy, tx)); }, "1",
       {"commit (1,)", "end (1,)"}},
      {[&] { return describe(parm_get_(proxy, none, {}, got), got); }, "1",
       {}},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].run(), cases[i].outcome);
    EXPECT_EQ(calls(), cases[i].calls);
  }
  EXPECT_EQ(syslog.take(), std::vector<std::string>{});
}

TEST_F(ParameterAccessTest, RefusalEndsAfterOneAttempt) {
  startService();
  failNext("single_get", 1);
  ValueMap got = {{"stale", "x"}};
  EXPECT_EQ(parm_get_(proxy, {}, {"a"}, got), 0u);
  EXPECT_EQ(got, ValueMap{});
  EXPECT_EQ(calls(), std::vector<std::string>{"single_get ('a',)"});
  EXPECT_EQ(syslog.take(),
            std::vector<std::string>{
                "3 ERROR: parm_get_() - get failed (dbus_velmor_transaction: "
                "single_get refused)\n"});
}

TEST_F(ParameterAccessTest, OtherFailuresAreRepeatedUntilAnswered) {
  startService();
  failNext("single_get_bulk", 2, "no reply");
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(proxy, {}, {"a", "c"}, got), got),
            "1 a=1 c=3");
  EXPECT_EQ(calls(), std::vector<std::string>(
                         3, "single_get_bulk (2, ['a', 'c'])"));
  EXPECT_EQ(syslog.take(),
            std::vector<std::string>(
                2, "3 ERROR: parm_get_() - bulk get failed (no reply)\n"));
}

TEST_F(ParameterAccessTest, ShortBulkReplyIsAFailure) {
  startService();
  EXPECT_TRUE(dbus_g_proxy_call(control, "Truncate", nullptr, G_TYPE_STRING,
                                "single_get_bulk", G_TYPE_INT, 1,
                                G_TYPE_INVALID, G_TYPE_INVALID));
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(proxy, {}, {"a", "c"}, got), got), "0");
  EXPECT_EQ(calls().size(), 1u);
  EXPECT_EQ(syslog.take(),
            std::vector<std::string>{
                "3 ERROR: parm_get_() - bulk get failed (the reply holds 1 "
                "values for 2 names)\n"});
}

// The first attempts find no owner of the name; a child starts the service
// once the first failure has been logged.
TEST_F(ParameterAccessTest, AbsentServiceIsAwaited) {
  const std::string values = rig.writeFile("v", kValues);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char first;
    recv(syslog.fd(), &first, 1, MSG_PEEK);
    setenv("DBUS_SESSION_BUS_ADDRESS", rig.busAddress().c_str(), 1);
    execl(TXSERVICE_BINARY, TXSERVICE_BINARY, "--values", values.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(proxy, {}, {"c"}, got), got), "1 c=3");
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  const std::vector<std::string> lines = syslog.take();
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    EXPECT_EQ(line, lines[0]);
  }
  EXPECT_EQ(lines[0].rfind("3 ERROR: parm_get_() - get failed (", 0), 0u)
      << lines[0];
  EXPECT_EQ(lines[0].find(kRefusalPrefix), std::string::npos) << lines[0];
}

TEST_F(ParameterAccessTest, CommitAlwaysEndsTheTransaction) {
  startService();
  uint32_t tx = 0;
  ASSERT_EQ(parm_start(proxy, tx), 1u);
  failNext("commit", 1);
  EXPECT_EQ(parm_commit_sync(proxy, tx), 0u);
  ASSERT_EQ(parm_start(proxy, tx), 1u);
  failNext("commit", 1);
  EXPECT_EQ(parm_commit(proxy, tx), 1u);
  ASSERT_EQ(parm_start(proxy, tx), 1u);
  EXPECT_EQ(parm_set(proxy, tx, {{"a", "9"}}), 1u);
  EXPECT_EQ(parm_commit(proxy, tx), 1u);
  std::vector<std::string> seen;
  iterateUntil([&] {
    for (const std::string& call : calls()) seen.push_back(call);
    return !seen.empty() && seen.back() == "end (3,)";
  });
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "start ()", "commit (1,)", "end (1,)", "start ()",
                      "commit (2,)", "start ()", "set (3, 'a', '9')",
                      "commit (3,)", "end (2,)", "end (3,)"}));
  EXPECT_EQ(syslog.take(),
            (std::vector<std::string>{
                "3 ERROR: parm_commit_sync() - commit transaction failed "
                "(dbus_velmor_transaction: commit refused)\n",
                "3 ERROR: commitCallback() - commit transaction failed "
                "(dbus_velmor_transaction: commit refused)\n"}));
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(proxy, {}, {"a"}, got), got), "1 a=9");
}

void collect(DBusGProxy*, char** changes, gpointer data) {
  auto* seen = static_cast<std::vector<std::string>*>(data);
  for (char** change = changes; *change != nullptr; ++change) {
    seen->push_back(*change);
  }
}

TEST_F(ParameterAccessTest, SubscribedHandlerGetsEveryChange) {
  startService();
  std::vector<std::string> seen;
  EXPECT_EQ(parm_subscribe(proxy, G_CALLBACK(collect), &seen), 1u);
  emitTransaction(control, {"temp=42", "level[3]=", "no equals sign"});
  iterateUntil([&] { return seen.size() >= 3; });
  EXPECT_EQ(seen, (std::vector<std::string>{"temp=42", "level[3]=",
                                            "no equals sign"}));
}

TEST_F(ParameterAccessTest, NoProxyNoCall) {
  uint32_t tx = 7;
  bool accepted = false;
  ValueMap got = {{"stale", "x"}};
  EXPECT_EQ(parm_get_(nullptr, {}, {"a"}, got), 0u);
  EXPECT_EQ(got, ValueMap{});
  EXPECT_EQ(parm_set_(nullptr, {}, {{"a", "1"}}, false), 0u);
  EXPECT_EQ(parm_reset_(nullptr, {}, {"a"}, false), 0u);
  EXPECT_EQ(parm_check_set_(nullptr, {}, "a", "1", accepted), 0u);
  EXPECT_EQ(parm_start(nullptr, tx), 0u);
  EXPECT_EQ(parm_end(nullptr, tx), 0u);
  EXPECT_EQ(parm_commit_sync(nullptr, tx), 0u);
  EXPECT_EQ(parm_commit(nullptr, tx), 0u);
  EXPECT_EQ(parm_subscribe(nullptr, G_CALLBACK(collect), nullptr), 0u);
  EXPECT_EQ(syslog.take(), std::vector<std::string>{});
}

// The failure first: the session bus connection, once made, is shared by
// every later call in the process (and its forks).
TEST_F(ParameterAccessTest, ConnectsToTheSessionBus) {
  startService();
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
  EXPECT_EXIT(parm_connect(), ::testing::ExitedWithCode(1), "");
  const std::vector<std::string> lines = syslog.take();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "6 Connecting to Session D-Bus for Parameter Handler\n");
  EXPECT_EQ(lines[1].rfind("3 ERROR: Couldn't connect to the Session bus (",
                           0),
            0u)
      << lines[1];

  setenv("DBUS_SESSION_BUS_ADDRESS", rig.busAddress().c_str(), 1);
  DBusGProxy* connected = parm_connect();
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(connected, {}, {"a"}, got), got), "1 a=1");
  EXPECT_EQ(syslog.take(),
            std::vector<std::string>{
                "6 Connecting to Session D-Bus for Parameter Handler\n"});
}

}  // namespace
