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

#include <cstdint>
#include <map>
#include <set>
#include <string>
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

struct TrapInstance {
  // The trap's position in its row of the traps table, shifted left by 8,
  // or-ed with the index number (the position alone without index).
  uint32_t id = 0;
  int32_t lastValue = -1;  // the last state sent; -1 before the first
  // Every parameter, with its index suffix, and every "vidStd::" name that
  // the rules and bindings read.
  std::set<std::string> dependencies;
  // Tried in order with the trap's value as "sw::this"; the first whose
  // condition holds gives the state. The last always holds and gives 0.
  TranslationList rules;
  std::vector<TrapBinding> bindings;  // in the order of `bindings { }`
};

struct TrapGroup {
  // The identifier of the trap's fault-present flag at the version the trap
  // was registered at.
  int32_t faultId = -1;
  std::map<TrapIndexValues, TrapInstance> instances;
};

struct TrapRegistry {
  int32_t deviceFd = -1;                    // where the records go
  std::map<std::string, TrapGroup> groups;  // by trap name
};

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
// out; one whose index cannot be enumerated gets no instance. Reports
// nothing.
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
