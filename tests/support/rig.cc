#include "support/rig.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

const int kQuitSignal = 28;

// Why the rig cannot run here, or empty.
std::string missing() {
  if (geteuid() != 0) {
    return "the end-to-end tests must run as root: the trap device stand-in "
           "mounts over /dev/usb-cs-trap in a private mount namespace";
  }
  for (const char* binary :
       {OSTRAND_BINARY, TRAPDEV_BINARY, TXSERVICE_BINARY}) {
    if (access(binary, X_OK) != 0) return std::string("not built: ") + binary;
  }
  // GTestDBus would abort the whole process without it.
  g_autofree gchar* daemon = g_find_program_in_path("dbus-daemon");
  return daemon != nullptr
             ? ""
             : "dbus-daemon not found: install Debian's dbus-daemon package";
}

}  // namespace

Rig::~Rig() {
  daemon_.reset();
  if (fifoReader_ >= 0) close(fifoReader_);
  helpers_.clear();
  g_clear_object(&control_);
  if (bus_ != nullptr) g_test_dbus_down(bus_);
  g_clear_object(&bus_);
  std::error_code ignored;
  if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
}

bool Rig::setUp() {
  error_ = missing();
  g_autofree gchar* dir =
      error_.empty() ? g_dir_make_tmp("ostrand-test-XXXXXX", nullptr) : nullptr;
  if (error_.empty() && dir == nullptr)
    error_ = "cannot create a directory in /tmp";
  if (!error_.empty()) return false;
  dir_ = dir;
  std::filesystem::create_directory(path("scratch"));
  bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
  g_test_dbus_up(bus_);
  return true;
}

std::string Rig::writeFile(const std::string& name,
                           const std::string& content) {
  ::writeFile(path(name), content);
  return path(name);
}

Process* Rig::startHelper(const std::string& name,
                          const std::vector<std::string>& argv,
                          const std::string& ready) {
  helpers_.push_back(std::make_unique<Process>());
  Process* helper = helpers_.back().get();
  error_ = helper->start(argv, path(name + ".out"), path(name + ".err"));
  auto isReady = [&] {
    return readFile(path(name + ".out")).find(ready) != std::string::npos;
  };
  if (error_.empty() &&
      waitUntil([&] { return isReady() || helper->ended(); }) && isReady()) {
    return helper;
  }
  error_ +=
      "helper " + name + " did not start: " + readFile(path(name + ".err"));
  return nullptr;
}

Process* Rig::startService(const std::vector<std::string>& args,
                           const std::string& name) {
  std::vector<std::string> argv = {TXSERVICE_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return startHelper(name, argv, "txservice: ready\n");
}

// The FIFO's reading end is opened without waiting for a writer and held,
// so that the daemon's open of the device does not wait for one either.
bool Rig::makeFifo() {
  if (fifoReader_ >= 0) close(fifoReader_);
  std::filesystem::remove(path("device"));
  fifoReader_ = mkfifo(path("device").c_str(), 0600) == 0
                    ? open(path("device").c_str(), O_RDONLY | O_NONBLOCK)
                    : -1;
  if (fifoReader_ < 0) error_ = "cannot make the FIFO " + path("device");
  return fifoReader_ >= 0;
}

bool Rig::startDaemon(const DaemonOptions& options) {
  device_ = options.device;
  if (device_ != TrapDevice::Fifo) {
    writeFile("device", "");
  } else if (!makeFifo()) {
    return false;
  }
  // In the order of TrapDevice.
  const std::vector<std::vector<std::string>> devices = {
      {"--device", path("device")},
      {"--missing"},
      {"--device", path("device"), "--readonly"},
      {"--device", "/dev/full"},
      {"--device", path("device")}};
  std::vector<std::string> argv = {TRAPDEV_BINARY, "--scratch",
                                   path("scratch")};
  const auto& device = devices[static_cast<int>(options.device)];
  argv.insert(argv.end(), device.begin(), device.end());
  argv.insert(argv.end(), {"--", OSTRAND_BINARY});
  argv.insert(argv.end(), options.args.begin(), options.args.end());
  daemon_ = std::make_unique<Process>();
  error_ = daemon_->start(argv, path("daemon.out"), path("daemon.err"),
                          {{"DBUS_SESSION_BUS_ADDRESS",
                            options.busAddress.value_or(busAddress())}});
  return error_.empty();
}

bool Rig::waitForMainLoop() {
  // The banner comes just before the quit handler is installed; a signal
  // sent in between would be ignored, so wait for the handler as well.
  auto ready = [&] {
    return readFile(path("daemon.out")).find("Starting main loop") !=
               std::string::npos &&
           catchesSignal(daemon_->pid(), kQuitSignal);
  };
  return waitUntil([&] { return daemon_->ended() || ready(); }) &&
         !daemon_->ended();
}

DaemonResult Rig::finishDaemon() {
  const int status = daemon_->wait();
  // Opening a FIFO to read it would wait for a writer that never comes.
  return {status, readFile(path("daemon.out")), readFile(path("daemon.err")),
          device_ == TrapDevice::Fifo ? "" : readFile(path("device"))};
}

DaemonResult Rig::runDaemon(const DaemonOptions& options, int signal) {
  if (!startDaemon(options)) return {};
  signalDaemon(waitForMainLoop() ? signal : SIGKILL);
  return finishDaemon();
}

std::string Rig::readFifoAndClose() {
  std::string bytes;
  char buffer[PIPE_BUF];
  waitUntil([&] {
    const ssize_t got = read(fifoReader_, buffer, sizeof buffer);
    if (got > 0) bytes.assign(buffer, got);
    return got > 0;
  });
  close(fifoReader_);
  fifoReader_ = -1;
  return bytes;
}
