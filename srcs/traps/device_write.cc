#include "traps/device_write.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

ssize_t writeToDevice(int fd, const void* data, size_t size) {
  sigset_t sigpipe;
  sigemptyset(&sigpipe);
  sigaddset(&sigpipe, SIGPIPE);
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &sigpipe, &previous);
  // Pending now only if it was blocked before and sent by someone else:
  // that one is not ours to take.
  sigset_t pending;
  sigpending(&pending);
  const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
  const ssize_t written = write(fd, data, size);
  const int writeError = errno;
  if (written < 0 && writeError == EPIPE && !alreadyPending) {
    const timespec noWait = {};
    sigtimedwait(&sigpipe, nullptr, &noWait);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = writeError;
  return written;
}
