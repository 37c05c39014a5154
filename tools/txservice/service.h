// The transaction service's values and transactions, and what each call
// does to them; no bus is involved, the D-Bus object hands every call over
// as a Request and sends back the Answer.
//
// What the stand-in does where the card's service is free to choose:
// - Values are texts held in memory by name (a name may carry an index
//   suffix such as level[3]). An unknown name reads as "", the service's
//   way of saying "no value".
// - A set, outside a transaction, takes effect at once and is announced by
//   one `transaction` signal listing "name=value" for each name in call
//   order. A reset brings a name back to its value from the values file, or
//   removes it when the file gave none, and is announced as
//   "name=<value now>" ("name=" when removed). Nothing is announced when a
//   bulk call names nothing.
// - A name that is empty or holds '=' cannot be announced as name=value;
//   sets and resets of such a name are refused, and nothing of the call is
//   applied. Reading it just answers "".
// - check_set accepts every non-empty value and changes nothing.
// - start opens transactions numbered 1, 2, 3, ... Inside a transaction,
//   sets and resets are held; reads see the transaction's own held changes
//   over the current values; commit applies what is held in call order,
//   announces it in one signal and keeps the transaction open; end closes
//   it and drops whatever was not committed.
// - A refusal answers the call with a message beginning with
//   "dbus_velmor_transaction", the prefix by which a client tells the
//   service's own answer from a failure on the way.

#ifndef OSTRAND_TOOLS_TXSERVICE_SERVICE_H_
#define OSTRAND_TOOLS_TXSERVICE_SERVICE_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "methods.h"

// The start of every refusal's message.
inline constexpr char kRefusalPrefix[] = "dbus_velmor_transaction: ";

// A set (value given) or a reset held by an open transaction.
struct HeldChange {
  std::string name;
  std::optional<std::string> value;  // absent for a reset
};

struct ServiceState {
  std::map<std::string, std::string> values;
  // The values file's values, to which a reset returns.
  std::map<std::string, std::string> initialValues;
  std::map<uint32_t, std::vector<HeldChange>> transactions;
  uint32_t lastTransaction = 0;
};

struct Request {
  Operation operation = Operation::Start;
  std::optional<uint32_t> transaction;  // absent for the "single_" forms
  std::optional<uint32_t> count;        // the count of a bulk get
  std::vector<std::string> names;       // one for the single-name forms
  std::vector<std::string> values;      // for set and check_set
};

struct Answer {
  std::string refusal;       // why the call was refused; empty when served
  uint32_t transaction = 0;  // start's reply
  std::vector<std::string> values;  // get's reply, one per name
  bool accepted = false;            // check_set's reply
  // The strings of the `transaction` signal the call causes; no signal
  // when empty.
  std::vector<std::string> changes;
};

// Serves one call. Returns 0 when served, 1 when refused (`answer->refusal`
// then says why and the state is unchanged).
int serveRequest(ServiceState& state, const Request& request, Answer* answer);

// Sets every "name=value" of `entries` without a signal, or none of them:
// returns 1 with `error` naming the first entry that is not name=value.
int presetValues(ServiceState& state, const std::vector<std::string>& entries,
                 std::string* error);

#endif  // OSTRAND_TOOLS_TXSERVICE_SERVICE_H_
