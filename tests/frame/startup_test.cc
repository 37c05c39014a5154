// Black-box start-up of the real daemon: command line, trap device, session
// bus, proxy, load failure, detaching and the signals that end it.

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frame/progress_lines.h"
#include "support/process.h"
#include "support/rig.h"

namespace {

const char kUsage[] =
    "Usage: ostrand [OPTION...] mib_definition_file\n"
    "Try `ostrand --help' or `ostrand --usage' for more information.\n";
const int kArgpUsageStatus = 64;

class StartupTest : public RigTest {
 protected:
  std::string emptyDefinitions() { return rig.writeFile("empty.kdl", ""); }
};

TEST_F(StartupTest, CommandLineErrorsEndBeforeAnythingIsOpened) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{}, kUsage},
      {{"-d"}, kUsage},
      {{"a.kdl", "b.kdl"}, kUsage},
      {{"-x", "a.kdl"},
       std::string(OSTRAND_BINARY) + ": invalid option -- 'x'\n" +
           "Try `ostrand --help' or `ostrand --usage' for more information.\n"},
      {{"a.kdl", "-b"},
       std::string(OSTRAND_BINARY) + ": option requires an argument -- 'b'\n" +
           "Try `ostrand --help' or `ostrand --usage' for more information.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    DaemonResult r = rig.runDaemon({.args = c.args});
    EXPECT_EQ(r.exitStatus, kArgpUsageStatus);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(StartupTest, VersionAndHelp) {
  DaemonResult version = rig.runDaemon({.args = {"--version"}});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out, "ostrand 2.11 quarry trunk 399\n");
  EXPECT_EQ(version.err, "");

  DaemonResult help = rig.runDaemon({.args = {"--help"}});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.out,
            "Usage: ostrand [OPTION...] mib_definition_file\n"
            "ostrand -- USB command/status trap handler\n"
            "\n"
            "  -b, --bus=STRING           D-Bus (well-known) bus name\n"
            "  -d, --debug                Allow debugging - do not daemonize\n"
            "  -?, --help                 Give this help list\n"
            "      --usage                Give a short usage message\n"
            "  -V, --version              Print program version\n"
            "\n"
            "Mandatory or optional arguments to long options are also mandatory or "
            "optional\n"
            "for any corresponding short options.\n"
            "\n"
            "Report bugs to .\n");
}

TEST_F(StartupTest, DebugRunEndsOnlyBySignal28WithStatusZero) {
  struct Case {
    int signal;
    int status;
  };
  // Only signal 28 is the daemon's own; the others keep their default
  // action and kill it.
  for (const Case& c : {Case{28, 0}, Case{SIGTERM, 128 + SIGTERM},
                        Case{SIGINT, 128 + SIGINT}}) {
    SCOPED_TRACE(c.signal);
    ASSERT_TRUE(rig.startDaemon({.args = {"-d", emptyDefinitions()}}));
    ASSERT_TRUE(rig.waitForMainLoop());
    rig.signalDaemon(c.signal);
    DaemonResult r = rig.finishDaemon();
    EXPECT_EQ(r.exitStatus, c.status);
    EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy + kStartingLoop);
    EXPECT_EQ(r.err, kLoaded);
    EXPECT_EQ(r.device, "");
  }
}

TEST_F(StartupTest, TrapDeviceThatCannotBeOpenedEndsBeforeTheBus) {
  // The definition file does not exist either: the device is opened first.
  for (TrapDevice device : {TrapDevice::Missing, TrapDevice::ReadOnly}) {
    SCOPED_TRACE(static_cast<int>(device));
    DaemonResult r = rig.runDaemon(
        {.args = {"-d", rig.dir() + "/absent.kdl"}, .device = device});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "ostrand: ERROR: Failed to open usb trap device (Unknown)\n");
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(StartupTest, DeviceThatFailsWritesStillStarts) {
  DaemonResult r = rig.runDaemon(
      {.args = {"-d", emptyDefinitions()}, .device = TrapDevice::Failing});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy + kStartingLoop);
}

TEST_F(StartupTest, NoSessionBus) {
  std::string socket = rig.dir() + "/no-bus";
  DaemonResult r = rig.runDaemon({.args = {"-d", emptyDefinitions()},
                                  .busAddress = "unix:path=" + socket});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, kConnecting);
  EXPECT_EQ(r.err,
            "ostrand: ERROR: ostrand: Couldn't connect to the Session bus "
            "(Failed to connect to socket " + socket +
                ": No such file or directory)\n");
}

