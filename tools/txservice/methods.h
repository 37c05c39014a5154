// The methods of the transaction service as they travel on the bus: their
// names, the operation each stands for, and whether it takes a transaction
// number and string vectors. The introspection data is built from the same
// table, so that what the object declares and what it serves cannot differ.
// All of it is spelled out here rather than taken from the daemon's own
// client, so that a slip on either side shows in the end-to-end tests.

#ifndef OSTRAND_TOOLS_TXSERVICE_METHODS_H_
#define OSTRAND_TOOLS_TXSERVICE_METHODS_H_

#include <string>

inline constexpr char kServiceInterface[] = "org.velmor.transaction";
inline constexpr char kControlInterface[] = "org.ostrand.TxControl";
inline constexpr char kObjectPath[] = "/transaction";
inline constexpr char kSignalName[] = "transaction";

enum class Operation { Start, End, Commit, Get, Set, CheckSet, Reset };

struct MethodSpec {
  const char* name;
  Operation operation;
  // The first input is the number of an open transaction; the "single_"
  // forms work on the values directly.
  bool inTransaction;
  // Names (and values) come as string vectors; a bulk get also carries the
  // number of names.
  bool bulk;
};

// The service method called `name`, or null when there is none.
const MethodSpec* findMethod(const std::string& name);

// The introspection XML of the object: the service interface with its 25
// methods and the `transaction` signal, and the control interface.
std::string introspectionXml();

#endif  // OSTRAND_TOOLS_TXSERVICE_METHODS_H_
