// Parameter access: get, set, check, reset and the transaction calls of the
// card's transaction service, on sets of names and maps of values.
//
// Each operation picks the one-name or the bulk form of the service's
// method, and the transaction or the "single_" form: with a transaction
// number the call belongs to that transaction, without one it acts at once.
// Names go on the wire in the (byte-wise) order of the set or map.
//
// Results are 1 for success and 0 for failure. Every failed call is logged
// to syslog at LOG_ERR as "ERROR: <what failed> (<the error's message>)".
// A refusal by the service (its message begins with kRefusalPrefix) ends
// the operation with 0; any other failure (no owner of the bus name, no
// reply, a broken connection) is logged and the call made again, after a
// pause that grows from 10 ms to 1 s, until the service answers: the caller
// blocks meanwhile, as the card must not miss a value while its service
// restarts.

#ifndef OSTRAND_TRANSACTION_PARAMETER_ACCESS_H_
#define OSTRAND_TRANSACTION_PARAMETER_ACCESS_H_

#include <dbus/dbus-glib.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "expr/expr_value.h"

using NameSet = std::set<std::string>;
// The transaction a call belongs to; none for the "single_" methods.
using TransactionRef = std::optional<uint32_t>;

// Fetches the values of `names` into `values` (emptied first): a name the
// service answers with an empty value is left out. 1 when the service
// answered (also for no names, without a call), 0 when it refused, sent
// fewer values than names, or `proxy` is null.
unsigned parm_get_(DBusGProxy* proxy, TransactionRef transaction,
                   const NameSet& names, ValueMap& values);
unsigned parm_get(DBusGProxy* proxy, TransactionRef transaction,
                  const NameSet& names, ValueMap& values);

// Sets every name of `values` to its value, with the "_status" methods when
// `withStatus`. 1 when the service accepted (also for an empty map), 0 when
// it refused or `proxy` is null.
unsigned parm_set_(DBusGProxy* proxy, TransactionRef transaction,
                   const ValueMap& values, bool withStatus);
unsigned parm_set_status(DBusGProxy* proxy, TransactionRef transaction,
                         const ValueMap& values);
unsigned parm_set(DBusGProxy* proxy, TransactionRef transaction,
                  const ValueMap& values);

// Resets every name of `names`, as parm_set_ sets.
unsigned parm_reset_(DBusGProxy* proxy, TransactionRef transaction,
                     const NameSet& names, bool withStatus);
unsigned parm_reset_status(DBusGProxy* proxy, TransactionRef transaction,
                           const NameSet& names);
unsigned parm_reset(DBusGProxy* proxy, TransactionRef transaction,
                    const NameSet& names);

// Asks whether the service would take `value` for `name`; `accepted` holds
// the answer when the result is 1.
unsigned parm_check_set_(DBusGProxy* proxy, TransactionRef transaction,
                         const std::string& name, const std::string& value,
                         bool& accepted);
unsigned parm_check_set(DBusGProxy* proxy, TransactionRef transaction,
                        const std::string& name, const std::string& value,
                        bool& accepted);

// Opens a transaction; its number is stored in `transaction`.
unsigned parm_start(DBusGProxy* proxy, uint32_t& transaction);
// Closes a transaction, dropping what it holds uncommitted.
unsigned parm_end(DBusGProxy* proxy, uint32_t transaction);

// Commits once (a failed commit is logged, not repeated), then always ends
// the transaction. 1 only when both succeeded.
unsigned parm_commit_sync(DBusGProxy* proxy, uint32_t transaction);
// Issues the commit and returns 1 at once (0 for a null proxy); the reply
// arrives through the main loop at commitCallback, which ends the
// transaction.
unsigned parm_commit(DBusGProxy* proxy, uint32_t transaction);
// Logs a failed commit and frees `error`, then ends the transaction whose
// number `data` carries (GUINT_TO_POINTER).
void commitCallback(DBusGProxy* proxy, GError* error, gpointer data);

// Declares the transaction signal (one string vector) on `proxy` and
// connects `handler` with `data`. 0 for a null proxy, else 1.
unsigned parm_subscribe(DBusGProxy* proxy, GCallback handler, gpointer data);

// Connects to the session bus and returns a proxy for the service under its
// usual name. A failure is logged and ends the process with status 1.
DBusGProxy* parm_connect();

#endif  // OSTRAND_TRANSACTION_PARAMETER_ACCESS_H_
