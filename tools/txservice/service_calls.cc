#include "service_calls.h"

#include "bus.h"
#include "wire.h"

namespace {

uint32_t uintAt(GVariant* parameters, gsize index) {
  guint32 number = 0;
  g_variant_get_child(parameters, index, "u", &number);
  return number;
}

std::string stringAt(GVariant* parameters, gsize index) {
  const gchar* string = nullptr;
  g_variant_get_child(parameters, index, "&s", &string);
  return string;
}

Request requestOf(const MethodSpec& method, GVariant* parameters) {
  Request request;
  request.operation = method.operation;
  gsize next = 0;
  if (method.inTransaction) request.transaction = uintAt(parameters, next++);
  if (method.operation == Operation::Get && method.bulk) {
    request.count = uintAt(parameters, next++);
  }
  auto list = [&] {
    if (method.bulk) return stringsAt(parameters, next++);
    return std::vector<std::string>{stringAt(parameters, next++)};
  };
  switch (method.operation) {
    case Operation::Start:
    case Operation::End:
    case Operation::Commit:
      break;
    case Operation::Get:
    case Operation::Reset:
      request.names = list();
      break;
    case Operation::Set:
    case Operation::CheckSet:
      request.names = list();
      request.values = list();
      break;
  }
  return request;
}

GVariant* replyOf(const MethodSpec& method, const Answer& answer) {
  switch (method.operation) {
    case Operation::Start:
      return g_variant_new("(u)", answer.transaction);
    case Operation::Get:
      if (method.bulk) {
        return g_variant_new("(@as)", stringVector(answer.values));
      }
      return g_variant_new("(s)", answer.values.front().c_str());
    case Operation::CheckSet:
      return g_variant_new("(b)", static_cast<gboolean>(answer.accepted));
    default:
      return nullptr;
  }
}

Reply serve(Service* service, const MethodSpec& method, GVariant* parameters) {
  Answer answer;
  Request request = requestOf(method, parameters);
  if (serveRequest(service->state, request, &answer) != 0) {
    return errorReply(kRefusedError, answer.refusal);
  }
  if (!answer.changes.empty()) {
    emitTransaction(service->connection, answer.changes);
  }
  // An empty reply has no value to lose and leaves the truncation due.
  if (method.operation == Operation::Get && method.bulk &&
      !answer.values.empty() && takeTruncation(service->control, method.name)) {
    answer.values.pop_back();
  }
  return valueReply(replyOf(method, answer));
}

void onServiceCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                   const gchar* methodName, GVariant* parameters,
                   GDBusMethodInvocation* invocation, gpointer data) {
  auto* service = static_cast<Service*>(data);
  const MethodSpec& method = *findMethod(methodName);
  gchar* printed = g_variant_print(parameters, FALSE);
  service->control.calls.push_back(std::string(methodName) + " " + printed);
  g_free(printed);

  Reply reply;
  switch (judgeCall(service->control, method.name)) {
    case Fault::Drop:
      // Never answered: the caller waits until its own timeout.
      g_object_unref(invocation);
      return;
    case Fault::Fail:
      reply = errorReply(kFailedError,
                         service->control.faults[method.name].failMessage);
      break;
    case Fault::Refuse:
      reply =
          errorReply(kRefusedError,
                     kRefusalPrefix + std::string(method.name) + " refused");
      break;
    default:
      reply = serve(service, method, parameters);
      break;
  }
  sendReply(invocation, reply,
            service->control.faults[method.name].delayMilliseconds);
}

}  // namespace

const GDBusInterfaceVTable kServiceCalls = {
    onServiceCall, nullptr, nullptr, {}};
