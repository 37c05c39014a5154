#include "traps/trap_record.h"

#include <cstring>

#include "traps/device_write.h"
#include "traps/trap_evaluation.h"

namespace {

void appendHost16(std::string& out, uint16_t value) {
  char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  out.append(bytes, sizeof value);
}

void appendBig32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xff));
  }
}

// The entries of the bindings, or nothing when one of them has no value.
std::string bindingEntries(const TrapInstance& instance,
                           const ValueMap& values) {
  std::string entries;
  for (const TrapBinding& binding : instance.bindings) {
    const auto found = values.find(binding.name);
    if (found == values.end()) return {};
    // The length byte counts the text and its NUL, so it can state no text
    // longer than 254 bytes; a longer one is sent cut to 254 rather than
    // with a length byte that contradicts the bytes after it, which would
    // misalign every later entry at the far end.
    const std::string_view text =
        std::string_view(found->second).substr(0, kMaxBoundTextSize);
    appendBig32(entries, binding.id);
    entries.push_back(static_cast<char>(text.size() + 1));
    entries.append(text);
    entries.push_back('\0');
  }
  return entries;
}

}  // namespace

std::string trapRecord(const TrapGroup& group, const TrapInstance& instance,
                       int32_t state, const ValueMap& values) {
  std::string record;
  record.reserve(kTrapRecordHeaderSize);
  appendHost16(record, static_cast<uint16_t>(group.faultId));
  appendHost16(record, static_cast<uint16_t>(instance.id));
  appendBig32(record, static_cast<uint32_t>(state));
  return record + bindingEntries(instance, values);
}

bool nextTrapRecord(TrapGroup& group, const TrapIndexValues& indexValues,
                    const std::string& ownValue, ValueMap& values,
                    std::string* record) {
  const auto found = group.instances.find(indexValues);
  if (found == group.instances.end()) return false;
  TrapInstance& instance = found->second;
  const int32_t state = evaluateTrap(instance.rules, ownValue, values);
  if (state == instance.lastValue) return false;
  instance.lastValue = state;
  *record = trapRecord(group, instance, state, values);
  return true;
}

void sendTrapRecord(int deviceFd, const std::string& record) {
  // A record the device does not take is lost: the far end learns the
  // state from the next change, and repeating it here could block the
  // handling of every later transaction.
  [[maybe_unused]] const ssize_t written =
      writeToDevice(deviceFd, record.data(), record.size());
}
