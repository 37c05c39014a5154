// What the instances of one trap read: the names in the trap's values and
// bindings resolved for each instance (a parameter indexed like the trap
// reads the instance's own index values), the rules built from the values,
// and the bindings.
//
// The instances of a trap differ only in the index values those names take,
// so the rules are built once per trap, with a slot wherever a resolved name
// goes, and each instance fills the slots with its own names.

#ifndef OSTRAND_TRAPS_TRAP_RULES_H_
#define OSTRAND_TRAPS_TRAP_RULES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "language/model.h"
#include "mib/mib_model.h"
#include "traps/trap_registry.h"

// The trap that names are resolved for.
struct TrapContext {
  const MibVariableMap& variables;
  const std::string& trapName;
  const MibIndexKey& indexNames;  // the trap's index parameters
  int32_t version;                // the trap's registration version
};

// The rules and bindings of a trap's instances, with the names they read
// left to each instance.
//
// A name reads as itself for a scalar parameter; for an indexed one, as the
// name with one "[value]" per index parameter, in the parameter's own index
// order, each value the instance's value of that index parameter. It does
// not resolve when it is no MIB variable, is indexed by a parameter the
// trap is not indexed by, or gets its last index list only after the trap's
// version, nor for an instance that lacks some index value.
//
// The rules come from the trap's values, in the order written:
//  - a single value reading the trap's own name is the condition itself;
//    another single value v is the condition sw::this == (v);
//  - a range a..b is the condition (a) <= sw::this && sw::this <= (b);
//  - a trap without values gets the condition sw::this != 0;
// each with the result 1, and last the rule 1 gives 0. The trap's own name
// reads as sw::this. The first value holding a name that does not resolve
// makes no rule, and the values after it keep their names as written.
// A binding is "sw::this" for the trap's own name, else the resolved name
// (empty when it does not resolve), which is also read.
//
// A rule that reads no index value is the same for every instance and is
// built once. An instance holds a rule equal to one that `previous` holds
// at the same place, or as its final rule, from there: the instances of a
// trap differ at most in the index values of the names they read, and most
// traps end alike.
class TrapPlan {
 public:
  // The plan of the instances that have every index value when
  // `complete`, else of those lacking some, for which no name resolves.
  TrapPlan(const TrapContext& context, const TrapDef& trap, bool complete);

  // Fills the dependencies, rules and bindings of `instance` for the index
  // values `values`; `previous` holds the rules of the instance registered
  // before it (any trap's), and is not kept.
  void fill(const TrapIndexValues& values, const TrapRules& previous,
            TrapInstance& instance);

 private:
  // A name that resolves: `base` with a "[value]" for each of `positions`
  // (into the instance's index values), inside a video standard constant's
  // name when `constant` is set.
  struct Name {
    std::string base;
    std::vector<uint32_t> positions;
    bool isConstant = false;
    std::string constant;
  };
  // Where a resolved name goes in the rules.
  struct Slot {
    uint32_t rule;
    uint32_t position;  // in the rule's condition
    uint32_t name;
  };
  static constexpr uint32_t kUnresolved = ~0u;
  static constexpr uint32_t kThis = kUnresolved - 1;

  bool markNames(std::vector<ExprValue>& infix, const TrapContext& context,
                 bool complete);
  bool resolves(const TrapContext& context, const std::string& name,
                bool complete, Name& resolved) const;
  void resolve(uint32_t name, const TrapIndexValues& values,
               std::string& text) const;
  // Rule `rule` with each of its slots given its name from `texts`.
  TrapRules::Rule filled(uint32_t rule,
                         const std::vector<std::string>& texts) const;

  TranslationList rules_;  // a slot's name left empty
  // Per rule, as every instance holds it when it reads no index value,
  // else null.
  std::vector<TrapRules::Rule> fixed_;
  std::vector<Slot> slots_;
  std::vector<Name> names_;  // each read by the instances
  // Per binding, its name in names_, or kThis or kUnresolved.
  std::vector<uint32_t> bindings_;
  uint32_t unresolvedBindings_ = 0;
  std::vector<std::string> texts_;  // per name, for the instance being filled
};

#endif  // OSTRAND_TRAPS_TRAP_RULES_H_
