// Black-box start-up of the real daemon: command line, trap device, session
// bus, proxy, load failure, detaching and the signals that end it.

#include <gmock/gmock.h>
#include <signal.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/rig.h"

namespace {

using StartupTest = RigTest;

TEST_F(StartupTest, RunsEndAsTheCasesSay) {
  rig.writeFile("empty.kdl", "");
  const std::vector<Case> cases =
      readCases(CASES_DIR "/startup/runs.cases",
                {{"$DIR", rig.dir()}, {"$OSTRAND", OSTRAND_BINARY}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DaemonOptions options;
    std::string out, err;
    bool errEnd = false;
    int status = 0, signal = 28;
    for (const auto& [word, rest] : c.lines) {
      if (word == "args") {
        options.args = caseWords(rest);
      } else if (word == "device") {
        options.device = rest == "missing"    ? TrapDevice::Missing
                         : rest == "readonly" ? TrapDevice::ReadOnly
                                              : TrapDevice::Failing;
      } else if (word == "signal") {
        signal = std::stoi(rest);
      } else if (word == "bus") {
        options.busAddress = rest;
      } else if (word == "out" || word == "err" || word == "err-end") {
        (word == "out" ? out : err) += rest + "\n";
        errEnd = errEnd || word == "err-end";
      } else if (word == "status") {
        status = std::stoi(rest);
      } else {
        ADD_FAILURE() << "cannot read: " << word << " " << rest;
      }
    }
    const DaemonResult r = rig.runDaemon(options, signal);
    EXPECT_EQ(r.exitStatus, status);
    EXPECT_EQ(r.device, "");
    EXPECT_EQ(r.out, out);
    EXPECT_THAT(r.err, errEnd ? ::testing::Matcher<std::string>(
                                    ::testing::EndsWith(err))
                              : err);
  }
}

// The proxy asks the bus for the service's signals under the given name,
// with the fixed object path and interface.
TEST_F(StartupTest, BusOptionNamesTheServiceOnly) {
  ASSERT_NE(rig.startHelper("monitor", {"dbus-monitor"}, "member=NameLost"),
            nullptr)
      << rig.error();
  ASSERT_TRUE(rig.startDaemon({.args = {"--bus", "com.example.other", "-d",
                                        rig.writeFile("a.kdl", "")}}));
  ASSERT_TRUE(rig.waitForMainLoop());
  const std::string rule =
      "type='signal',sender='com.example.other',path='/transaction',"
      "interface='org.velmor.transaction'";
  auto monitored = [&] { return readFile(rig.path("monitor.out")); };
  EXPECT_TRUE(waitUntil([&] {
    return monitored().find(rule) != std::string::npos;
  })) << monitored();
  rig.signalDaemon();
  EXPECT_EQ(rig.finishDaemon().exitStatus, 0);
}

TEST_F(StartupTest, WithoutDebugTheDaemonDetaches) {
  const std::string definitions = rig.writeFile("empty.kdl", "");
  // The process started by the test returns once the daemon has forked away.
  const DaemonResult parent = rig.runDaemon({.args = {definitions}});
  EXPECT_EQ(parent.exitStatus, 0);
  EXPECT_EQ(parent.out,
            "ostrand: Connecting to Session D-Bus.\n"
            "ostrand: Creating a GLib proxy object for Value.\n"
            "ostrand: Starting main loop.\n");
  pid_t daemon = -1;
  ASSERT_TRUE(waitUntil([&] {
    return (daemon = findProcessWithArgument(definitions)) > 0;
  })) << "the detached daemon is not running";
  // Not a child of the test: it must not outlive a failed test.
  std::shared_ptr<void> reaper(nullptr, [&](void*) { kill(daemon, SIGKILL); });
  const std::string proc = "/proc/" + std::to_string(daemon) + "/";
  auto links = [&] {
    std::string out;
    for (const char* name : {"cwd", "fd/0", "fd/1", "fd/2"}) {
      std::error_code ignored;
      out += std::filesystem::read_symlink(proc + name, ignored).string() + " ";
    }
    return out;
  };
  // The forked child may be found before it has moved to / and closed its
  // standard streams: wait for the detachment.
  const std::string detached = "/ /dev/null /dev/null /dev/null ";
  waitUntil([&] { return links() == detached; });
  EXPECT_EQ(links(), detached) << "cwd and standard streams";
  ASSERT_TRUE(waitUntil([&] { return catchesSignal(daemon, 28); }));
  kill(daemon, 28);
  // Whoever adopted it may be slow to reap it: a zombie has ended too.
  EXPECT_TRUE(waitUntil([&] {
    const std::string status = readFile(proc + "status");
    return status.empty() || status.find("State:\tZ") != std::string::npos;
  })) << "signal 28 did not stop the detached daemon";
}

}  // namespace
