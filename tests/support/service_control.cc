#include "support/service_control.h"

#include <gtest/gtest.h>

#include "transaction/service_calls.h"

DBusGProxy* serviceControl(DBusGConnection* connection) {
  return dbus_g_proxy_new_for_name(connection, kServiceName, kServicePath,
                                   "org.ostrand.TxControl");
}

std::vector<std::string> serviceCalls(DBusGProxy* control) {
  char** received = nullptr;
  EXPECT_TRUE(dbus_g_proxy_call(control, "Calls", nullptr, G_TYPE_INVALID,
                                G_TYPE_STRV, &received, G_TYPE_INVALID));
  std::vector<std::string> out;
  for (char** call = received; call != nullptr && *call != nullptr; ++call) {
    out.push_back(*call);
  }
  g_strfreev(received);
  return out;
}

void clearServiceCalls(DBusGProxy* control) {
  EXPECT_TRUE(dbus_g_proxy_call(control, "ClearCalls", nullptr, G_TYPE_INVALID,
                                G_TYPE_INVALID));
}

void failNextCalls(DBusGProxy* control, const char* method, int count,
                   const char* message) {
  const bool refuse = message[0] == '\0';
  EXPECT_TRUE(refuse
                  ? dbus_g_proxy_call(control, "Refuse", nullptr, G_TYPE_STRING,
                                      method, G_TYPE_INT, count, G_TYPE_INVALID,
                                      G_TYPE_INVALID)
                  : dbus_g_proxy_call(control, "Fail", nullptr, G_TYPE_STRING,
                                      method, G_TYPE_INT, count, G_TYPE_STRING,
                                      message, G_TYPE_INVALID, G_TYPE_INVALID));
}

void emitTransaction(DBusGProxy* control,
                     const std::vector<std::string>& changes) {
  std::vector<const char*> strings;
  for (const std::string& change : changes) strings.push_back(change.c_str());
  strings.push_back(nullptr);
  EXPECT_TRUE(dbus_g_proxy_call(control, "Emit", nullptr, G_TYPE_STRV,
                                strings.data(), G_TYPE_INVALID,
                                G_TYPE_INVALID));
}
