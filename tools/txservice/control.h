// What the tests order through the control interface: faults injected into
// the replies of service methods, and the record of every service call.
//
// Counts: n > 0 applies to the next n calls (or replies), -1 to every one
// until the count is set to 0 again, 0 to none. For one call the faults are
// consulted in the order drop, fail, refuse, and only the one that applies
// uses up one of its count; a call that none of them takes is served, its
// reply truncated when a truncation is due, and every reply the call gets,
// an error included, is sent after the method's delay.

#ifndef OSTRAND_TOOLS_TXSERVICE_CONTROL_H_
#define OSTRAND_TOOLS_TXSERVICE_CONTROL_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class Fault { None, Drop, Fail, Refuse, Truncate };

struct MethodFaults {
  std::map<Fault, int> counts;
  std::string failMessage;
  uint32_t delayMilliseconds = 0;
};

struct ControlState {
  std::map<std::string, MethodFaults> faults;  // by service method name
  std::vector<std::string> calls;              // in arrival order
};

// Orders `count` calls of the service method `method` to meet `fault`.
// Returns 1 with `error` set when `method` is none of the service's methods,
// `count` is below -1, or a truncation is asked of a method that is not a
// bulk get.
int setFault(ControlState& control, Fault fault, const std::string& method,
             int count, std::string* error);

// As setFault for Fault::Fail; the failures carry `message`.
int setFailure(ControlState& control, const std::string& method, int count,
               const std::string& message, std::string* error);

// Sends every later reply of `method` `milliseconds` late (0: at once).
// Returns 1 with `error` set when `method` is none of the service's methods.
int setDelay(ControlState& control, const std::string& method,
             uint32_t milliseconds, std::string* error);

// The fault that takes this call of `method` (Drop, Fail or Refuse), using
// up one of its count, or None when the call is to be served.
Fault judgeCall(ControlState& control, const std::string& method);

// True when this successful reply of `method` is to lose its last value;
// uses up one of the truncation count.
bool takeTruncation(ControlState& control, const std::string& method);

#endif  // OSTRAND_TOOLS_TXSERVICE_CONTROL_H_
