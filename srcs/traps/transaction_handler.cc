#include "traps/transaction_handler.h"

#include <tuple>

#include "expr/constant_names.h"
#include "transaction/parameter_access.h"
#include "traps/transaction_item.h"
#include "traps/trap_record.h"
#include "vid_std.h"

namespace {

std::string ownName(const AffectedKey& key) {
  return instanceParameterName(key.trapName, key.indexValues);
}

void addAffected(TrapRegistry& registry, const TransactionItem& item,
                 AffectedMap& affected) {
  const auto own = registry.groups.find(item.baseName);
  if (own != registry.groups.end()) {
    affected.emplace(AffectedKey{&own->second, item.baseName, item.indexValues},
                     item.valueText);
    return;
  }
  for (const TrapReader& reader : readersOf(registry, item.fullName)) {
    auto& [trapName, group] = *reader.trap;
    affected.emplace(
        AffectedKey{&group, trapName,
                    group.instances.begin()[reader.instance].first},
        "");
  }
}

// Fetches, in one call, the own values not yet known and every parameter an
// instance reads that the signal did not carry, then computes the video
// standard constants the instances read.
void fetchMissingValues(TrapPorts& ports, const AffectedMap& affected,
                        ValueMap& values) {
  NameSet wanted;
  VidStdReferences references;
  for (const auto& [key, ownValue] : affected) {
    if (ownValue.empty()) wanted.insert(ownName(key));
    const auto instance = key.group->instances.find(key.indexValues);
    if (instance == key.group->instances.end()) continue;
    for (const std::string& dependency : instance->second.dependencies) {
      std::string parameter, constant;
      if (splitVidStdConstantName(dependency, parameter, constant)) {
        references.emplace(parameter, constant);
      } else {
        parameter = dependency;
      }
      if (values.count(parameter) == 0) wanted.insert(parameter);
    }
  }
  if (!wanted.empty()) {
    // A refusal leaves `fetched` empty: the instances without their own
    // value drop out below, and rules reading a missing name do not match.
    ValueMap fetched;
    ports.fetch(wanted, fetched);
    values.insert(fetched.begin(), fetched.end());
  }
  addVidStdConstantValues(values, references);
}

void completeOwnValues(AffectedMap& affected, const ValueMap& values) {
  for (auto it = affected.begin(); it != affected.end();) {
    if (it->second.empty()) {
      const auto found = values.find(ownName(it->first));
      if (found == values.end()) {
        it = affected.erase(it);
        continue;
      }
      it->second = found->second;
    }
    ++it;
  }
}

// The transaction service behind the daemon's fetch proxy, and the trap
// device.
class ServicePorts : public TrapPorts {
 public:
  ServicePorts(DBusGProxy* proxy, int deviceFd)
      : proxy_(proxy), deviceFd_(deviceFd) {}

  void fetch(const NameSet& names, ValueMap& values) override {
    parm_get(proxy_, TransactionRef(), names, values);
  }

  void send(const std::string& record) override {
    sendTrapRecord(deviceFd_, record);
  }

 private:
  DBusGProxy* proxy_;
  int deviceFd_;
};

}  // namespace

bool operator<(const AffectedKey& a, const AffectedKey& b) {
  return std::tie(a.trapName, a.indexValues, a.group) <
         std::tie(b.trapName, b.indexValues, b.group);
}

void subscribe(const ServiceProxies& proxies, TrapRegistry& registry) {
  // One subscription per process: the daemon's, for the life of it.
  static TrapSubscription subscription;
  subscription = {&registry, proxies.fetch};
  parm_subscribe(proxies.signal, G_CALLBACK(onTransaction), &subscription);
}

void handleTransaction(char** changes, TrapRegistry& registry,
                       TrapPorts& ports) {
  ValueMap values;
  AffectedMap affected;
  for (char** change = changes; *change != nullptr; ++change) {
    TransactionItem item;
    if (parseTransactionItem(*change, item) != 0) continue;
    values.emplace(item.fullName, item.valueText);
    addAffected(registry, item, affected);
  }
  if (affected.empty()) return;
  fetchMissingValues(ports, affected, values);
  completeOwnValues(affected, values);
  std::string record;
  for (const auto& [key, ownValue] : affected) {
    if (nextTrapRecord(*key.group, key.indexValues, ownValue, values,
                       &record)) {
      ports.send(record);
    }
  }
}

void onTransaction(DBusGProxy*, char** changes,
                   TrapSubscription* subscription) {
  if (changes == nullptr || subscription == nullptr ||
      subscription->registry == nullptr) {
    return;
  }
  TrapRegistry& registry = *subscription->registry;
  ServicePorts ports(subscription->fetchProxy, registry.deviceFd);
  handleTransaction(changes, registry, ports);
}
