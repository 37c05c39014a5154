// Black-box start-up of the real daemon: command line, trap device, session
// bus, proxy, load failure, detaching and the signals that end it.

#include <gmock/gmock.h>
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

const std::string kUsageLine =
    "Usage: ostrand [OPTION...] mib_definition_file\n";
const std::string kTryHelp =
    "Try `ostrand --help' or `ostrand --usage' for more information.\n";

class StartupTest : public RigTest {
 protected:
  std::string emptyDefinitions() { return rig.writeFile("empty.kdl", ""); }

  // The daemon run with `options` ends with `status` before its main loop,
  // having printed `out` and `err`.
  void expectEnd(const DaemonOptions& options, int status,
                 const std::string& out,
                 const ::testing::Matcher<std::string>& err) {
    SCOPED_TRACE(::testing::PrintToString(options.args) + " device " +
                 std::to_string(static_cast<int>(options.device)));
    DaemonResult r = rig.runDaemon(options);
    EXPECT_EQ(r.exitStatus, status);
    EXPECT_EQ(r.out, out);
    EXPECT_THAT(r.err, err);
  }
};

TEST_F(StartupTest, UsageVersionAndHelpEndBeforeAnythingIsOpened) {
  const std::string binary = OSTRAND_BINARY;
  const int kUsageStatus = 64;  // argp's
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"-d"}, {"a.kdl", "b.kdl"}}) {
    expectEnd({.args = args}, kUsageStatus, "", kUsageLine + kTryHelp);
  }
  expectEnd({.args = {"-x", "a.kdl"}}, kUsageStatus, "",
            binary + ": invalid option -- 'x'\n" + kTryHelp);
  expectEnd({.args = {"a.kdl", "-b"}}, kUsageStatus, "",
            binary + ": option requires an argument -- 'b'\n" + kTryHelp);
  expectEnd({.args = {"--version"}}, 0, "ostrand 2.11 quarry trunk 399\n", "");
  expectEnd({.args = {"--help"}}, 0,
            kUsageLine +
                "ostrand -- USB command/status trap handler\n"
                "\n"
                "  -b, --bus=STRING           D-Bus (well-known) bus name\n"
                "  -d, --debug                Allow debugging - do not "
                "daemonize\n"
                "  -?, --help                 Give this help list\n"
                "      --usage                Give a short usage message\n"
                "  -V, --version              Print program version\n"
                "\n"
                "Mandatory or optional arguments to long options are also "
                "mandatory or optional\n"
                "for any corresponding short options.\n"
                "\n"
                "Report bugs to .\n",
            "");
}

// Each start-up step in turn fails; what was printed shows how far it got.
TEST_F(StartupTest, FailedStepEndsWithStatus1) {
  const std::string absent = rig.dir() + "/absent.kdl";
  // The definition file does not exist either: the device comes first.
  for (TrapDevice device : {TrapDevice::Missing, TrapDevice::ReadOnly}) {
    expectEnd({.args = {"-d", absent}, .device = device}, 1, "",
              "ostrand: ERROR: Failed to open usb trap device (Unknown)\n");
  }
  const std::string socket = rig.dir() + "/no-bus";
  expectEnd(
      {.args = {"-d", emptyDefinitions()}, .busAddress = "unix:path=" + socket},
      1, kConnecting,
      "ostrand: ERROR: ostrand: Couldn't connect to the Session bus (Failed "
      "to connect to socket " +
          socket + ": No such file or directory)\n");
  // GLib's own warning about the name comes first; the daemon's line ends it.
  expectEnd({.args = {"-d", "-b", "not..a.name", emptyDefinitions()}}, 1,
            kLoading,
            ::testing::EndsWith(
                "ostrand: ERROR: ostrand: Couldn't create the proxy object "
                "(Unknown(dbus_g_proxy_new_for_name))\n"));
  expectEnd({.args = {"-d", absent}}, 1, kLoading,
            "Could not open file " + absent + ": No such file or directory\n");
}

