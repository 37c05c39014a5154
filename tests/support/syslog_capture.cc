#include "support/syslog_capture.h"

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "trapdev/dev_overlay.h"

namespace {

// One per process: the process can move into its private /dev only once.
int logSocket = -1;

std::string bindLogSocket() {
  if (geteuid() != 0) return "must run as root, for a private /dev/log";
  char scratch[] = "/tmp/ostrand-devlog-XXXXXX";
  if (mkdtemp(scratch) == nullptr) return "cannot create a directory in /tmp";
  const std::string overlaid = overlayDev(scratch);
  // The overlay keeps its working files alive; the directory itself is no
  // longer needed, here or outside.
  umount2(scratch, MNT_DETACH);
  rmdir(scratch);
  if (!overlaid.empty()) return overlaid;
  // The overlay binds the machine's log socket in: this one replaces it.
  umount2("/dev/log", MNT_DETACH);
  unlink("/dev/log");
  const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_un address = {.sun_family = AF_UNIX, .sun_path = "/dev/log"};
  if (fd < 0 ||
      bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    return std::string("cannot bind /dev/log: ") + std::strerror(errno);
  }
  logSocket = fd;
  return "";
}

}  // namespace

std::string SyslogCapture::setUp() {
  if (logSocket < 0) return bindLogSocket();
  take();
  return "";
}

// "<11>Dec  5 21:30:00 ident: text" is "3 text": the level is the low three
// bits of the priority; the text follows the first ": " (the time of day
// has no blank after its colons).
std::vector<std::string> SyslogCapture::take() {
  std::vector<std::string> lines;
  char buffer[4096];
  ssize_t size;
  while ((size = recv(logSocket, buffer, sizeof buffer, MSG_DONTWAIT)) >= 0) {
    const std::string datagram(buffer, size);
    const size_t text = datagram.find(": ");
    lines.push_back(datagram[0] != '<' || text == std::string::npos
                        ? "? " + datagram
                        : std::to_string(std::atoi(datagram.c_str() + 1) & 7) +
                              " " + datagram.substr(text + 2));
  }
  return lines;
}

int SyslogCapture::fd() const { return logSocket; }
