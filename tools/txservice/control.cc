#include "control.h"

#include "methods.h"

namespace {

// Uses up one of `count` when it applies.
bool take(int& count) {
  if (count == 0) return false;
  if (count > 0) --count;
  return true;
}

const MethodSpec* knownMethod(const std::string& method, std::string* error) {
  const MethodSpec* spec = findMethod(method);
  if (spec == nullptr) *error = "no service method '" + method + "'";
  return spec;
}

}  // namespace

int setFault(ControlState& control, Fault fault, const std::string& method,
             int count, std::string* error) {
  const MethodSpec* spec = knownMethod(method, error);
  if (spec == nullptr) return 1;
  if (count < -1) {
    *error = "count " + std::to_string(count) + " is below -1";
    return 1;
  }
  if (fault == Fault::Truncate &&
      !(spec->operation == Operation::Get && spec->bulk)) {
    *error = "'" + method + "' is not a bulk get";
    return 1;
  }
  control.faults[method].counts[fault] = count;
  return 0;
}

int setFailure(ControlState& control, const std::string& method, int count,
               const std::string& message, std::string* error) {
  if (setFault(control, Fault::Fail, method, count, error) != 0) return 1;
  control.faults[method].failMessage = message;
  return 0;
}

int setDelay(ControlState& control, const std::string& method,
             uint32_t milliseconds, std::string* error) {
  if (knownMethod(method, error) == nullptr) return 1;
  control.faults[method].delayMilliseconds = milliseconds;
  return 0;
}

Fault judgeCall(ControlState& control, const std::string& method) {
  auto faults = control.faults.find(method);
  if (faults == control.faults.end()) return Fault::None;
  for (Fault fault : {Fault::Drop, Fault::Fail, Fault::Refuse}) {
    if (take(faults->second.counts[fault])) return fault;
  }
  return Fault::None;
}

bool takeTruncation(ControlState& control, const std::string& method) {
  auto faults = control.faults.find(method);
  return faults != control.faults.end() &&
         take(faults->second.counts[Fault::Truncate]);
}
