#include "transaction/bus_loss.h"

#include <dbus/dbus-glib.h>
#include <syslog.h>

#include <cstdlib>

bool isBusLoss(const GError* error) {
  return g_error_matches(error, DBUS_GERROR, DBUS_GERROR_DISCONNECTED);
}

void endOnBusLoss() {
  const char kLost[] = "Lost the connection to the Session bus";
  syslog(LOG_ERR, "ERROR: %s (%s)\n", kLost, "Disconnected");
  g_printerr("ostrand: ERROR: %s (%s)\n", kLost, "Disconnected");
  std::exit(1);
}
