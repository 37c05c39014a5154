// The trap registry of a definition text, and its parts written as short
// text for readable expectations.

#ifndef OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_
#define OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/expr_text.h"
#include "mib/generated_mib.h"
#include "traps/trap_registry.h"

// Loads `text` as the daemon does and registers its traps into a registry
// of the test's own.
inline TrapRegistry registryFromText(const std::string& text) {
  const GeneratedMib generated = generateFromText(text);
  EXPECT_EQ(generated.status, 0);
  TrapRegistry registry;
  registerTraps(registry, 7, generated.mib.tables, generated.mib.variables,
                generated.mib.indices, generated.model, generated.mib.varIds);
  return registry;
}

// "name[v,w]" for the instance under index values v and w; "name" for the
// instance of a trap without index.
inline std::string instanceName(const std::string& trap,
                                const TrapIndexValues& values) {
  if (values.empty()) return trap;
  std::string out = trap + "[";
  for (size_t i = 0; i < values.size(); ++i) {
    out += (i != 0 ? "," : "") + values[i];
  }
  return out + "]";
}

// One line per instance: "name[values] fault id" with the identifiers in
// decimal; a group without instances as "name fault -".
inline std::vector<std::string> describeIds(const TrapRegistry& registry) {
  std::vector<std::string> lines;
  for (const auto& [name, group] : registry.groups) {
    const std::string fault = " " + std::to_string(group.faultId) + " ";
    if (group.instances.empty()) lines.push_back(name + fault + "-");
    for (const auto& [values, instance] : group.instances) {
      lines.push_back(instanceName(name, values) + fault +
                      std::to_string(instance.id));
    }
  }
  return lines;
}

#endif  // OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_
