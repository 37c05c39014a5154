// The daemon's side of the service's transaction signal: the subscription
// made once the registry is filled, and the handler each signal reaches.
//
// One signal names the parameters that changed. The handler finds the trap
// instances they concern, fetches whatever else those read in one call to
// the service, evaluates each instance and writes a record for every one
// whose state changed. All of it runs inside the main loop's dispatch of
// the signal, blocking calls included, so signals are handled one by one.

#ifndef OSTRAND_TRAPS_TRANSACTION_HANDLER_H_
#define OSTRAND_TRAPS_TRANSACTION_HANDLER_H_

#include <dbus/dbus-glib.h>

#include <map>
#include <string>

#include "expr/expr_value.h"
#include "transaction/parameter_access.h"
#include "traps/trap_registry.h"

// What handling a signal needs besides the registry: the service the
// values a signal lacks come from, and the device the records go to. The
// daemon's are the transaction service's proxy and the trap device; the
// offline tool simulates both.
class TrapPorts {
 public:
  virtual ~TrapPorts() = default;

  // The parameter get without a transaction: adds to `values` each name of
  // `names` (never empty) for which the service gives a non-empty value.
  // Nothing is added when the service refuses.
  virtual void fetch(const NameSet& names, ValueMap& values) = 0;

  // Sends one trap record (trap_record.h) whole.
  virtual void send(const std::string& record) = 0;
};

// The daemon's proxies of the transaction service, on two connections to
// the bus: the signals arrive through `signal`, and the values a signal
// lacks are fetched through `fetch`. A blocking call waits for its reply
// behind every message its connection has queued; on a connection of its
// own, a backlog of signals is not among them.
struct ServiceProxies {
  DBusGProxy* signal = nullptr;
  DBusGProxy* fetch = nullptr;
};

// What the daemon's handler of the signal works with.
struct TrapSubscription {
  TrapRegistry* registry = nullptr;
  DBusGProxy* fetchProxy = nullptr;
};

// Declares the transaction signal (one string vector) on `proxies.signal`
// and connects onTransaction to it with `registry` and `proxies.fetch` as
// its data, for the life of the process; the daemon subscribes once. Does
// nothing for a null signal proxy, as when a definition is compiled without
// a service.
void subscribe(const ServiceProxies& proxies, TrapRegistry& registry);

// One trap instance a signal concerns.
struct AffectedKey {
  TrapGroup* group;  // the trap's group in the registry
  std::string trapName;
  TrapIndexValues indexValues;
};

// Instances in trap-name order, then index-value order. A group belongs to
// exactly one trap name, so this is also the registry's order of groups.
bool operator<(const AffectedKey& a, const AffectedKey& b);

// Instance to the trap parameter's value text for this signal; empty until
// known.
using AffectedMap = std::map<AffectedKey, std::string>;

// One transaction signal: `changes` holds one "name=value" string per
// changed parameter, NULL-terminated; a string of another form is skipped.
// A name given twice keeps its first value. An instance is concerned when
// the name is its trap's (with the instance's index suffix), a name it
// depends on, or the parameter of a video standard constant it depends on
// (found through the registry's readers).
// Values it needs that the signal lacks are fetched in one call to `ports`;
// an instance whose own value the service does not give is left out. Each
// instance whose state changed sends its record through `ports`, in the
// order of AffectedKey.
void handleTransaction(char** changes, TrapRegistry& registry,
                       TrapPorts& ports);

// The daemon's handler of the signal: handleTransaction with the
// subscription's registry, the service behind its fetch proxy and the
// registry's device. Does nothing for a null `changes`, `subscription` or
// registry.
void onTransaction(DBusGProxy* signalProxy, char** changes,
                   TrapSubscription* subscription);

#endif  // OSTRAND_TRAPS_TRANSACTION_HANDLER_H_
