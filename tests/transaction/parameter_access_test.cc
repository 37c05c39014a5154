// The parameter access layer against the service stand-in on a private
// bus, with what it logs caught at a private /dev/log.

#include "transaction/parameter_access.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <string>
#include <thread>
#include <vector>

#include "support/rig.h"
#include "transaction/service_calls.h"

namespace {

using Lines = std::vector<std::string>;

// The service's initial values: b has an empty value, d none at all.
const char kValues[] = "a=1\nb=\nc=3\n";

std::string describe(unsigned result, const ValueMap& values) {
  std::string out = std::to_string(result);
  for (const auto& [name, value] : values) out += " " + name + "=" + value;
  return out;
}

class ParameterAccessTest : public LoggedRigTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(LoggedRigTest::SetUp());
    DBusGConnection* connection = connectToBus(rig.busAddress());
    ASSERT_NE(connection, nullptr) << "cannot connect to " << rig.busAddress();
    proxy = dbus_g_proxy_new_for_name(connection, kServiceName, kServicePath,
                                      kServiceInterface);
  }
  void TearDown() override { g_clear_object(&proxy); }

  void startService() {
    ASSERT_NE(rig.startService({"--values", rig.writeFile("v", kValues)}),
              nullptr)
        << rig.error();
  }

  DBusGProxy* proxy = nullptr;
};

// Every method of the service, each through the operation that uses it, in
// transaction 1 and outside any, names sorted; then a refusal ends an
// operation at once, other failures are logged and the call made again
// until answered, a short bulk reply is a failure, and a commit, answered
// or not, ends its transaction. Each operation's result, the values it
// read, its calls and its log lines are compared with
// tests/cases/parameter_access/operations.out.
TEST_F(ParameterAccessTest, OperationsCallTheirMethodsAndLogFailures) {
  startService();
  uint32_t tx = 0;
  ValueMap got = {{"stale", "x"}};
  bool ok = true;
  const ValueMap one = {{"a", "5"}}, two = {{"b", "6"}, {"a", "5"}};
  const NameSet a = {"a"}, ca = {"c", "a"};
  const TransactionRef none;
  std::string seen;
  auto note = [&](unsigned result, bool read = false) {
    seen += (read ? describe(result, got) : std::to_string(result)) +
            (ok ? "" : " rejected");
    for (const std::string& call : rig.serviceCalls(true)) seen += " | " + call;
    seen += "\n";
    for (const std::string& line : syslog.take()) seen += "  log " + line;
    got = {{"stale", "x"}};
    ok = true;
  };
  auto noteGet = [&](unsigned result) { note(result, true); };
  note(parm_start(proxy, tx) * 10 + tx);
  noteGet(parm_get_(proxy, none, a, got));
  noteGet(parm_get(proxy, none, {"b", "a"}, got));
  noteGet(parm_get_(proxy, tx, {"c"}, got));
  noteGet(parm_get_(proxy, tx, {"c", "d"}, got));
  noteGet(parm_get_(proxy, none, {}, got));
  note(parm_check_set(proxy, none, "a", "", ok));
  note(parm_check_set(proxy, tx, "a", "7", ok));
  for (const TransactionRef t : {none, TransactionRef(tx)}) {
    note(parm_set(proxy, t, one));
    note(parm_set_status(proxy, t, one));
    note(parm_set(proxy, t, two));
    note(parm_set_status(proxy, t, two));
    note(parm_reset(proxy, t, a));
    note(parm_reset_status(proxy, t, a));
    note(parm_reset(proxy, t, ca));
    note(parm_reset_status(proxy, t, ca));
  }
  note(parm_commit_sync(proxy, tx));
  rig.order("Refuse", g_variant_new("(si)", "single_get", 1));
  noteGet(parm_get_(proxy, none, a, got));
  rig.order("Fail", g_variant_new("(sis)", "single_get_bulk", 2, "no reply"));
  noteGet(parm_get_(proxy, none, ca, got));
  rig.order("Truncate", g_variant_new("(si)", "single_get_bulk", 1));
  noteGet(parm_get_(proxy, none, ca, got));
  rig.order("Refuse", g_variant_new("(si)", "commit", 2));
  for (int commits = 0; commits < 3; ++commits) {
    note(parm_start(proxy, tx) * 10 + tx);
    if (commits == 2) note(parm_set(proxy, tx, {{"a", "9"}}));
    note(commits == 0 ? parm_commit_sync(proxy, tx) : parm_commit(proxy, tx));
  }
  // The replies of the asynchronous commits come through the main loop.
  EXPECT_TRUE(waitUntil([&] {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    return rig.serviceCalls(false).size() == 2;
  }));
  note(1);  // what the main loop brought
  noteGet(parm_get_(proxy, none, a, got));
  EXPECT_EQ(seen, readFile(CASES_DIR "/parameter_access/operations.out"));
}

// The first attempts find no owner of the name; the service starts once the
// first failure has been logged.
TEST_F(ParameterAccessTest, AbsentServiceIsAwaited) {
  std::thread starter([&] {
    pollfd logged = {syslog.fd(), POLLIN, 0};
    poll(&logged, 1, kGuardMilliseconds);
    startService();
  });
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(proxy, {}, {"c"}, got), got), "1 c=3");
  starter.join();
  const Lines lines = syslog.take();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines, Lines(lines.size(), lines[0]));
  EXPECT_EQ(lines[0].rfind("3 ERROR: parm_get_() - get failed (", 0), 0u);
  EXPECT_EQ(lines[0].find(kRefusalPrefix), std::string::npos) << lines[0];
}

TEST_F(ParameterAccessTest, NoProxyNoCall) {
  uint32_t tx = 7;
  bool accepted = false;
  ValueMap got = {{"stale", "x"}};
  EXPECT_EQ(parm_get_(nullptr, {}, {"a"}, got), 0u);
  EXPECT_EQ(got, ValueMap{});
  EXPECT_EQ(parm_set_(nullptr, {}, {{"a", "1"}}, false) +
                parm_reset_(nullptr, {}, {"a"}, false) +
                parm_check_set_(nullptr, {}, "a", "1", accepted) +
                parm_start(nullptr, tx) + parm_end(nullptr, tx) +
                parm_commit_sync(nullptr, tx) + parm_commit(nullptr, tx) +
                parm_subscribe(nullptr, nullptr, nullptr),
            0u);
  EXPECT_EQ(syslog.take(), Lines{});
}

// The failure first, while the process has no thread to trouble the fork;
// the session bus connection, once made, is shared by every later call.
TEST_F(ParameterAccessTest, ConnectsToTheSessionBus) {
  const std::string address = rig.busAddress();
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
  EXPECT_EXIT(parm_connect(), ::testing::ExitedWithCode(1), "");
  const Lines lines = syslog.take();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "6 Connecting to Session D-Bus for Parameter Handler\n");
  EXPECT_EQ(lines[1].rfind("3 ERROR: Couldn't connect to the Session bus (", 0),
            0u)
      << lines[1];

  setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  startService();
  ValueMap got;
  EXPECT_EQ(describe(parm_get_(parm_connect(), {}, {"a"}, got), got), "1 a=1");
  EXPECT_EQ(syslog.take(),
            Lines{"6 Connecting to Session D-Bus for Parameter Handler\n"});
}

}  // namespace
