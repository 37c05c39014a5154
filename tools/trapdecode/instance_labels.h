// The names that a card's definition file gives to the identifiers of its
// trap records: which trap instance a record is about, and which parameter
// each of its binding entries carries.

#ifndef OSTRAND_TOOLS_TRAPDECODE_INSTANCE_LABELS_H_
#define OSTRAND_TOOLS_TRAPDECODE_INSTANCE_LABELS_H_

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "traps/trap_registry.h"

struct InstanceLabel {
  // The trap name with one "[value]" per index value: "inputLoss[2]".
  std::string name;
  // One per binding, in record order: the bound parameter with its index
  // suffix, the instance's own name for the trap's own value, "?" for a
  // name that did not resolve.
  std::vector<std::string> bindingNames;
};

// Keyed by what a record carries: the low 16 bits of the fault identifier
// and of the instance identifier.
using InstanceLabels = std::map<std::pair<uint16_t, uint16_t>, InstanceLabel>;

// The labels of every instance of `registry`. Two instances whose
// identifiers agree in their low 16 bits cannot be told apart by a record;
// the first in the registry's order (trap name, then index values) keeps
// the key.
InstanceLabels labelInstances(const TrapRegistry& registry);

#endif  // OSTRAND_TOOLS_TRAPDECODE_INSTANCE_LABELS_H_
