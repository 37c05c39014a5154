// Transaction signals through the signal handler on the example card.

#include <string>
#include <vector>

#include "common/values_file.h"
#include "example_card.h"
#include "fuzz_entries.h"
#include "traps/transaction_handler.h"
#include "traps/trap_record.h"

namespace {

// The service stand-in: it holds the card's values, takes every change a
// signal announces, and answers a fetch from what it holds.
class ServiceStandIn : public TrapPorts {
 public:
  ServiceStandIn(TrapRegistry& registry)
      : values_(exampleCardValues()), deviceFd_(registry.deviceFd) {}

  void change(const std::string& entry) {
    std::string name, value;
    if (splitEntry(entry, &name, &value)) values_[name] = value;
  }
  void refuseNextFetch() { refuse_ = true; }

  void fetch(const NameSet& names, ValueMap& values) override {
    if (refuse_) {
      refuse_ = false;
      return;
    }
    for (const std::string& name : names) {
      const auto found = values_.find(name);
      if (found != values_.end() && !found->second.empty()) {
        values.insert(*found);
      }
    }
  }

  void send(const std::string& record) override {
    sendTrapRecord(deviceFd_, record);
  }

 private:
  std::map<std::string, std::string> values_;
  int deviceFd_;
  bool refuse_ = false;
};

void handle(std::vector<std::string>& changes, TrapRegistry& registry,
            ServiceStandIn& service) {
  if (changes.empty()) return;
  std::vector<char*> strings;
  for (std::string& change : changes) strings.push_back(change.data());
  strings.push_back(nullptr);
  handleTransaction(strings.data(), registry, service);
  changes.clear();
}

}  // namespace

int fuzzOneSignal(const uint8_t* data, size_t size) {
  TrapRegistry& registry = exampleCard();
  for (auto& [name, group] : registry.groups) {
    for (auto& [indexValues, instance] : group.instances) {
      instance.lastValue = -1;
    }
  }
  ServiceStandIn service(registry);
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> changes;
  size_t start = 0;
  while (start <= input.size()) {
    size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    // The service's strings are C strings: a NUL ends one.
    const std::string line = input.substr(start, end - start).c_str();
    start = end + 1;
    if (line.empty()) {
      handle(changes, registry, service);
    } else if (line == "-") {
      service.refuseNextFetch();
    } else {
      service.change(line);
      changes.push_back(line);
    }
  }
  handle(changes, registry, service);
  return 0;
}
