// A private view of /dev: the calling process moves into a mount namespace
// of its own in which /dev is an overlay of the machine's /dev, so that
// device nodes and sockets can be added, replaced or removed there while
// the machine's /dev stays as it is. Needs root.

#ifndef OSTRAND_TOOLS_TRAPDEV_DEV_OVERLAY_H_
#define OSTRAND_TOOLS_TRAPDEV_DEV_OVERLAY_H_

#include <string>

// `scratch` is an existing empty directory; a tmpfs mounted over it inside
// the namespace holds the overlay's working files, so it stays empty
// outside. Returns an empty string, or what failed (with the system's
// reason). Call it before the process starts any thread.
std::string overlayDev(const std::string& scratch);

#endif  // OSTRAND_TOOLS_TRAPDEV_DEV_OVERLAY_H_
