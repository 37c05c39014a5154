// The session bus going away under the running daemon: one line in syslog
// and on standard error, then status 1, so that a supervisor restarts it.

#include <gmock/gmock.h>
#include <signal.h>

#include <string>
#include <vector>

#include "support/rig.h"
#include "support/syslog_capture.h"

namespace {

class BusLossTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The syslog capture comes first: it needs a process without threads.
    const std::string capture = syslog.setUp();
    ASSERT_EQ(capture, "") << "cannot catch syslog: " << capture;
    ASSERT_TRUE(rig.setUp()) << rig.error();
  }
  SyslogCapture syslog;
  Rig rig;
};

TEST_F(BusLossTest, SaysSoOnceAndEndsWithStatusOne) {
  // A bus of the test's own, which it can take away: the rig's is shared.
  const std::string address = "unix:path=" + rig.path("bus");
  Process* bus = rig.startHelper(
      "bus", {"dbus-daemon", "--session", "--nofork", "--print-address=1",
              "--address=" + address},
      address);
  ASSERT_NE(bus, nullptr) << rig.error();
  ASSERT_TRUE(rig.startDaemon({.args = {"-d", rig.writeFile("empty.kdl", "")},
                               .busAddress = address}))
      << rig.error();
  ASSERT_TRUE(rig.waitForMainLoop());
  bus->signal(SIGTERM);
  const DaemonResult result = rig.finishDaemon();
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_THAT(result.err,
              ::testing::EndsWith("Generating varids.\n"
                                  "ostrand: ERROR: Lost the connection to the "
                                  "Session bus (Disconnected)\n"));
  EXPECT_EQ(syslog.take(),
            std::vector<std::string>{"3 ERROR: Lost the connection to the "
                                     "Session bus (Disconnected)\n"});
}

}  // namespace
