// The session bus going away under the running daemon, idle or waiting for
// the service's answer: it says so in syslog and on standard error, then
// ends with status 1, so that a supervisor restarts it.

#include <gmock/gmock.h>
#include <signal.h>

#include <string>
#include <vector>

#include "support/rig.h"

namespace {

const char kLost[] =
    "ERROR: Lost the connection to the Session bus (Disconnected)\n";

class BusLossTest : public LoggedRigTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(LoggedRigTest::SetUp());
    // A bus of the test's own, which it can take away: the rig's is shared.
    address = "unix:path=" + rig.path("bus");
    bus = rig.startHelper(
        "bus", {"dbus-daemon", "--session", "--nofork", "--print-address=1",
                "--address=" + address},
        address);
    ASSERT_NE(bus, nullptr) << rig.error();
  }

  void startDaemon(const std::string& definitions) {
    ASSERT_TRUE(rig.startDaemon({.args = {"-d", definitions},
                                 .busAddress = address}))
        << rig.error();
    ASSERT_TRUE(rig.waitForMainLoop());
  }

  // The bus taken away: the daemon's status and standard error, and what
  // it logged.
  void expectEnd(const std::vector<std::string>& logged) {
    bus->signal(SIGTERM);
    const DaemonResult result = rig.finishDaemon();
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_THAT(result.err,
                ::testing::EndsWith("Generating varids.\nostrand: " +
                                    std::string(kLost)));
    EXPECT_EQ(syslog.take(), logged);
  }

  std::string address;
  Process* bus = nullptr;
};

TEST_F(BusLossTest, WhileIdle) {
  ASSERT_NO_FATAL_FAILURE(startDaemon(rig.writeFile("empty.kdl", "")));
  expectEnd({std::string("3 ") + kLost});
}

// The call in progress fails, as every failed call does, and is not made
// again: the bus will not come back to the daemon.
TEST_F(BusLossTest, WhileWaitingForTheService) {
  const std::string card = CASES_DIR "/signals/card";
  ASSERT_NE(rig.startHelper("service",
                            {"env", "DBUS_SESSION_BUS_ADDRESS=" + address,
                             TXSERVICE_BINARY, "--values", card + ".values"},
                            "txservice: ready\n"),
            nullptr)
      << rig.error();
  rig.orderOn(address);
  rig.order("Delay", g_variant_new("(su)", "single_get_bulk", 600000));
  ASSERT_NO_FATAL_FAILURE(startDaemon(card + ".kdl"));
  // temp's rule reads limit and its record name: one bulk get, answered
  // only after the bus is gone. Signals go out until the daemon has
  // subscribed.
  ASSERT_TRUE(waitUntil([&] {
    rig.emit({"temp=42"});
    return !rig.serviceCalls(false).empty();
  }));
  expectEnd({"3 ERROR: parm_get_() - bulk get failed (Connection was "
             "disconnected before a reply was received)\n",
             std::string("3 ") + kLost});
}

}  // namespace
