// The control interface org.ostrand.TxControl of the object, through which
// the tests set values, emit signals of their choosing, order faults and
// read the record of service calls.
//
//   Emit(as changes)                      the `transaction` signal, as given
//   Set(as changes)                       "name=value" each, no signal
//   Refuse(s method, i count)             the service's own refusal
//   Fail(s method, i count, s message)    org.freedesktop.DBus.Error.Failed
//   Delay(s method, u milliseconds)       every later reply that much later
//   Drop(s method, i count)               never answered
//   Truncate(s method, i count)           a bulk get's reply lacks its last
//   value Calls() -> as                         "method (arguments)" per
//   service call ClearCalls()
//
// A bad argument is answered with org.ostrand.TxControl.Error.BadArgument
// and changes nothing.

#ifndef OSTRAND_TOOLS_TXSERVICE_CONTROL_CALLS_H_
#define OSTRAND_TOOLS_TXSERVICE_CONTROL_CALLS_H_

#include <gio/gio.h>

// The handlers of the control interface, for an object registered with the
// Service as its user data.
extern const GDBusInterfaceVTable kControlCalls;

#endif  // OSTRAND_TOOLS_TXSERVICE_CONTROL_CALLS_H_
