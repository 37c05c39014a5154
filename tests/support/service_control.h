// Orders to the transaction service stand-in through its control interface
// org.ostrand.TxControl, from a test's own bus connection. Each reports a
// failed call as a test failure.

#ifndef OSTRAND_TESTS_SUPPORT_SERVICE_CONTROL_H_
#define OSTRAND_TESTS_SUPPORT_SERVICE_CONTROL_H_

#include <dbus/dbus-glib.h>

#include <string>
#include <vector>

// The stand-in's control object on `connection`; g_object_unref it.
DBusGProxy* serviceControl(DBusGConnection* connection);

// The service calls received since the record was last cleared, as the
// stand-in writes them ("single_get ('a',)").
std::vector<std::string> serviceCalls(DBusGProxy* control);
// Clears the record; a call arriving meanwhile is lost, so only while no
// client is calling.
void clearServiceCalls(DBusGProxy* control);

// The next `count` calls of `method` fail with `message`, or with the
// service's refusal when `message` is empty.
void failNextCalls(DBusGProxy* control, const char* method, int count,
                   const char* message = "");

// The service emits the transaction signal with `changes` as they are.
void emitTransaction(DBusGProxy* control,
                     const std::vector<std::string>& changes);

#endif  // OSTRAND_TESTS_SUPPORT_SERVICE_CONTROL_H_
