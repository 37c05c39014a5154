#include "support/private_bus.h"

#include <dbus/dbus-glib-lowlevel.h>
#include <dbus/dbus.h>
#include <signal.h>

#include "support/process.h"

namespace {

const char kServiceReady[] = "txservice: ready\n";

}  // namespace

pid_t startPrivateBus(const std::string& dir, std::string* address,
                      std::string* error) {
  if (!isExecutable("dbus-daemon")) {
    *error = "dbus-daemon not found: install Debian's dbus-daemon package";
    return -1;
  }
  const std::string out = dir + "/bus.out";
  const pid_t pid =
      spawnProcess({"dbus-daemon", "--session", "--nofork", "--print-address",
                    "--address=unix:path=" + dir + "/bus"},
                   {}, out, dir + "/bus.err", error);
  if (pid < 0) return -1;
  waitUntil([&] {
    return readFile(out).find('\n') != std::string::npos || hasEnded(pid);
  });
  const std::string printed = readFile(out);
  if (printed.find('\n') == std::string::npos) {
    *error = "dbus-daemon did not start: " + readFile(dir + "/bus.err");
    return -1;
  }
  *address = printed.substr(0, printed.find('\n'));
  return pid;
}

pid_t startServiceStandIn(const std::vector<std::string>& args,
                          const std::string& busAddress,
                          const std::string& outPath,
                          const std::string& errPath, std::string* error) {
  std::vector<std::string> argv = {TXSERVICE_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  // Fresh output files, so that the ready line of an earlier run under the
  // same name does not count.
  writeFile(outPath, "");
  writeFile(errPath, "");
  const pid_t pid =
      spawnProcess(argv, {{"DBUS_SESSION_BUS_ADDRESS", busAddress}}, outPath,
                   errPath, error);
  if (pid < 0) return -1;
  waitUntil([&] {
    return readFile(outPath).find(kServiceReady) != std::string::npos ||
           hasEnded(pid);
  });
  if (readFile(outPath).find(kServiceReady) == std::string::npos) {
    *error =
        "the transaction service stand-in did not start: " + readFile(errPath);
    kill(pid, SIGKILL);
    waitForExit(pid);
    return -1;
  }
  return pid;
}

DBusGConnection* connectToBus(const std::string& address, std::string* error) {
  GError* openError = nullptr;
  DBusGConnection* connection =
      dbus_g_connection_open(address.c_str(), &openError);
  if (connection == nullptr) {
    *error = openError->message;
    g_error_free(openError);
    return nullptr;
  }
  DBusError busError;
  dbus_error_init(&busError);
  if (!dbus_bus_register(dbus_g_connection_get_connection(connection),
                         &busError)) {
    *error = busError.message;
    dbus_error_free(&busError);
    dbus_g_connection_unref(connection);
    return nullptr;
  }
  return connection;
}
