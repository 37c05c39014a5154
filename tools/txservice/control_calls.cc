#include "control_calls.h"

#include <cstring>

#include "bus.h"
#include "wire.h"

namespace {

// Carries out one control call: 0, with `reply` set when the method has
// values to return, or 1 with `error` set.
using ControlHandler = int (*)(Service* service, GVariant* parameters,
                               GVariant** reply, std::string* error);

int emitChanges(Service* service, GVariant* parameters, GVariant**,
                std::string*) {
  emitTransaction(service->connection, stringsAt(parameters, 0));
  return 0;
}

int setValues(Service* service, GVariant* parameters, GVariant**,
              std::string* error) {
  return presetValues(service->state, stringsAt(parameters, 0), error);
}

template <Fault fault>
int orderFault(Service* service, GVariant* parameters, GVariant**,
               std::string* error) {
  const gchar* method = nullptr;
  gint32 count = 0;
  g_variant_get(parameters, "(&si)", &method, &count);
  return setFault(service->control, fault, method, count, error);
}

int orderFailure(Service* service, GVariant* parameters, GVariant**,
                 std::string* error) {
  const gchar* method = nullptr;
  gint32 count = 0;
  const gchar* message = nullptr;
  g_variant_get(parameters, "(&si&s)", &method, &count, &message);
  return setFailure(service->control, method, count, message, error);
}

int orderDelay(Service* service, GVariant* parameters, GVariant**,
               std::string* error) {
  const gchar* method = nullptr;
  guint32 milliseconds = 0;
  g_variant_get(parameters, "(&su)", &method, &milliseconds);
  return setDelay(service->control, method, milliseconds, error);
}

int listCalls(Service* service, GVariant*, GVariant** reply, std::string*) {
  *reply = g_variant_new("(@as)", stringVector(service->control.calls));
  return 0;
}

int clearCalls(Service* service, GVariant*, GVariant**, std::string*) {
  service->control.calls.clear();
  return 0;
}

struct ControlMethod {
  const char* name;
  ControlHandler handler;
};

const ControlMethod kControlMethods[] = {
    {"Emit", emitChanges},
    {"Set", setValues},
    {"Refuse", orderFault<Fault::Refuse>},
    {"Fail", orderFailure},
    {"Delay", orderDelay},
    {"Drop", orderFault<Fault::Drop>},
    {"Truncate", orderFault<Fault::Truncate>},
    {"Calls", listCalls},
    {"ClearCalls", clearCalls},
};

void onControlCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                   const gchar* methodName, GVariant* parameters,
                   GDBusMethodInvocation* invocation, gpointer data) {
  auto* service = static_cast<Service*>(data);
  for (const ControlMethod& method : kControlMethods) {
    if (std::strcmp(method.name, methodName) != 0) continue;
    GVariant* reply = nullptr;
    std::string error;
    if (method.handler(service, parameters, &reply, &error) != 0) {
      sendReply(invocation, errorReply(kBadArgumentError, error), 0);
    } else {
      sendReply(invocation, valueReply(reply), 0);
    }
    return;
  }
}

}  // namespace

const GDBusInterfaceVTable kControlCalls = {
    onControlCall, nullptr, nullptr, {}};