TEST_F(StartupTest, DebugRunEndsOnlyBySignal28WithStatusZero) {
  struct Case {
    int signal;
    int status;
    TrapDevice device;
  };
  // Only signal 28 is the daemon's own; the others keep their default
  // action and kill it. A device that refuses every write is no reason not
  // to start.
  for (const Case& c :
       {Case{28, 0, TrapDevice::Capture}, Case{28, 0, TrapDevice::Failing},
        Case{SIGTERM, 128 + SIGTERM, TrapDevice::Capture},
        Case{SIGINT, 128 + SIGINT, TrapDevice::Capture}}) {
    SCOPED_TRACE(::testing::Message()
                 << c.signal << " device " << static_cast<int>(c.device));
    ASSERT_TRUE(rig.startDaemon(
        {.args = {"-d", emptyDefinitions()}, .device = c.device}));
    ASSERT_TRUE(rig.waitForMainLoop());
    rig.signalDaemon(c.signal);
    DaemonResult r = rig.finishDaemon();
    EXPECT_EQ(r.exitStatus, c.status);
    EXPECT_EQ(r.out, kStarted);
    EXPECT_EQ(r.err, kLoaded);
    EXPECT_EQ(r.device, "");
  }
}

TEST_F(StartupTest, BusOptionNamesTheServiceOnly) {
  std::string monitorOut = rig.dir() + "/monitor.out";
  ASSERT_GT(rig.startHelper("monitor", {"dbus-monitor"}), 0) << rig.error();
  ASSERT_TRUE(waitUntil([&] {
    return readFile(monitorOut).find("member=NameLost") != std::string::npos;
  })) << "dbus-monitor did not attach to the test bus";

  ASSERT_TRUE(rig.startDaemon(
      {.args = {"--bus", "com.example.other", "-d", emptyDefinitions()}}));
  ASSERT_TRUE(rig.waitForMainLoop());
  // The proxy asks the bus for the service's signals under that name, with
  // the fixed object path and interface.
  const std::string rule =
      "type='signal',sender='com.example.other',path='/transaction',"
      "interface='org.velmor.transaction'";
  EXPECT_TRUE(waitUntil([&] {
    return readFile(monitorOut).find(rule) != std::string::npos;
  })) << readFile(monitorOut);
  rig.signalDaemon();
  EXPECT_EQ(rig.finishDaemon().exitStatus, 0);
}

TEST_F(StartupTest, WithoutDebugTheDaemonDetaches) {
  std::string definitions = emptyDefinitions();
  DaemonResult parent = rig.runDaemon({.args = {definitions}});
  // The process started by the test returns once the daemon has forked away.
  EXPECT_EQ(parent.exitStatus, 0);
  EXPECT_EQ(parent.out, kStarted);

  pid_t daemon = -1;
  ASSERT_TRUE(waitUntil([&] {
    return (daemon = findProcessWithArgument(definitions)) > 0;
  })) << "the detached daemon is not running";
  // Not a child of the test: make sure it does not outlive a failed test.
  std::unique_ptr<pid_t, void (*)(pid_t*)> reaper(
      &daemon, [](pid_t* pid) { kill(*pid, SIGKILL); });
  std::string proc = "/proc/" + std::to_string(daemon);
  auto link = [&](const std::string& name) {
    std::error_code ignored;
    return std::filesystem::read_symlink(proc + "/" + name, ignored).string();
  };
  // The forked child may be found before it has moved to / and closed its
  // standard streams: wait for the detachment, then check each link.
  waitUntil([&] {
    return link("cwd") == "/" && link("fd/0") == "/dev/null" &&
           link("fd/1") == "/dev/null" && link("fd/2") == "/dev/null";
  });
  EXPECT_EQ(link("cwd"), "/");
  for (const char* fd : {"fd/0", "fd/1", "fd/2"}) {
    EXPECT_EQ(link(fd), "/dev/null") << fd;
  }
  ASSERT_TRUE(waitUntil([&] { return catchesSignal(daemon, 28); }));
  kill(daemon, 28);
  // Whoever adopted it may be slow to reap it: a zombie has ended too.
  EXPECT_TRUE(waitUntil([&] {
    std::string status = readFile(proc + "/status");
    return status.empty() || status.find("State:\tZ") != std::string::npos;
  })) << "signal 28 did not stop the detached daemon";
}

}  // namespace
