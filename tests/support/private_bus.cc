// The daemon's client code on a test's private bus.

#include <dbus/dbus-glib-lowlevel.h>

#include "support/rig.h"

DBusGConnection* connectToBus(const std::string& address) {
  DBusGConnection* connection =
      dbus_g_connection_open(address.c_str(), nullptr);
  if (connection != nullptr &&
      !dbus_bus_register(dbus_g_connection_get_connection(connection),
                         nullptr)) {
    dbus_g_connection_unref(connection);
    return nullptr;
  }
  return connection;
}
