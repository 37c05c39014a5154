// One write to the trap device that a vanished reader cannot end the
// daemon with. The device may be a FIFO (a decoder reading the records):
// once its reader goes away, every write fails with EPIPE and the kernel
// also sends the writing thread SIGPIPE, whose default action ends the
// process. The daemon ignores a failed write like any other, so SIGPIPE is
// blocked for this thread around the write alone and the one the write
// raised is taken off again; the rest of the process, and this thread
// outside the write, keep SIGPIPE at its default. Nothing else is blocked:
// the quit signal still ends the daemon inside a write that waits.

#ifndef OSTRAND_TRAPS_DEVICE_WRITE_H_
#define OSTRAND_TRAPS_DEVICE_WRITE_H_

#include <sys/types.h>

#include <cstddef>

// write(2) of `size` bytes at `data` to `fd`, with its result and errno,
// but without SIGPIPE. A SIGPIPE that was already pending stays pending.
ssize_t writeToDevice(int fd, const void* data, size_t size);

#endif  // OSTRAND_TRAPS_DEVICE_WRITE_H_
