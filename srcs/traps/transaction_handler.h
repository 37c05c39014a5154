// The daemon's side of the service's transaction signal: the subscription
// made once the registry is filled, and the handler each signal reaches.

#ifndef OSTRAND_TRAPS_TRANSACTION_HANDLER_H_
#define OSTRAND_TRAPS_TRANSACTION_HANDLER_H_

#include <dbus/dbus-glib.h>

#include "traps/trap_registry.h"

// Declares the transaction signal (one string vector) on `proxy` and
// connects onTransaction with `registry` as its data, for the life of the
// process. Does nothing for a null proxy, as when a definition is compiled
// without a service.
void subscribe(DBusGProxy* proxy, TrapRegistry& registry);

// One transaction signal: `changes` holds one "name=value" string per
// changed parameter, NULL-terminated.
void onTransaction(DBusGProxy* proxy, char** changes, TrapRegistry* registry);

#endif  // OSTRAND_TRAPS_TRANSACTION_HANDLER_H_