TEST_F(StartupTest, InvalidBusNameGivesNoProxy) {
  DaemonResult r =
      rig.runDaemon({.args = {"-d", "-b", "not..a.name", emptyDefinitions()}});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy);
  // GLib's own warning about the name comes first; the daemon's line ends it.
  const std::string last =
      "ostrand: ERROR: ostrand: Couldn't create the proxy object "
      "(Unknown(dbus_g_proxy_new_for_name))\n";
  ASSERT_GE(r.err.size(), last.size());
  EXPECT_EQ(r.err.substr(r.err.size() - last.size()), last);
}

TEST_F(StartupTest, MissingDefinitionFileStopsTheLoad) {
  std::string missing = rig.dir() + "/absent.kdl";
  DaemonResult r = rig.runDaemon({.args = {"-d", missing}});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy);
  EXPECT_EQ(r.err, "Could not open file " + missing + ": No such file or directory\n");
}

TEST_F(StartupTest, BusOptionNamesTheServiceOnly) {
  std::string monitorOut = rig.dir() + "/monitor.out";
  ASSERT_GT(rig.startHelper("monitor", {"dbus-monitor"}), 0) << rig.error();
  ASSERT_TRUE(waitUntil([&] {
    return readFile(monitorOut).find("member=NameLost") != std::string::npos;
  })) << "dbus-monitor did not attach to the test bus";

  ASSERT_TRUE(rig.startDaemon({.args = {"--bus", "com.example.other", "-d",
                                         emptyDefinitions()}}));
  ASSERT_TRUE(rig.waitForMainLoop());
  // The proxy asks the bus for the service's signals under that name, with
  // the fixed object path and interface.
  const std::string rule =
      "type='signal',sender='com.example.other',path='/transaction',"
      "interface='org.velmor.transaction'";
  EXPECT_TRUE(waitUntil(
      [&] { return readFile(monitorOut).find(rule) != std::string::npos; }))
      << readFile(monitorOut);
  rig.signalDaemon();
  EXPECT_EQ(rig.finishDaemon().exitStatus, 0);
}

TEST_F(StartupTest, WithoutDebugTheDaemonDetaches) {
  std::string definitions = emptyDefinitions();
  DaemonResult parent = rig.runDaemon({.args = {definitions}});
  // The process started by the test returns once the daemon has forked away.
  EXPECT_EQ(parent.exitStatus, 0);
  EXPECT_EQ(parent.out, std::string(kConnecting) + kCreatingProxy + kStartingLoop);

  pid_t daemon = -1;
  ASSERT_TRUE(waitUntil([&] {
    daemon = findProcessWithArgument(definitions);
    return daemon > 0;
  })) << "the detached daemon is not running";
  std::string proc = "/proc/" + std::to_string(daemon);
  // Not a child of the test: make sure it does not outlive a failed test.
  std::unique_ptr<pid_t, void (*)(pid_t*)> reaper(&daemon, [](pid_t* pid) {
    kill(*pid, SIGKILL);
  });
  // The forked child may be found before it has moved to / and closed its
  // standard streams: wait for the detachment, then check each link.
  auto link = [&](const std::string& name) {
    std::error_code ignored;
    return std::filesystem::read_symlink(proc + "/" + name, ignored).string();
  };
  auto detached = [&] {
    return link("cwd") == "/" && link("fd/0") == "/dev/null" &&
           link("fd/1") == "/dev/null" && link("fd/2") == "/dev/null";
  };
  waitUntil(detached);
  EXPECT_EQ(link("cwd"), "/");
  for (const char* fd : {"fd/0", "fd/1", "fd/2"}) EXPECT_EQ(link(fd), "/dev/null") << fd;
  ASSERT_TRUE(waitUntil([&] { return catchesSignal(daemon, 28); }));
  kill(daemon, 28);
  // Whoever adopted it may be slow to reap it: a zombie has ended too.
  EXPECT_TRUE(waitUntil([&] {
    std::string status = readFile(proc + "/status");
    return status.empty() || status.find("State:\tZ") != std::string::npos;
  }))
      << "signal 28 did not stop the detached daemon";
}

}  // namespace
