// The end-to-end rig: the real daemon binary against a private session bus
// (a dbus-daemon of its own per test) and a stand-in for the trap device at
// /dev/usb-cs-trap that captures every byte written, inside a private mount
// namespace so that the machine's /dev is never touched. Needs root.
//
//   class MyTest : public RigTest {};
//   TEST_F(MyTest, Stops) {
//     DaemonResult r = rig.runDaemon({.args = {"-d", rig.writeFile("a.kdl", "")}});
//     EXPECT_EQ(r.exitStatus, 0);
//   }

#ifndef OSTRAND_TESTS_SUPPORT_RIG_H_
#define OSTRAND_TESTS_SUPPORT_RIG_H_

#include <gtest/gtest.h>
#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

enum class TrapDevice {
  Capture,   // a regular file that receives every record
  Missing,   // no /dev/usb-cs-trap at all
  ReadOnly,  // present, but cannot be opened for writing
  Failing,   // opens, but every write fails (no space left on device)
};

struct DaemonOptions {
  std::vector<std::string> args;  // the command line after the program name
  TrapDevice device = TrapDevice::Capture;
  // The session bus the daemon is given; the rig's own bus when absent.
  std::optional<std::string> busAddress = std::nullopt;
};

struct DaemonResult {
  int exitStatus = -1;  // exit code, 128 + signal, -1 when it hung
  std::string out;      // standard output
  std::string err;      // standard error
  std::string device;   // bytes written to the trap device
};

class Rig {
 public:
  Rig() = default;
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;
  ~Rig();

  // Makes the test's directory and starts its session bus. False, with
  // error() saying what is missing, when the machine cannot run the rig.
  bool setUp();
  const std::string& error() const { return error_; }

  const std::string& dir() const { return dir_; }
  const std::string& busAddress() const { return busAddress_; }

  // Writes `content` to `name` in the test's directory; returns its path.
  std::string writeFile(const std::string& name, const std::string& content);

  // Starts a helper process (a service stand-in, a bus monitor) on the
  // rig's bus, output in <dir>/<name>.out and .err; killed at tear-down.
  pid_t startHelper(const std::string& name, const std::vector<std::string>& argv);

  // Sends `signal` to helper `pid` and returns its exit status, as
  // waitForExit does; the rig no longer stops it at tear-down.
  int stopHelper(pid_t pid, int signal);

  // Starts the transaction service stand-in on the rig's bus as helper
  // `name`, with `args`, and waits until it owns its bus name. Its pid, or
  // -1 with error() saying why when it did not get there.
  pid_t startService(const std::vector<std::string>& args = {},
                     const std::string& name = "txservice");

  // Starts build/ostrand with `options`. False when it could not be started.
  bool startDaemon(const DaemonOptions& options);
  // Waits until the daemon has started its main loop and its quit handler
  // is in place. False when it ended before that (or hung).
  bool waitForMainLoop();
  // Sends `signal` to the daemon; 28 is its orderly stop.
  void signalDaemon(int signal = 28);
  // Waits for the daemon to end and collects what it left.
  DaemonResult finishDaemon();

  // The whole round: start; if the main loop starts, quit it; collect.
  DaemonResult runDaemon(const DaemonOptions& options);

 private:
  bool startBus();
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  std::string error_;
  std::string dir_;
  std::string busAddress_;
  pid_t busPid_ = -1;
  pid_t daemonPid_ = -1;
  int daemonRun_ = 0;
  std::vector<pid_t> helpers_;
};

// A fixture whose SetUp fails the test, with the reason, when the rig
// cannot be set up; the test never passes without having run.
class RigTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.setUp()) << rig.error(); }
  Rig rig;
};

#endif  // OSTRAND_TESTS_SUPPORT_RIG_H_
