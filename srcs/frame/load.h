// The load pipeline: turns the definition file named on the command line
// into the daemon's running trap set-up, once, before the process detaches.

#ifndef OSTRAND_FRAME_LOAD_H_
#define OSTRAND_FRAME_LOAD_H_

#include <dbus/dbus-glib.h>

#include <string>

// Reads `definitionFile` and builds everything the running daemon needs
// from it; `proxy` is the transaction service and `deviceFd` the open trap
// device, both handed on to the trap registry. Progress and errors go to
// standard error. Returns 0 on success and 1 when the daemon must not start
// (the file cannot be opened or does not load).
int loadDefinitions(const std::string& definitionFile, DBusGProxy* proxy,
                    int deviceFd);

#endif  // OSTRAND_FRAME_LOAD_H_
