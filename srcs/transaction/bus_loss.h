// The end of the daemon when its session bus goes away. Without the bus it
// neither hears the service's signals nor can ask it anything, and no
// repeated call can change that; a supervisor restarting the daemon should
// find why in the log.

#ifndef OSTRAND_TRANSACTION_BUS_LOSS_H_
#define OSTRAND_TRANSACTION_BUS_LOSS_H_

#include <glib.h>

// True when `error`, the failure of a call, says that the connection to
// the bus is gone.
bool isBusLoss(const GError* error);

// Logs "ERROR: Lost the connection to the Session bus (Disconnected)" to
// syslog at the error priority, prints it after "ostrand: " on standard
// error (the null device once the daemon has detached) and ends the
// process with status 1.
[[noreturn]] void endOnBusLoss();

#endif  // OSTRAND_TRANSACTION_BUS_LOSS_H_
