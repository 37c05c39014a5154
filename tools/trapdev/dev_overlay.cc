#include "trapdev/dev_overlay.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

std::string failure(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

std::string overlayDev(const std::string& scratch) {
  if (unshare(CLONE_NEWNS) != 0) {
    return failure("cannot unshare the mount namespace");
  }
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    return failure("cannot make the mounts private");
  }
  if (mount("tmpfs", scratch.c_str(), "tmpfs", 0, "mode=0700") != 0) {
    return failure("cannot mount a tmpfs on " + scratch);
  }
  const std::string lower = scratch + "/lower";
  const std::string upper = scratch + "/upper";
  const std::string work = scratch + "/work";
  for (const std::string& dir : {lower, upper, work}) {
    if (mkdir(dir.c_str(), 0755) != 0) return failure("cannot create " + dir);
  }
  // The overlay shows the machine's device nodes (null, urandom, ...) but
  // not the file systems mounted below /dev (pts, shm): the daemon uses
  // neither. The machine's /dev is reached through a bind of its own, so
  // that it can still be named once the overlay hides it.
  if (mount("/dev", lower.c_str(), nullptr, MS_BIND, nullptr) != 0) {
    return failure("cannot bind /dev on " + lower);
  }
  const std::string data =
      "lowerdir=" + lower + ",upperdir=" + upper + ",workdir=" + work;
  if (mount("overlay", "/dev", "overlay", 0, data.c_str()) != 0) {
    return failure("cannot mount an overlay on /dev");
  }
  // A socket cannot be reached through an overlay: the log's is bound in
  // as it is, so that what the daemon logs reaches the machine's log (or
  // the test catching it).
  const std::string log = lower + "/log";
  struct stat info = {};
  if (stat(log.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) &&
      mount(log.c_str(), "/dev/log", nullptr, MS_BIND, nullptr) != 0) {
    return failure("cannot bind the system log's socket");
  }
  return "";
}
