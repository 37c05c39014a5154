// The card's transaction service as the daemon calls it: one blocking
// wrapper per method of the service, and the non-blocking form of commit.
//
// Methods whose names begin with "single_" act outside any transaction; the
// others take the number that `start` gave as their first argument. Each
// wrapper returns TRUE when the service answered, FALSE with `*error` set
// otherwise (the service's own refusals carry a message that begins with
// kRefusalPrefix). Reply strings and string vectors belong to the caller,
// who frees them with g_free and g_strfreev. Name vectors are
// NULL-terminated; bulk replies hold one value per name, in order.

#ifndef OSTRAND_TRANSACTION_SERVICE_CALLS_H_
#define OSTRAND_TRANSACTION_SERVICE_CALLS_H_

#include <dbus/dbus-glib.h>

// Where the service lives on the session bus. Only the bus name may differ
// from card to card (the daemon's --bus).
inline constexpr char kServiceName[] = "org.velmor.transaction";
inline constexpr char kServicePath[] = "/transaction";
inline constexpr char kServiceInterface[] = "org.velmor.transaction";

// The signal listing the parameters a transaction changed, "name=value"
// each, the name possibly with an index suffix ("level[3]=7").
inline constexpr char kTransactionSignal[] = "transaction";

// An error whose message begins with these characters is the service's own
// answer, not a failure on the way to it.
inline constexpr char kRefusalPrefix[] = "dbus_velmor_transaction";

gboolean callStart(DBusGProxy* proxy, guint* transaction, GError** error);
gboolean callEnd(DBusGProxy* proxy, guint transaction, GError** error);
gboolean callCommit(DBusGProxy* proxy, guint transaction, GError** error);

gboolean callGet(DBusGProxy* proxy, guint transaction, const char* name,
                 char** value, GError** error);
gboolean callSingleGet(DBusGProxy* proxy, const char* name, char** value,
                       GError** error);
gboolean callGetBulk(DBusGProxy* proxy, guint transaction, guint count,
                     const char* const* names, char*** values, GError** error);
gboolean callSingleGetBulk(DBusGProxy* proxy, guint count,
                           const char* const* names, char*** values,
                           GError** error);

gboolean callSet(DBusGProxy* proxy, guint transaction, const char* name,
                 const char* value, GError** error);
gboolean callSingleSet(DBusGProxy* proxy, const char* name, const char* value,
                       GError** error);
gboolean callSetStatus(DBusGProxy* proxy, guint transaction, const char* name,
                       const char* value, GError** error);
gboolean callSingleSetStatus(DBusGProxy* proxy, const char* name,
                             const char* value, GError** error);
gboolean callSetBulk(DBusGProxy* proxy, guint transaction,
                     const char* const* names, const char* const* values,
                     GError** error);
gboolean callSingleSetBulk(DBusGProxy* proxy, const char* const* names,
                           const char* const* values, GError** error);
gboolean callSetStatusBulk(DBusGProxy* proxy, guint transaction,
                           const char* const* names, const char* const* values,
                           GError** error);
gboolean callSingleSetStatusBulk(DBusGProxy* proxy, const char* const* names,
                                 const char* const* values, GError** error);

// `accepted` tells whether the service would take the value.
gboolean callCheckSet(DBusGProxy* proxy, guint transaction, const char* name,
                      const char* value, gboolean* accepted, GError** error);
gboolean callSingleCheckSet(DBusGProxy* proxy, const char* name,
                            const char* value, gboolean* accepted,
                            GError** error);

gboolean callReset(DBusGProxy* proxy, guint transaction, const char* name,
                   GError** error);
gboolean callSingleReset(DBusGProxy* proxy, const char* name, GError** error);
gboolean callResetStatus(DBusGProxy* proxy, guint transaction, const char* name,
                         GError** error);
gboolean callSingleResetStatus(DBusGProxy* proxy, const char* name,
                               GError** error);
gboolean callResetBulk(DBusGProxy* proxy, guint transaction,
                       const char* const* names, GError** error);
gboolean callSingleResetBulk(DBusGProxy* proxy, const char* const* names,
                             GError** error);
gboolean callResetStatusBulk(DBusGProxy* proxy, guint transaction,
                             const char* const* names, GError** error);
gboolean callSingleResetStatusBulk(DBusGProxy* proxy, const char* const* names,
                                   GError** error);

// Receives the outcome of a commit issued with beginCommit: `error` is null
// when the service committed, else the caller's to free.
using CommitReply = void (*)(DBusGProxy* proxy, GError* error, gpointer data);

// Issues commit and returns at once; the main loop later calls `reply` with
// `data`, once, whatever the outcome (unless the proxy is destroyed first).
void beginCommit(DBusGProxy* proxy, guint transaction, CommitReply reply,
                 gpointer data);

#endif  // OSTRAND_TRANSACTION_SERVICE_CALLS_H_
