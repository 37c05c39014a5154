#include "frame/startup.h"

#include <dbus/dbus-glib-lowlevel.h>
#include <dbus/dbus-glib.h>
#include <dbus/dbus.h>
#include <fcntl.h>
#include <glib-object.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "frame/command_line.h"
#include "frame/load.h"
#include "transaction/bus_loss.h"
#include "transaction/service_calls.h"

namespace {

const char kTrapDevice[] = "/dev/usb-cs-trap";
const int kQuitSignal = 28;  // SIGWINCH on Linux

// The one main loop of the process.
GMainLoop* mainLoop = nullptr;

// Ends the process at once with status 0. The loop is not asked to quit
// first: g_main_loop_quit takes the main context's lock, which the
// interrupted main loop holds whenever it is not waiting in poll, and the
// handler would then wait for itself forever; ending the process ends the
// loop all the same. _exit, not exit: only async-signal-safe calls belong
// in a handler, and the daemon has nothing buffered to flush (GLib's
// printer flushes every banner as it is written).
void onQuitSignal(int) { _exit(0); }

void installQuitHandler() {
  struct sigaction action = {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(kQuitSignal, &action, nullptr);
}

// libdbus would end the process with status 1 and not a word once no
// filter has taken the disconnection; this filter has the daemon say why
// first.
DBusHandlerResult onBusMessage(DBusConnection*, DBusMessage* message, void*) {
  if (!dbus_message_is_signal(message, DBUS_INTERFACE_LOCAL, "Disconnected")) {
    return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
  }
  endOnBusLoss();
}

void watchForBusLoss(DBusGConnection* bus) {
  dbus_connection_add_filter(dbus_g_connection_get_connection(bus),
                             onBusMessage, nullptr, nullptr);
}

DBusGConnection* connectToBus(DBusGConnection* (*open)(DBusBusType, GError**)) {
  GError* error = nullptr;
  DBusGConnection* bus = open(DBUS_BUS_SESSION, &error);
  if (error != nullptr) {
    reportGError("ostrand: Couldn't connect to the Session bus", error);
  }
  watchForBusLoss(bus);
  return bus;
}

DBusGConnection* openPrivateBus(DBusBusType type, GError** error) {
  return dbus_g_bus_get_private(type, nullptr, error);
}

DBusGProxy* serviceProxy(DBusGConnection* bus, const CommandLine& commandLine) {
  DBusGProxy* proxy = dbus_g_proxy_new_for_name(
      bus, commandLine.busName.c_str(), kServicePath, kServiceInterface);
  if (proxy == nullptr) {
    reportError("ostrand: Couldn't create the proxy object",
                "Unknown(dbus_g_proxy_new_for_name)");
  }
  return proxy;
}

// The fetch connection is to carry the replies to the handler's calls and
// nothing else, but a proxy for a name asks the bus for that name's
// signals on its connection: they are taken off again.
void stopSignals(DBusGConnection* bus, const CommandLine& commandLine) {
  const std::string rule = "type='signal',sender='" + commandLine.busName +
                           "',path='" + kServicePath + "',interface='" +
                           kServiceInterface + "'";
  dbus_bus_remove_match(dbus_g_connection_get_connection(bus), rule.c_str(),
                        nullptr);
}

// The shared connection carries the subscription; a private one of its own
// carries the handler's fetches (ServiceProxies).
ServiceProxies connectToService(const CommandLine& commandLine) {
  g_print("ostrand: Connecting to Session D-Bus.\n");
  DBusGConnection* signalBus = connectToBus(dbus_g_bus_get);
  DBusGConnection* fetchBus = connectToBus(openPrivateBus);
  g_print("ostrand: Creating a GLib proxy object for Value.\n");
  ServiceProxies proxies;
  proxies.signal = serviceProxy(signalBus, commandLine);
  proxies.fetch = serviceProxy(fetchBus, commandLine);
  stopSignals(fetchBus, commandLine);
  return proxies;
}

}  // namespace

void reportError(const char* message, const char* detail) {
  g_printerr("ostrand: ERROR: %s (%s)\n", message, detail);
  std::exit(1);
}

void reportGError(const char* message, GError* error) {
  g_printerr("ostrand: ERROR: %s (%s)\n", message, error->message);
  g_clear_error(&error);
  std::exit(1);
}

int runDaemon(int argc, char** argv) {
  CommandLine commandLine;
  parseCommandLine(commandLine, argc, argv);

  // A no-op on current GLib, kept so that the type system is initialised on
  // any GLib the card's image may carry.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  g_type_init();
  G_GNUC_END_IGNORE_DEPRECATIONS

  mainLoop = g_main_loop_new(nullptr, FALSE);
  if (mainLoop == nullptr) {
    reportError("Failed to create the mainloop", "Unknown (OOM ?)");
  }

  int deviceFd = open(kTrapDevice, O_WRONLY);
  if (deviceFd < 0) reportError("Failed to open usb trap device", "Unknown");

  const ServiceProxies proxies = connectToService(commandLine);

  int loaded = loadDefinitions(commandLine.definitionFile, proxies, deviceFd);
  if (loaded != 0) return loaded;

  g_print("ostrand: Starting main loop.\n");
  if (commandLine.daemonize && daemon(0, 0) != 0) {
    g_log(G_LOG_DOMAIN, G_LOG_LEVEL_ERROR, "ostrand: Failed to daemonize.\n");
  }
  installQuitHandler();
  g_main_loop_run(mainLoop);
  close(deviceFd);
  return 0;
}
