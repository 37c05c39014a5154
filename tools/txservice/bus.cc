#include "bus.h"

#include "control_calls.h"
#include "methods.h"
#include "service_calls.h"

namespace {

guint registerInterface(Service* service, const char* name,
                        const GDBusInterfaceVTable* vtable, GError** error) {
  return g_dbus_connection_register_object(
      service->connection, kObjectPath,
      g_dbus_node_info_lookup_interface(service->introspection, name), vtable,
      service, nullptr, error);
}

}  // namespace

int exportService(Service* service, GError** error) {
  service->introspection =
      g_dbus_node_info_new_for_xml(introspectionXml().c_str(), error);
  if (service->introspection == nullptr) return 1;
  service->serviceRegistration =
      registerInterface(service, kServiceInterface, &kServiceCalls, error);
  if (service->serviceRegistration == 0) return 1;
  service->controlRegistration =
      registerInterface(service, kControlInterface, &kControlCalls, error);
  return service->controlRegistration == 0 ? 1 : 0;
}

void unexportService(Service* service) {
  for (guint* registration :
       {&service->serviceRegistration, &service->controlRegistration}) {
    if (*registration != 0) {
      g_dbus_connection_unregister_object(service->connection, *registration);
    }
    *registration = 0;
  }
  if (service->introspection != nullptr) {
    g_dbus_node_info_unref(service->introspection);
  }
  service->introspection = nullptr;
}
