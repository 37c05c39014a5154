#include "support/rig.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/private_bus.h"
#include "support/process.h"

namespace {

const char kMainLoopBanner[] = "ostrand: Starting main loop.\n";
const int kQuitSignal = 28;

void stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

Rig::~Rig() {
  stop(daemonPid_);
  for (pid_t helper : helpers_) stop(helper);
  if (busPid_ > 0) {
    kill(busPid_, SIGTERM);
    waitForExit(busPid_);
  }
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

bool Rig::setUp() {
  if (geteuid() != 0) {
    error_ = "the end-to-end tests must run as root: the trap device stand-in "
             "mounts over /dev/usb-cs-trap in a private mount namespace";
    return false;
  }
  for (const char* binary : {OSTRAND_BINARY, TRAPDEV_BINARY, TXSERVICE_BINARY}) {
    if (!isExecutable(binary)) {
      error_ = std::string("not built: ") + binary;
      return false;
    }
  }
  char tmpl[] = "/tmp/ostrand-test-XXXXXX";
  if (mkdtemp(tmpl) == nullptr) {
    error_ = "cannot create a directory under /tmp";
    return false;
  }
  dir_ = tmpl;
  return startBus();
}

bool Rig::startBus() {
  busPid_ = startPrivateBus(dir_, &busAddress_, &error_);
  return busPid_ > 0;
}

std::string Rig::writeFile(const std::string& name, const std::string& content) {
  ::writeFile(path(name), content);
  return path(name);
}

pid_t Rig::startHelper(const std::string& name, const std::vector<std::string>& argv) {
  pid_t pid = spawnProcess(argv, {{"DBUS_SESSION_BUS_ADDRESS", busAddress_}},
                           path(name + ".out"), path(name + ".err"), &error_);
  if (pid > 0) helpers_.push_back(pid);
  return pid;
}

int Rig::stopHelper(pid_t pid, int signal) {
  helpers_.erase(std::remove(helpers_.begin(), helpers_.end(), pid),
                 helpers_.end());
  kill(pid, signal);
  return waitForExit(pid);
}

pid_t Rig::startService(const std::vector<std::string>& args,
                        const std::string& name) {
  const pid_t pid = startServiceStandIn(args, busAddress_, path(name + ".out"),
                                        path(name + ".err"), &error_);
  if (pid > 0) helpers_.push_back(pid);
  return pid;
}

bool Rig::startDaemon(const DaemonOptions& options) {
  ++daemonRun_;
  std::string run = "daemon" + std::to_string(daemonRun_);
  std::string scratch = path(run + ".scratch");
  std::filesystem::create_directory(scratch);
  std::vector<std::string> argv = {TRAPDEV_BINARY, "--scratch", scratch};
  switch (options.device) {
    case TrapDevice::Capture:
    case TrapDevice::ReadOnly:
      ::writeFile(path("device"), "");
      argv.insert(argv.end(), {"--device", path("device")});
      if (options.device == TrapDevice::ReadOnly) argv.push_back("--readonly");
      break;
    case TrapDevice::Missing:
      argv.push_back("--missing");
      break;
    case TrapDevice::Failing:
      argv.insert(argv.end(), {"--device", "/dev/full"});
      break;
  }
  argv.insert(argv.end(), {"--", OSTRAND_BINARY});
  argv.insert(argv.end(), options.args.begin(), options.args.end());
  ::writeFile(path("daemon.out"), "");
  ::writeFile(path("daemon.err"), "");
  daemonPid_ = spawnProcess(
      argv, {{"DBUS_SESSION_BUS_ADDRESS", options.busAddress.value_or(busAddress_)}},
      path("daemon.out"), path("daemon.err"), &error_);
  return daemonPid_ > 0;
}

bool Rig::waitForMainLoop() {
  // The banner comes just before the quit handler is installed; a signal
  // sent in between would be ignored, so wait for the handler as well.
  bool ended = false;
  bool ready = waitUntil([&] {
    if (readFile(path("daemon.out")).find(kMainLoopBanner) != std::string::npos &&
        catchesSignal(daemonPid_, kQuitSignal)) {
      return true;
    }
    ended = hasEnded(daemonPid_);
    return ended;
  });
  return ready && !ended;
}

void Rig::signalDaemon(int signal) { kill(daemonPid_, signal); }

DaemonResult Rig::finishDaemon() {
  DaemonResult result;
  result.exitStatus = waitForExit(daemonPid_);
  daemonPid_ = -1;
  result.out = readFile(path("daemon.out"));
  result.err = readFile(path("daemon.err"));
  result.device = readFile(path("device"));
  return result;
}

DaemonResult Rig::runDaemon(const DaemonOptions& options) {
  if (!startDaemon(options)) return {};
  if (waitForMainLoop()) signalDaemon(kQuitSignal);
  return finishDaemon();
}
