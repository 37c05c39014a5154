#include "wire.h"

#include "methods.h"

namespace {

struct PendingReply {
  GDBusMethodInvocation* invocation;  // null once answered
  Reply reply;
};

void answer(GDBusMethodInvocation* invocation, const Reply& reply) {
  if (reply.errorName != nullptr) {
    g_dbus_method_invocation_return_dbus_error(invocation, reply.errorName,
                                               reply.errorMessage.c_str());
  } else {
    g_dbus_method_invocation_return_value(invocation, reply.value);
  }
}

gboolean answerPending(gpointer data) {
  auto* pending = static_cast<PendingReply*>(data);
  answer(pending->invocation, pending->reply);
  pending->invocation = nullptr;
  return G_SOURCE_REMOVE;
}

// Runs when the timeout source goes, whether it answered or not.
void freePending(gpointer data) {
  auto* pending = static_cast<PendingReply*>(data);
  if (pending->invocation != nullptr) g_object_unref(pending->invocation);
  if (pending->reply.value != nullptr) g_variant_unref(pending->reply.value);
  delete pending;
}

}  // namespace

Reply valueReply(GVariant* value) {
  Reply reply;
  reply.value = value;
  return reply;
}

Reply errorReply(const char* errorName, const std::string& message) {
  Reply reply;
  reply.errorName = errorName;
  reply.errorMessage = message;
  return reply;
}

std::vector<std::string> stringsAt(GVariant* parameters, gsize index) {
  const gchar** items = nullptr;
  g_variant_get_child(parameters, index, "^a&s", &items);
  std::vector<std::string> strings;
  for (const gchar** item = items; *item != nullptr; ++item)
    strings.push_back(*item);
  g_free(items);
  return strings;
}

GVariant* stringVector(const std::vector<std::string>& strings) {
  GVariantBuilder builder;
  g_variant_builder_init(&builder, G_VARIANT_TYPE_STRING_ARRAY);
  for (const std::string& string : strings) {
    g_variant_builder_add(&builder, "s", string.c_str());
  }
  return g_variant_builder_end(&builder);
}

void emitTransaction(GDBusConnection* connection,
                     const std::vector<std::string>& changes) {
  GError* error = nullptr;
  if (!g_dbus_connection_emit_signal(
          connection, nullptr, kObjectPath, kServiceInterface, kSignalName,
          g_variant_new("(@as)", stringVector(changes)), &error)) {
    g_printerr("txservice: cannot emit %s: %s\n", kSignalName, error->message);
    g_error_free(error);
  }
}

void sendReply(GDBusMethodInvocation* invocation, Reply reply,
               uint32_t milliseconds) {
  if (milliseconds == 0) {
    answer(invocation, reply);
    return;
  }
  // Held past this call, so the floating reference becomes ours.
  if (reply.value != nullptr) g_variant_ref_sink(reply.value);
  g_timeout_add_full(G_PRIORITY_DEFAULT, milliseconds, answerPending,
                     new PendingReply{invocation, reply}, freePending);
}
