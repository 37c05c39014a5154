// What the D-Bus object's two interfaces share: string vectors to and from
// GVariant, the `transaction` signal and replies sent now or later.

#ifndef OSTRAND_TOOLS_TXSERVICE_WIRE_H_
#define OSTRAND_TOOLS_TXSERVICE_WIRE_H_

#include <gio/gio.h>

#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kRefusedError[] = "org.velmor.transaction.Error.Refused";
inline constexpr char kFailedError[] = "org.freedesktop.DBus.Error.Failed";
inline constexpr char kBadArgumentError[] =
    "org.ostrand.TxControl.Error.BadArgument";

// One answer to a method call: an error when errorName is set, else the
// reply tuple `value` (null for a reply without values).
struct Reply {
  GVariant* value = nullptr;
  const char* errorName = nullptr;
  std::string errorMessage;
};

// A reply carrying the tuple `value` (floating; null for no values).
Reply valueReply(GVariant* value);
Reply errorReply(const char* errorName, const std::string& message);

// The string vector at `index` of the tuple `parameters`.
std::vector<std::string> stringsAt(GVariant* parameters, gsize index);

// A new floating "as" value holding `strings`.
GVariant* stringVector(const std::vector<std::string>& strings);

// Emits the service's `transaction` signal carrying `changes`.
void emitTransaction(GDBusConnection* connection,
                     const std::vector<std::string>& changes);

// Answers `invocation` with `reply` after `milliseconds` (at once for 0)
// without holding up the main loop. Takes over the invocation and a
// floating reply value.
void sendReply(GDBusMethodInvocation* invocation, Reply reply,
               uint32_t milliseconds);

#endif  // OSTRAND_TOOLS_TXSERVICE_WIRE_H_
