#include "transaction/service_calls.h"

#include <glib.h>

// Every wrapper is one dbus_g_proxy_call: input (type, value) pairs up to
// G_TYPE_INVALID, then output (type, pointer) pairs up to G_TYPE_INVALID.

gboolean callStart(DBusGProxy* proxy, guint* transaction, GError** error) {
  return dbus_g_proxy_call(proxy, "start", error, G_TYPE_INVALID, G_TYPE_UINT,
                           transaction, G_TYPE_INVALID);
}

gboolean callEnd(DBusGProxy* proxy, guint transaction, GError** error) {
  return dbus_g_proxy_call(proxy, "end", error, G_TYPE_UINT, transaction,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callCommit(DBusGProxy* proxy, guint transaction, GError** error) {
  return dbus_g_proxy_call(proxy, "commit", error, G_TYPE_UINT, transaction,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callGet(DBusGProxy* proxy, guint transaction, const char* name,
                 char** value, GError** error) {
  return dbus_g_proxy_call(proxy, "get", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRING, name, G_TYPE_INVALID, G_TYPE_STRING,
                           value, G_TYPE_INVALID);
}

gboolean callSingleGet(DBusGProxy* proxy, const char* name, char** value,
                       GError** error) {
  return dbus_g_proxy_call(proxy, "single_get", error, G_TYPE_STRING, name,
                           G_TYPE_INVALID, G_TYPE_STRING, value,
                           G_TYPE_INVALID);
}

gboolean callGetBulk(DBusGProxy* proxy, guint transaction, guint count,
                     const char* const* names, char*** values, GError** error) {
  return dbus_g_proxy_call(proxy, "get_bulk", error, G_TYPE_UINT, transaction,
                           G_TYPE_UINT, count, G_TYPE_STRV, names,
                           G_TYPE_INVALID, G_TYPE_STRV, values, G_TYPE_INVALID);
}

gboolean callSingleGetBulk(DBusGProxy* proxy, guint count,
                           const char* const* names, char*** values,
                           GError** error) {
  return dbus_g_proxy_call(proxy, "single_get_bulk", error, G_TYPE_UINT, count,
                           G_TYPE_STRV, names, G_TYPE_INVALID, G_TYPE_STRV,
                           values, G_TYPE_INVALID);
}

gboolean callSet(DBusGProxy* proxy, guint transaction, const char* name,
                 const char* value, GError** error) {
  return dbus_g_proxy_call(proxy, "set", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRING, name, G_TYPE_STRING, value,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSingleSet(DBusGProxy* proxy, const char* name, const char* value,
                       GError** error) {
  return dbus_g_proxy_call(proxy, "single_set", error, G_TYPE_STRING, name,
                           G_TYPE_STRING, value, G_TYPE_INVALID,
                           G_TYPE_INVALID);
}

gboolean callSetStatus(DBusGProxy* proxy, guint transaction, const char* name,
                       const char* value, GError** error) {
  return dbus_g_proxy_call(proxy, "set_status", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRING, name, G_TYPE_STRING, value,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSingleSetStatus(DBusGProxy* proxy, const char* name,
                             const char* value, GError** error) {
  return dbus_g_proxy_call(proxy, "single_set_status", error, G_TYPE_STRING,
                           name, G_TYPE_STRING, value, G_TYPE_INVALID,
                           G_TYPE_INVALID);
}

gboolean callSetBulk(DBusGProxy* proxy, guint transaction,
                     const char* const* names, const char* const* values,
                     GError** error) {
  return dbus_g_proxy_call(proxy, "set_bulk", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRV, names, G_TYPE_STRV, values,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSingleSetBulk(DBusGProxy* proxy, const char* const* names,
                           const char* const* values, GError** error) {
  return dbus_g_proxy_call(proxy, "single_set_bulk", error, G_TYPE_STRV, names,
                           G_TYPE_STRV, values, G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSetStatusBulk(DBusGProxy* proxy, guint transaction,
                           const char* const* names, const char* const* values,
                           GError** error) {
  return dbus_g_proxy_call(proxy, "set_status_bulk", error, G_TYPE_UINT,
                           transaction, G_TYPE_STRV, names, G_TYPE_STRV, values,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSingleSetStatusBulk(DBusGProxy* proxy, const char* const* names,
                                 const char* const* values, GError** error) {
  return dbus_g_proxy_call(proxy, "single_set_status_bulk", error, G_TYPE_STRV,
                           names, G_TYPE_STRV, values, G_TYPE_INVALID,
                           G_TYPE_INVALID);
}

gboolean callCheckSet(DBusGProxy* proxy, guint transaction, const char* name,
                      const char* value, gboolean* accepted, GError** error) {
  return dbus_g_proxy_call(proxy, "check_set", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRING, name, G_TYPE_STRING, value,
                           G_TYPE_INVALID, G_TYPE_BOOLEAN, accepted,
                           G_TYPE_INVALID);
}

gboolean callSingleCheckSet(DBusGProxy* proxy, const char* name,
                            const char* value, gboolean* accepted,
                            GError** error) {
  return dbus_g_proxy_call(proxy, "single_check_set", error, G_TYPE_STRING,
                           name, G_TYPE_STRING, value, G_TYPE_INVALID,
                           G_TYPE_BOOLEAN, accepted, G_TYPE_INVALID);
}

gboolean callReset(DBusGProxy* proxy, guint transaction, const char* name,
                   GError** error) {
  return dbus_g_proxy_call(proxy, "reset", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRING, name, G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSingleReset(DBusGProxy* proxy, const char* name, GError** error) {
  return dbus_g_proxy_call(proxy, "single_reset", error, G_TYPE_STRING, name,
                           G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callResetStatus(DBusGProxy* proxy, guint transaction, const char* name,
                         GError** error) {
  return dbus_g_proxy_call(proxy, "reset_status", error, G_TYPE_UINT,
                           transaction, G_TYPE_STRING, name, G_TYPE_INVALID,
                           G_TYPE_INVALID);
}

gboolean callSingleResetStatus(DBusGProxy* proxy, const char* name,
                               GError** error) {
  return dbus_g_proxy_call(proxy, "single_reset_status", error, G_TYPE_STRING,
                           name, G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callResetBulk(DBusGProxy* proxy, guint transaction,
                       const char* const* names, GError** error) {
  return dbus_g_proxy_call(proxy, "reset_bulk", error, G_TYPE_UINT, transaction,
                           G_TYPE_STRV, names, G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callSingleResetBulk(DBusGProxy* proxy, const char* const* names,
                             GError** error) {
  return dbus_g_proxy_call(proxy, "single_reset_bulk", error, G_TYPE_STRV,
                           names, G_TYPE_INVALID, G_TYPE_INVALID);
}

gboolean callResetStatusBulk(DBusGProxy* proxy, guint transaction,
                             const char* const* names, GError** error) {
  return dbus_g_proxy_call(proxy, "reset_status_bulk", error, G_TYPE_UINT,
                           transaction, G_TYPE_STRV, names, G_TYPE_INVALID,
                           G_TYPE_INVALID);
}

gboolean callSingleResetStatusBulk(DBusGProxy* proxy, const char* const* names,
                                   GError** error) {
  return dbus_g_proxy_call(proxy, "single_reset_status_bulk", error,
                           G_TYPE_STRV, names, G_TYPE_INVALID, G_TYPE_INVALID);
}

namespace {

// The caller's callback and data, carried through the pending call.
struct CommitBlock {
  CommitReply reply;
  gpointer data;
};

void onCommitReply(DBusGProxy* proxy, DBusGProxyCall* call, gpointer data) {
  const CommitBlock* block = static_cast<const CommitBlock*>(data);
  GError* error = nullptr;
  dbus_g_proxy_end_call(proxy, call, &error, G_TYPE_INVALID);
  block->reply(proxy, error, block->data);
}

void freeCommitBlock(gpointer data) {
  g_slice_free(CommitBlock, static_cast<CommitBlock*>(data));
}

}  // namespace

void beginCommit(DBusGProxy* proxy, guint transaction, CommitReply reply,
                 gpointer data) {
  CommitBlock* block = g_slice_new(CommitBlock);
  block->reply = reply;
  block->data = data;
  dbus_g_proxy_begin_call(proxy, "commit", onCommitReply, block,
                          freeCommitBlock, G_TYPE_UINT, transaction,
                          G_TYPE_INVALID);
}
