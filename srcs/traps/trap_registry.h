// The trap registry: every trap instance the card can raise, with what
// decides its state and what its records carry. It is built once from the
// MIB model while the definition file loads, and is the only product of
// loading that the running daemon keeps; everything else is discarded.
//
// A trap is a parameter of the generated traps table: its value, the trap
// parameter's current text, is the "sw::this" of its rules. A trap indexed
// by index parameters has one instance per index value.

#ifndef OSTRAND_TRAPS_TRAP_REGISTRY_H_
#define OSTRAND_TRAPS_TRAP_REGISTRY_H_

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "language/model.h"
#include "mib/mib_model.h"

// A value sent along with a trap record.
struct TrapBinding {
  // The bound parameter with its index suffix ("level[3]"), "sw::this" for
  // the trap's own value, or empty when the name did not resolve.
  std::string name;
  uint32_t id = 0;  // nothing gives a binding another identifier
};

// The values of a trap's index parameters for one instance, in the order of
// the trap's index list; empty for a trap without index.
using TrapIndexValues = std::vector<std::string>;

// The rules of one instance, tried in order with the trap's value as
// "sw::this": the first whose condition holds gives the state, and the last
// always holds and gives 0. A rule that reads nothing of the instance's own
// (no index value) is the same for many instances, even of different
// traps, and is held once for all of them.
class TrapRules {
 public:
  using Rule = std::shared_ptr<const ValueTranslation>;

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = ValueTranslation;
    using difference_type = std::ptrdiff_t;
    using pointer = const ValueTranslation*;
    using reference = const ValueTranslation&;

    const_iterator() = default;
    explicit const_iterator(std::vector<Rule>::const_iterator at) : at_(at) {}
    reference operator*() const { return **at_; }
    pointer operator->() const { return at_->get(); }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    const_iterator operator++(int) { return const_iterator(at_++); }
    friend bool operator==(const const_iterator&,
                           const const_iterator&) = default;

   private:
    std::vector<Rule>::const_iterator at_;
  };

  TrapRules() = default;
  explicit TrapRules(std::vector<Rule> rules) : rules_(std::move(rules)) {}

  const_iterator begin() const { return const_iterator(rules_.begin()); }
  const_iterator end() const { return const_iterator(rules_.end()); }
  size_t size() const { return rules_.size(); }
  bool empty() const { return rules_.empty(); }
  // The i-th rule as held, for another instance to hold it too; and put in
  // its place an equal one held elsewhere.
  const Rule& shared(size_t i) const { return rules_[i]; }
  void share(size_t i, Rule rule) { rules_[i] = std::move(rule); }

 private:
  std::vector<Rule> rules_;
};

struct TrapInstance {
  // The trap's position in its row of the traps table, shifted left by 8,
  // or-ed with the index number (the position alone without index).
  uint32_t id = 0;
  int32_t lastValue = -1;  // the last state sent; -1 before the first
  // Every parameter, with its index suffix, and every "vidStd::" name that
  // the rules and bindings read, in ascending order, each once.
  std::vector<std::string> dependencies;
  TrapRules rules;
  std::vector<TrapBinding> bindings;  // in the order of `bindings { }`
};

// A trap's instances in ascending order of their index values, each index
// value list once. Filled while the trap registers and unchanged after.
class TrapInstances {
 public:
  using value_type = std::pair<TrapIndexValues, TrapInstance>;
  using iterator = std::vector<value_type>::iterator;
  using const_iterator = std::vector<value_type>::const_iterator;

  // Adds `instance` under `indexValues`; an instance added earlier under
  // the same values stays. The added instances are found only after seal.
  void add(TrapIndexValues indexValues, TrapInstance instance);
  void reserve(size_t count) { instances_.reserve(count); }
  void seal();

  iterator begin() { return instances_.begin(); }
  iterator end() { return instances_.end(); }
  const_iterator begin() const { return instances_.begin(); }
  const_iterator end() const { return instances_.end(); }
  size_t size() const { return instances_.size(); }
  bool empty() const { return instances_.empty(); }
  // The instance added last, before seal.
  const TrapInstance& back() const { return instances_.back().second; }

  iterator find(const TrapIndexValues& indexValues);
  const_iterator find(const TrapIndexValues& indexValues) const;
  size_t count(const TrapIndexValues& indexValues) const {
    return find(indexValues) != end() ? 1 : 0;
  }
  // The instance under `indexValues`; throws std::out_of_range without one.
  TrapInstance& at(const TrapIndexValues& indexValues);
  const TrapInstance& at(const TrapIndexValues& indexValues) const;

 private:
  std::vector<value_type> instances_;
};

struct TrapGroup {
  // The identifier of the trap's fault-present flag at the version the trap
  // was registered at.
  int32_t faultId = -1;
  TrapInstances instances;
};

using TrapGroups = std::map<std::string, TrapGroup>;  // by trap name

// An instance that reads a name: the name is one of its dependencies, or
// the parameter of a video standard constant among them.
struct TrapReader {
  std::string_view name;  // a view into the instance's dependencies
  TrapGroups::value_type* trap;
  uint32_t instance;  // its position in the trap's instances
  uint32_t hash;      // of the name (readerHash)
};

struct TrapRegistry {
  TrapRegistry() = default;
  TrapRegistry(TrapRegistry&&) = default;
  TrapRegistry& operator=(TrapRegistry&&) = default;
  // The readers point into the groups.
  TrapRegistry(const TrapRegistry&) = delete;
  TrapRegistry& operator=(const TrapRegistry&) = delete;

  int32_t deviceFd = -1;  // where the records go
  TrapGroups groups;
  // Every instance under each name it reads, in ascending order of the
  // names' hashes, then of the names themselves, so that a changed parameter finds the instances it concerns at once
  // however many others there are. Built when the registry is filled.
  std::vector<TrapReader> readers;
};

// The instances that read `name` (see TrapReader), each once.
std::span<const TrapReader> readersOf(const TrapRegistry& registry,
                                      std::string_view name);

// The daemon's registry, created on first use and kept until the process
// exits.
TrapRegistry& trapRegistry();

// The trap parameter of an instance as the service names it: the trap's
// name with one "[value]" per index value ("inputLoss[2]").
std::string instanceParameterName(const std::string& trapName,
                                  const TrapIndexValues& indexValues);

// Registers every trap of the traps table that is present in its final form
// in some row of it (no index, index value or range change follows, and the
// trap is not removed), at the first such row, and sets the device. A trap
// whose fault-present flag has no identifier at that row's version is left
// out; one whose index cannot be enumerated gets no instance. Then indexes
// the instances by the names they read (readers). Reports nothing. The
// registry is built on a thread of its own that ends before the return (see
// trap_registry.cc), so that it lies in memory of its own.
void registerTraps(TrapRegistry& registry, int deviceFd,
                   const MibTableSet& mibTables,
                   const MibVariableMap& mibVariables,
                   const MibIndexMap& mibIndices, const DefinitionModel& model,
                   const VarIdMap& varIds);

// The first version after `version` at which anything the MIB says about
// `variable` changes: its index list, the values of the index in effect at
// `version`, its range, or its removal (at any version). -1 when nothing
// ever changes.
int32_t nextChangeVersion(const MibVariable& variable, int32_t version,
                          const MibIndexMap& indices);

#endif  // OSTRAND_TRAPS_TRAP_REGISTRY_H_
