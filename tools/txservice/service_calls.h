// The transaction service interface of the object: every call is recorded,
// meets the faults the tests ordered for its method, and is otherwise
// served from the service's values; changes go out as `transaction`
// signals.

#ifndef OSTRAND_TOOLS_TXSERVICE_SERVICE_CALLS_H_
#define OSTRAND_TOOLS_TXSERVICE_SERVICE_CALLS_H_

#include <gio/gio.h>

// The handlers of the service interface, for an object registered with the
// Service as its user data. GDBus checks each call's method name and
// argument types against the introspection data before it is handed over.
extern const GDBusInterfaceVTable kServiceCalls;

#endif  // OSTRAND_TOOLS_TXSERVICE_SERVICE_CALLS_H_
