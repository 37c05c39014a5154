#include "trapdecode/instance_labels.h"

#include "expr/expr_value.h"

InstanceLabels labelInstances(const TrapRegistry& registry) {
  InstanceLabels labels;
  for (const auto& [trapName, group] : registry.groups) {
    for (const auto& [indexValues, instance] : group.instances) {
      InstanceLabel label;
      label.name = instanceParameterName(trapName, indexValues);
      for (const TrapBinding& binding : instance.bindings) {
        label.bindingNames.push_back(binding.name == kThisName ? label.name
                                     : binding.name.empty()    ? "?"
                                                               : binding.name);
      }
      labels.emplace(std::pair{static_cast<uint16_t>(group.faultId),
                               static_cast<uint16_t>(instance.id)},
                     std::move(label));
    }
  }
  return labels;
}
