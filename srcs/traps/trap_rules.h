// What one trap instance reads: the names in a trap's values and bindings
// resolved for the instance (a parameter indexed like the trap reads the
// instance's own index values), the rules built from the values, and the
// bindings.

#ifndef OSTRAND_TRAPS_TRAP_RULES_H_
#define OSTRAND_TRAPS_TRAP_RULES_H_

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "language/model.h"
#include "mib/mib_model.h"
#include "traps/trap_registry.h"

// The instance that names are resolved for.
struct TrapContext {
  const MibVariableMap& variables;
  const std::string& trapName;
  const MibIndexKey& indexNames;       // the trap's index parameters
  const TrapIndexValues& indexValues;  // the instance's values of them
  int32_t version;                     // the trap's registration version
};

// An instance as its rules and bindings are built; the registry keeps it
// in a leaner form (TrapInstance).
struct InstanceDraft {
  TranslationList rules;
  std::set<std::string> dependencies;
  std::vector<TrapBinding> bindings;
};

// `name` as the instance reads it: the name itself for a scalar parameter;
// for an indexed one the name with one "[value]" per index parameter, in
// the parameter's own index order, each value the instance's value of that
// index parameter. Empty when `name` is no MIB variable, is indexed by a
// parameter the trap is not indexed by, or gets its last index list only
// after the trap's version, and when the instance lacks some index value.
std::string resolveTrapName(const TrapContext& context,
                            const std::string& name);

// Fills the instance's rules from the trap's values, in the order written,
// and adds the names they read to its dependencies:
//  - a single value reading the trap's own name is the condition itself;
//    another single value v is the condition sw::this == (v);
//  - a range a..b is the condition (a) <= sw::this && sw::this <= (b);
//  - a trap without values gets the condition sw::this != 0;
// each with the result 1, and last the rule 1 gives 0.
// The trap's own name reads as sw::this. The first value holding a name
// that does not resolve makes no rule, and the values after it keep their
// names as written.
void buildRules(InstanceDraft& instance, const TrapContext& context,
                const TrapValues& trueTrap);

// Fills the instance's bindings: "sw::this" for the trap's own name, else
// the resolved name, which is also a dependency.
void buildBindings(InstanceDraft& instance, const TrapContext& context,
                   const NameList& bindings);

#endif  // OSTRAND_TRAPS_TRAP_RULES_H_
