// The daemon process: command line, GLib and D-Bus set-up, the load of the
// definition file, detaching, and the main loop that dispatches the
// transaction service's signals until signal 28 stops the process.

#ifndef OSTRAND_FRAME_STARTUP_H_
#define OSTRAND_FRAME_STARTUP_H_

#include <glib.h>

// Runs the whole daemon and returns its exit status: 0 after the main loop
// returned, the load pipeline's result when the definitions did not load.
// Every start-up failure prints "ostrand: ERROR: <message> (<detail>)" to
// standard error and exits with status 1 from inside; signal 28 exits with
// status 0 from inside its handler.
int runDaemon(int argc, char** argv);

// Print "ostrand: ERROR: %s (%s)\n" to standard error and exit with status 1.
[[noreturn]] void reportError(const char* message, const char* detail);
[[noreturn]] void reportGError(const char* message, GError* error);

#endif  // OSTRAND_FRAME_STARTUP_H_
