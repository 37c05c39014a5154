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
  const std::string upper = scratch + "/upper";
  const std::string work = scratch + "/work";
  if (mkdir(upper.c_str(), 0755) != 0) return failure("cannot create " + upper);
  if (mkdir(work.c_str(), 0755) != 0) return failure("cannot create " + work);
  // The overlay shows the machine's device nodes (null, urandom, ...) but
  // not the file systems mounted below /dev (pts, shm): the daemon uses
  // neither.
  const std::string data =
      "lowerdir=/dev,upperdir=" + upper + ",workdir=" + work;
  if (mount("overlay", "/dev", "overlay", 0, data.c_str()) != 0) {
    return failure("cannot mount an overlay on /dev");
  }
  return "";
}
