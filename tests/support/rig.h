// The end-to-end rig: the real daemon on a private session bus (GLib's
// GTestDBus; children inherit its address) with a stand-in for the trap
// device at /dev/usb-cs-trap in a private mount namespace, so that the
// machine's /dev is never touched. Needs root. Files live in a directory
// of the test's own, named by path().

#ifndef OSTRAND_TESTS_SUPPORT_RIG_H_
#define OSTRAND_TESTS_SUPPORT_RIG_H_

#include <dbus/dbus-glib.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/syslog_capture.h"

enum class TrapDevice {
  Capture,   // path("device"), a regular file receiving every record
  Missing,   // no /dev/usb-cs-trap at all
  ReadOnly,  // present, but cannot be opened for writing
  Failing,   // opens, but every write fails (no space left on device)
  Fifo,      // path("device") a FIFO, its reading end held by the rig
};

struct DaemonOptions {
  std::vector<std::string> args;  // the command line after the program name
  TrapDevice device = TrapDevice::Capture;
  std::optional<std::string> busAddress = std::nullopt;  // else the rig's
};

struct DaemonResult {
  int exitStatus = -1;           // as Process::wait gives it
  std::string out, err, device;  // standard output, error, device bytes
};

class Rig {
 public:
  ~Rig();
  // False, with error() saying what is missing, when the machine cannot
  // run the rig.
  bool setUp();
  const std::string& error() const { return error_; }
  const std::string& dir() const { return dir_; }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  std::string busAddress() const { return g_test_dbus_get_bus_address(bus_); }
  std::string writeFile(const std::string& name, const std::string& content);

  // A helper (a service stand-in, a bus monitor), output in
  // path(name + ".out") and ".err", killed at tear-down, once its output
  // holds `ready`; null, with error(), when it did not get there.
  Process* startHelper(const std::string& name,
                       const std::vector<std::string>& argv,
                       const std::string& ready = "");
  // The service stand-in, once it owns its bus name.
  Process* startService(const std::vector<std::string>& args = {},
                        const std::string& name = "txservice");

  // build/ostrand under trapdev; false, with error(), when it did not start.
  bool startDaemon(const DaemonOptions& options);
  // True once the main loop runs with its quit handler in place; false when
  // the daemon ended before that (or hung).
  bool waitForMainLoop();
  void signalDaemon(int signal = 28) { daemon_->signal(signal); }
  pid_t daemonPid() const { return daemon_->pid(); }
  DaemonResult finishDaemon();
  // Start; once the main loop runs, send `signal`; collect. A daemon that
  // hangs before is killed.
  DaemonResult runDaemon(const DaemonOptions& options, int signal = 28);
  // With TrapDevice::Fifo: the bytes in the FIFO once some have come
  // (none when nothing came within the guard), then the reading end closed
  // for good, so that later writes find no reader.
  std::string readFifoAndClose();

  // Orders to the service stand-in through its control interface
  // (tools/txservice/control_calls.h) on a connection of the rig's own,
  // made at the first order; a failed order fails the test. `arguments` is
  // a floating tuple: order("Refuse", g_variant_new("(si)", "get", 1)).
  void order(const char* method, GVariant* arguments = nullptr);
  // The service calls received since the record was cleared, as the
  // stand-in writes them ("single_get ('a',)"), the record then cleared
  // when `clear` (a call arriving meanwhile is lost).
  std::vector<std::string> serviceCalls(bool clear);
  // The service emits the transaction signal with `changes` as they are.
  void emit(const std::vector<std::string>& changes);
  // From now on the orders go to a stand-in on the bus at `address`, one
  // the test runs itself instead of the rig's.
  void orderOn(const std::string& address);

 private:
  GVariant* callControl(const char* method, GVariant* arguments);
  bool makeFifo();

  std::string error_;
  std::string dir_;
  GTestDBus* bus_ = nullptr;
  GDBusConnection* control_ = nullptr;
  std::unique_ptr<Process> daemon_;
  TrapDevice device_ = TrapDevice::Capture;
  int fifoReader_ = -1;
  std::vector<std::unique_ptr<Process>> helpers_;
};

// A libdbus connection of the caller's own to the bus at `address`, for the
// daemon's client code (libdbus reads the session bus address only once per
// process, so its shared connection cannot follow a test's bus); null when
// it fails.
DBusGConnection* connectToBus(const std::string& address);

// A fixture whose SetUp fails the test, with the reason, when the rig
// cannot be set up; the test never passes without having run.
class RigTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.setUp()) << rig.error(); }
  Rig rig;
};

// A rig whose tests also catch what the code under test sends to syslog.
class LoggedRigTest : public ::testing::Test {
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

#endif  // OSTRAND_TESTS_SUPPORT_RIG_H_
