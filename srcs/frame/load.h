// The load pipeline: turns the definition file named on the command line
// into the daemon's running trap set-up, once, before the process detaches.

#ifndef OSTRAND_FRAME_LOAD_H_
#define OSTRAND_FRAME_LOAD_H_

#include <dbus/dbus-glib.h>

#include <string>

// Reads `definitionFile` and builds everything the running daemon needs
// from it; `proxy` is the transaction service and `deviceFd` the open trap
// device, both handed on to the trap registry. Progress and errors go to
// standard error.
//
// The file is read in pieces of at most 1024 bytes, each ending at a newline
// or at that limit, and every piece counts as one line: a longer physical
// line shifts the numbers of the lines after it. A piece's text ends at its
// first NUL byte. The first line that does not parse is reported (line
// number, message, the line and a caret) and ends the load; nothing after
// it is read. A read error ends the reading like the end of the file.
//
// Returns 0 on success and 1 when the daemon must not start (the file
// cannot be opened or does not load). The file is closed before returning.
int loadDefinitions(const std::string& definitionFile, DBusGProxy* proxy,
                    int deviceFd);

#endif  // OSTRAND_FRAME_LOAD_H_
