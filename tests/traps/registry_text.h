// The trap registry of a definition text, written as short text for
// readable expectations.

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

// Per trap "name fault F", then per instance its identifier, its rules
// ("condition -> result" as postfix lists), the names it reads and its
// bindings in record order (a binding's identifier after "=" unless 0).
inline std::string describeTraps(const TrapRegistry& registry) {
  std::string out;
  for (const auto& [name, group] : registry.groups) {
    out += name + " fault " + std::to_string(group.faultId) +
           (group.instances.empty() ? ", no instance\n" : "\n");
    for (const auto& [values, instance] : group.instances) {
      out += " " + instanceName(name, values) + " id " +
             std::to_string(instance.id) + "\n  rules:";
      for (const ValueTranslation& rule : instance.rules) {
        out += " " + describe(rule.condition) + " -> " + describe(rule.result) + ";";
      }
      out += "\n  reads:";
      for (const std::string& dependency : instance.dependencies) {
        out += " " + (dependency.empty() ? "''" : dependency);
      }
      out += "\n  binds:";
      for (const TrapBinding& binding : instance.bindings) {
        out += " " + (binding.name.empty() ? "''" : binding.name) +
               (binding.id != 0 ? "=" + std::to_string(binding.id) : "");
      }
      out += "\n";
    }
  }
  return out;
}

#endif  // OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_
