// The rig's orders to the service stand-in.

#include "support/rig.h"
#include "transaction/service_calls.h"

namespace {

GDBusConnection* connectTo(const std::string& address, GError** error) {
  return g_dbus_connection_new_for_address_sync(
      address.c_str(),
      GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                           G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, error);
}

}  // namespace

void Rig::orderOn(const std::string& address) {
  if (control_ != nullptr) g_object_unref(control_);
  GError* error = nullptr;
  control_ = connectTo(address, &error);
  if (control_ == nullptr) {
    ADD_FAILURE() << "cannot reach the bus at " << address << ": "
                  << error->message;
    g_error_free(error);
  }
}

GVariant* Rig::callControl(const char* method, GVariant* arguments) {
  GError* error = nullptr;
  if (control_ == nullptr) control_ = connectTo(busAddress(), &error);
  GVariant* reply =
      control_ == nullptr
          ? nullptr
          : g_dbus_connection_call_sync(
                control_, kServiceName, kServicePath, "org.ostrand.TxControl",
                method, arguments, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
                &error);
  if (reply == nullptr) {
    ADD_FAILURE() << "TxControl." << method << ": " << error->message;
    g_error_free(error);
  }
  return reply;
}

void Rig::order(const char* method, GVariant* arguments) {
  GVariant* reply = callControl(method, arguments);
  if (reply != nullptr) g_variant_unref(reply);
}

std::vector<std::string> Rig::serviceCalls(bool clear) {
  GVariant* reply = callControl("Calls", nullptr);
  if (reply == nullptr) return {};
  gchar** strings = nullptr;
  g_variant_get(reply, "(^as)", &strings);
  const std::vector<std::string> calls(strings,
                                       strings + g_strv_length(strings));
  g_strfreev(strings);
  g_variant_unref(reply);
  if (clear) order("ClearCalls");
  return calls;
}

void Rig::emit(const std::vector<std::string>& changes) {
  std::vector<const char*> strings;
  for (const std::string& change : changes) strings.push_back(change.c_str());
  order("Emit", g_variant_new("(@as)", g_variant_new_strv(strings.data(),
                                                          strings.size())));
}
