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

const char kLogSocket[] = "/dev/log";

// The socket at /dev/log: one per process, since the process can move into
// its private /dev only once.
int logSocket = -1;

// "<11>Dec  5 21:30:00 ident: text" as "3 text": the level is the low three
// bits of the priority; the text follows the first ": " (the time of day
// has no blank after its colons).
std::string describe(const std::string& datagram) {
  const size_t close = datagram.find('>');
  const size_t text = datagram.find(": ");
  if (datagram.empty() || datagram[0] != '<' || close == std::string::npos ||
      text == std::string::npos) {
    return "? " + datagram;
  }
  const int priority = std::atoi(datagram.substr(1, close - 1).c_str());
  return std::to_string(priority & 7) + " " + datagram.substr(text + 2);
}

std::string bindLogSocket() {
  char tmpl[] = "/tmp/ostrand-devlog-XXXXXX";
  if (mkdtemp(tmpl) == nullptr) return "cannot create a directory under /tmp";
  const std::string overlaid = overlayDev(tmpl);
  // The overlay keeps its working files alive; the directory itself is no
  // longer needed, here or outside.
  umount2(tmpl, MNT_DETACH);
  rmdir(tmpl);
  if (!overlaid.empty()) return overlaid;
  unlink(kLogSocket);
  logSocket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, kLogSocket);
  if (logSocket < 0 || bind(logSocket, reinterpret_cast<sockaddr*>(&address),
                            sizeof address) != 0) {
    return std::string("cannot bind a socket at /dev/log: ") +
           std::strerror(errno);
  }
  return "";
}

}  // namespace

std::string SyslogCapture::setUp() {
  if (logSocket < 0) return bindLogSocket();
  take();
  return "";
}

std::vector<std::string> SyslogCapture::take() {
  std::vector<std::string> lines;
  char buffer[4096];
  for (;;) {
    const ssize_t size = recv(logSocket, buffer, sizeof buffer, MSG_DONTWAIT);
    if (size < 0) break;
    lines.push_back(describe(std::string(buffer, size)));
  }
  return lines;
}

int SyslogCapture::fd() const { return logSocket; }
