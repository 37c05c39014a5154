// A definition text taken through every step of the load that follows the
// parse, into a MIB model and a trap registry of the test's own, and that
// registry written as short text for readable expectations.

#ifndef OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_
#define OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_

#include <gtest/gtest.h>

#include <string>

#include "expr/expr_text.h"
#include "frame/generation.h"
#include "language/parse_text.h"
#include "mib/generate_mib.h"
#include "tables/traps_table.h"
#include "traps/trap_registry.h"

struct BuiltDefinition {
  Outcome parsed;
  DefinitionModel model;
  MibModel mib;
  TrapRegistry registry;  // empty unless every step succeeded
};

// Builds `text` as the load does (its lines split at newlines only), the
// progress and reports of each step discarded; the records of the
// registry's traps go to `deviceFd`.
inline void buildDefinition(const std::string& text, BuiltDefinition& built,
                            int deviceFd = -1) {
  built.parsed = parse(built.model, text);
  if (built.parsed != Outcome{}) return;
  const std::set<std::string> listed = tableParamNames(built.model);
  DiagnosticsList diagnostics;
  VideoStandardTable vidStdTable;
  MessageList messages;
  testing::internal::CaptureStderr();
  if (generateTrapsTable(diagnostics, built.model) == 0 &&
      generateVideoStandardTable(diagnostics, vidStdTable, built.model) == 0 &&
      generateMib(built.model, listed, vidStdTable, diagnostics, messages,
                  built.mib, standardErrorReport()) == 0) {
    registerTraps(built.registry, deviceFd, built.mib.tables,
                  built.mib.variables, built.mib.indices, built.model,
                  built.mib.varIds);
  }
  testing::internal::GetCapturedStderr();
}

// Per trap "name fault F", then per instance ("name[v,w]") its identifier,
// its rules ("condition -> result" as postfix lists), the names it reads
// and its bindings in record order (a binding's identifier after "=" unless
// 0; an empty name as '').
inline std::string describeTraps(const TrapRegistry& registry) {
  const auto quoted = [](const std::string& s) { return s.empty() ? "''" : s; };
  std::string out;
  for (const auto& [name, group] : registry.groups) {
    out += name + " fault " + std::to_string(group.faultId) +
           (group.instances.empty() ? ", no instance\n" : "\n");
    for (const auto& [values, instance] : group.instances) {
      out += " " + name;
      for (size_t i = 0; i < values.size(); ++i) {
        out += (i == 0 ? "[" : ",") + values[i] + (i + 1 == values.size() ? "]" : "");
      }
      out += " id " + std::to_string(instance.id) + "\n  rules:";
      for (const ValueTranslation& rule : instance.rules) {
        out += " " + describe(rule.condition) + " -> " + describe(rule.result) + ";";
      }
      out += "\n  reads:";
      for (const std::string& name : instance.dependencies) out += " " + quoted(name);
      out += "\n  binds:";
      for (const TrapBinding& binding : instance.bindings) {
        out += " " + quoted(binding.name) +
               (binding.id != 0 ? "=" + std::to_string(binding.id) : "");
      }
      out += "\n";
    }
  }
  return out;
}

#endif  // OSTRAND_TESTS_TRAPS_REGISTRY_TEXT_H_
