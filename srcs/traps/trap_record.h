// The trap record: what the card sends over its USB command/status link
// when the state of a trap instance changes. One record is one write on the
// trap device:
//
//   offset 0  2 bytes  the low 16 bits of the trap's fault identifier
//                      (host byte order)
//   offset 2  2 bytes  the low 16 bits of the instance identifier
//                      (host byte order)
//   offset 4  4 bytes  the new state, big-endian (0 or 1)
//
// followed, when every bound value is known, by one entry per binding in
// the order of the trap's bindings:
//
//   4 bytes  the binding identifier, big-endian (always 0)
//   1 byte   the length of the text plus one
//   n bytes  the text, as the service sent it
//   1 byte   NUL
//
// A record whose bindings cannot all be filled goes without any entry.

#ifndef OSTRAND_TRAPS_TRAP_RECORD_H_
#define OSTRAND_TRAPS_TRAP_RECORD_H_

#include <cstddef>
#include <string>

#include "expr/expr_value.h"
#include "traps/trap_registry.h"

constexpr size_t kTrapRecordHeaderSize = 8;
// The bytes of an entry besides its text: identifier, length byte, NUL.
constexpr size_t kTrapBindingOverhead = 6;
// The longest text whose length the length byte can state.
constexpr size_t kMaxBoundTextSize = 254;

// Evaluates the instance of `group` under `indexValues` with `ownValue` as
// its value (leaving it as "sw::this" in `values`, where a binding of the
// trap's own name finds it). When the state differs from the last one sent,
// records the new state, sets `record` to the record to send and returns
// true. False when the state is unchanged or there is no instance under
// `indexValues`.
bool nextTrapRecord(TrapGroup& group, const TrapIndexValues& indexValues,
                    const std::string& ownValue, ValueMap& values,
                    std::string* record);

// Writes `record` to the trap device in one call. A failed or short write
// is neither retried nor reported: the state stays recorded as sent. A
// device whose reader has gone away fails the write like any other fault
// and does not end the daemon.
void sendTrapRecord(int deviceFd, const std::string& record);

// The bytes of the record of `instance` of `group` in state `state`, its
// bound values read from `values`.
std::string trapRecord(const TrapGroup& group, const TrapInstance& instance,
                       int32_t state, const ValueMap& values);

#endif  // OSTRAND_TRAPS_TRAP_RECORD_H_
