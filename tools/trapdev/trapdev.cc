// trapdev: runs a command with a stand-in for the trap device.
//
//   trapdev --scratch DIR [--device FILE [--readonly] | --missing] -- CMD ARG...
//
// The command runs in a private mount namespace in which /dev is an overlay
// of the machine's /dev, so that /dev/usb-cs-trap can be made to be FILE
// (every byte the daemon writes lands in FILE: a regular file, a FIFO or
// /dev/full for a failing device), FILE mounted read-only (the device cannot
// be opened for writing), or absent. The machine's /dev is never changed.
// DIR is an existing empty directory; inside the namespace a tmpfs over it
// holds the overlay's working files, so it stays empty outside. The command
// is exec'd, so it keeps this process's pid (signals reach it directly).
// Needs root. Exit status 125 when the stand-in cannot be set up.

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "trapdev/dev_overlay.h"

namespace {

const char kDevice[] = "/dev/usb-cs-trap";
const int kSetupFailed = 125;

struct Options {
  std::string scratch;
  std::string device;
  bool readonly = false;
  bool missing = false;
  char** command = nullptr;
};

[[noreturn]] void usage() {
  std::fprintf(stderr,
               "usage: trapdev --scratch DIR [--device FILE [--readonly] | "
               "--missing] -- COMMAND [ARG...]\n");
  std::exit(kSetupFailed);
}

[[noreturn]] void fail(const char* what, const std::string& path) {
  std::fprintf(stderr, "trapdev: %s %s: %s\n", what, path.c_str(),
               std::strerror(errno));
  std::exit(kSetupFailed);
}

Options parseOptions(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--") break;
    if (arg == "--readonly") {
      options.readonly = true;
    } else if (arg == "--missing") {
      options.missing = true;
    } else if ((arg == "--scratch" || arg == "--device") && i + 1 < argc) {
      (arg == "--scratch" ? options.scratch : options.device) = argv[++i];
    } else {
      usage();
    }
  }
  if (i + 1 >= argc || options.scratch.empty() ||
      options.missing == !options.device.empty() ||
      (options.readonly && options.device.empty())) {
    usage();
  }
  options.command = argv + i + 1;
  return options;
}

void placeDevice(const Options& options) {
  if (unlink(kDevice) != 0 && errno != ENOENT) fail("cannot remove", kDevice);
  if (options.missing) return;
  int fd = open(kDevice, O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) fail("cannot create", kDevice);
  close(fd);
  if (mount(options.device.c_str(), kDevice, nullptr, MS_BIND, nullptr) != 0) {
    fail("cannot bind", options.device);
  }
  if (options.readonly &&
      mount(nullptr, kDevice, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
            nullptr) != 0) {
    fail("cannot make read-only", kDevice);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options = parseOptions(argc, argv);
  const std::string overlaid = overlayDev(options.scratch);
  if (!overlaid.empty()) {
    std::fprintf(stderr, "trapdev: %s\n", overlaid.c_str());
    return kSetupFailed;
  }
  placeDevice(options);
  execvp(options.command[0], options.command);
  std::fprintf(stderr, "trapdev: cannot run %s: %s\n", options.command[0],
               std::strerror(errno));
  return errno == ENOENT ? 127 : 126;
}
