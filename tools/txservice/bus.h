// The object /transaction on the session bus: the transaction service
// interface and the control interface of the tests, both served from one
// Service record on the main loop's thread.

#ifndef OSTRAND_TOOLS_TXSERVICE_BUS_H_
#define OSTRAND_TOOLS_TXSERVICE_BUS_H_

#include <gio/gio.h>

#include "control.h"
#include "service.h"

struct Service {
  ServiceState state;
  ControlState control;
  GDBusConnection* connection = nullptr;
  GDBusNodeInfo* introspection = nullptr;
  guint serviceRegistration = 0;
  guint controlRegistration = 0;
};

// Exports the object on `service->connection`, which must outlive it.
// Returns 0, or 1 with `error` set.
int exportService(Service* service, GError** error);

// Takes the object off the connection again.
void unexportService(Service* service);

#endif  // OSTRAND_TOOLS_TXSERVICE_BUS_H_
