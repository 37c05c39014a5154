// trapdev: runs a command with a stand-in for the trap device.
//
//   trapdev --scratch=DIR (--device=FILE [--readonly] | --missing) -- CMD ARG...
//
// The command runs in a private mount namespace in which /dev is an overlay
// of the machine's /dev, so that /dev/usb-cs-trap can be made to be FILE
// (every byte the daemon writes lands in FILE: a regular file, a FIFO or
// /dev/full for a failing device), FILE mounted read-only (the device cannot
// be opened for writing), or absent. The machine's /dev is never changed.
// DIR is an existing empty directory; inside the namespace a tmpfs over it
// holds the overlay's working files, so it stays empty outside. The command
// is what follows "--", taken as it is, options and all; it is exec'd, so
// it keeps this process's pid (signals reach it directly).
// Needs root. Exit status 64 for a bad command line, 125 when the stand-in
// cannot be set up, 126 or 127 when the command cannot be run.

#include <argp.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tool_options.h"
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

// Long options only, as the stand-in has always had them.
enum Key { kScratch = 0x100, kDeviceFile, kReadonly, kMissing };

const argp_option kOptions[] = {
    {"scratch", kScratch, "DIR", 0, "Empty directory for the overlay's files",
     0},
    {"device", kDeviceFile, "FILE", 0, "The device is FILE", 0},
    {"readonly", kReadonly, nullptr, 0, "FILE is mounted read-only", 0},
    {"missing", kMissing, nullptr, 0, "There is no device", 0},
    {},
};

// The command line as a whole: what one option cannot say alone.
void checkOptions(const Options& options, argp_state* state) {
  if (options.scratch.empty()) argp_error(state, "no --scratch directory");
  if (options.missing == !options.device.empty()) {
    argp_error(state, "either --device or --missing");
  }
  if (options.readonly && options.device.empty()) {
    argp_error(state, "--readonly without --device");
  }
  if (options.command == nullptr) argp_error(state, "no command after --");
}

error_t parseOption(int key, char* arg, argp_state* state) {
  auto* options = static_cast<Options*>(state->input);
  switch (key) {
    case kScratch:
      options->scratch = arg;
      return 0;
    case kDeviceFile:
      options->device = arg;
      return 0;
    case kReadonly:
      options->readonly = true;
      return 0;
    case kMissing:
      options->missing = true;
      return 0;
    case ARGP_KEY_ARG:
      // argp has seen "--" once `quoted` is set; the command's own options
      // must never be taken for trapdev's.
      if (state->quoted == 0) argp_error(state, "the command must follow --");
      options->command = &state->argv[state->next - 1];
      state->next = state->argc;
      return 0;
    case ARGP_KEY_END:
      checkOptions(*options, state);
      return 0;
    default:
      return ARGP_ERR_UNKNOWN;
  }
}

const argp kParser = {kOptions, parseOption, "-- COMMAND [ARG...]",
                      "trapdev -- runs COMMAND with a stand-in for the trap "
                      "device",
                      nullptr, nullptr, nullptr};

[[noreturn]] void fail(const char* what, const std::string& path) {
  std::fprintf(stderr, "trapdev: %s %s: %s\n", what, path.c_str(),
               std::strerror(errno));
  std::exit(kSetupFailed);
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
  Options options;
  useToolConvention("trapdev");
  argp_parse(&kParser, argc, argv, 0, nullptr, &options);
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
