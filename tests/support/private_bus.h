// A session bus of one's own and the transaction service stand-in on it,
// for the end-to-end tests and the benchmarks alike.

#ifndef OSTRAND_TESTS_SUPPORT_PRIVATE_BUS_H_
#define OSTRAND_TESTS_SUPPORT_PRIVATE_BUS_H_

#include <dbus/dbus-glib.h>
#include <sys/types.h>

#include <string>
#include <vector>

// Starts a dbus-daemon listening at `dir`/bus, its output in `dir`/bus.out
// and .err. Its pid and `address`, or -1 with `error` saying why.
pid_t startPrivateBus(const std::string& dir, std::string* address,
                      std::string* error);

// Starts the service stand-in with `args` on the bus at `busAddress`, its
// output in outPath and errPath (emptied first), and waits until it owns
// its bus name. Its pid, or -1 with `error` saying why.
pid_t startServiceStandIn(const std::vector<std::string>& args,
                          const std::string& busAddress,
                          const std::string& outPath,
                          const std::string& errPath, std::string* error);

// A connection of the caller's own to the bus at `address`, registered with
// it (libdbus reads the session bus address only once per process, so the
// shared session connection cannot follow a test's bus). Null with `error`
// saying why.
DBusGConnection* connectToBus(const std::string& address, std::string* error);

#endif  // OSTRAND_TESTS_SUPPORT_PRIVATE_BUS_H_
