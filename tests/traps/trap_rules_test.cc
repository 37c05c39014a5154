// What each trap instance reads: its rules (checked by text and by the
// state evaluateTrap gives for sample values), the names it depends on and
// its bindings, for traps with and without index.

#include "traps/trap_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "traps/trap_evaluation.h"
#include "traps/registry_text.h"

namespace {

using ::testing::ElementsAreArray;

// The trap's values as written in its declaration, and what else it needs.
std::string trap(const std::string& version, const std::string& items) {
  return "t trap " + version +
         " { description { d } action_true { a } action_false { b } " + items +
         " }\n";
}

// "condition -> result", both as describe() writes postfix lists.
std::vector<std::string> describeRules(const TrapInstance& instance) {
  std::vector<std::string> lines;
  for (const ValueTranslation& rule : instance.rules) {
    lines.push_back(describe(rule.condition) + " -> " + describe(rule.result));
  }
  return lines;
}

struct Sample {
  std::string own;
  ValueMap values;
  int state;
};

struct Case {
  const char* name;
  std::string definitions;  // of the trap t
  TrapIndexValues instance;
  std::vector<std::string> rules;
  std::vector<std::string> dependencies;
  std::vector<std::string> bindings;
  std::vector<Sample> samples;
};

const std::string kScalarT = "t 0 { range 0 { 0..9 } }\n";
const std::string kSlotT =
    "slot 0 { range 0 { 1..2 } }\nt 0 { index 0 { slot } range 0 { 0..9 } }\n";

TEST(TrapRules, RulesDependenciesAndBindings) {
  const std::vector<Case> cases = {
      {"a value and a range",
       kScalarT + trap("0", "true_trap { 2, 5..7 }"),
       {},
       {"sw::this #2 == -> #1", "#5 sw::this <= sw::this #7 <= && -> #1",
        "#1 -> #0"},
       {},
       {},
       {{"2", {}, 1}, {"5", {}, 1}, {"7", {}, 1}, {"4", {}, 0}, {"8", {}, 0}}},
      {"no values",
       kScalarT + trap("0", ""),
       {},
       {"sw::this #0 != -> #1", "#1 -> #0"},
       {},
       {},
       {{"0", {}, 0}, {"3", {}, 1}}},
      // A single value without the trap's own value is compared with it as
      // a whole; one that reads it (here by the trap's name) is the
      // condition itself.
      {"text, own name and another parameter",
       kScalarT + "limit 0 { range 0 { 0..9 } }\nc table 0 { limit }\n" +
           trap("0", "true_trap { \"lost\", (t > limit), (limit) }"),
       {},
       {"sw::this \"lost\" == -> #1", "sw::this limit > -> #1",
        "sw::this limit == -> #1", "#1 -> #0"},
       {"limit"},
       {},
       {{"lost", {{"limit", "3"}}, 1},
        {"5", {{"limit", "3"}}, 1},
        {"2", {{"limit", "3"}}, 0},
        {"3", {{"limit", "3"}}, 1},
        {"9", {}, 0}}},
      {"a parameter indexed like the trap reads the instance's value",
       kSlotT +
           "level 0 { index 0 { slot } range 0 { 0..9 } }\n"
           "gain 0 { range 0 { 0..9 } }\nc table 0 { level, gain }\n" +
           trap("0", "bindings { level, t, gain } true_trap { (t < level) }"),
       {"2"},
       {"sw::this level[2] < -> #1", "#1 -> #0"},
       {"gain", "level[2]"},
       {"level[2]", "sw::this", "gain"},
       {{"1", {{"level[2]", "4"}, {"level[1]", "0"}}, 1},
        {"1", {{"level[1]", "4"}}, 0}}},
      {"a combined index: each parameter in its own index order",
       "slot 0 { range 0 { 1..2 } }\nport 0 { range 0 { \"in\", \"out\" } }\n"
       "t 0 { index 0 { slot, port } range 0 { 0 } }\n"
       "x 0 { index 0 { port } range 0 { 0 } }\n"
       "y 0 { index 0 { port, slot } range 0 { 0 } }\nc table 0 { x, y }\n" +
           trap("0", "bindings { y, x }"),
       {"2", "out"},
       {"sw::this #0 != -> #1", "#1 -> #0"},
       {"x[out]", "y[out][2]"},
       {"y[out][2]", "x[out]"},
       {}},
      {"a video standard constant",
       kScalarT + "std 0 { range 0 { \"625i50\" } }\nstd vidstd 0 { spal }\n" +
           trap("0", "true_trap { (t == vidStd::std::spal) }"),
       {},
       {"sw::this vidStd::std::spal == -> #1", "#1 -> #0"},
       {"vidStd::std::spal"},
       {},
       {{"288", {{"vidStd::std::spal", "288"}}, 1}}},
      // The first value naming something the instance cannot read makes no
      // rule; the values after it keep their names as written, so the trap
      // name in the last is no longer the trap's value. An unresolved
      // binding is sent as the empty name.
      {"names that do not resolve",
       kSlotT +
           "level 0 { index 0 { slot } range 0 { 0..9 } }\n"
           "c table 0 { level }\n" +
           trap("0",
                "bindings { nosuch } true_trap { 3..(nosuch), (t == 4), 2 }"),
       {"1"},
       {"sw::this t #4 == == -> #1", "sw::this #2 == -> #1", "#1 -> #0"},
       {""},
       {""},
       {{"2", {}, 1}, {"4", {}, 0}}},
      {"a scalar trap cannot read an indexed parameter",
       kScalarT +
           "slot 0 { range 0 { 1..2 } }\n"
           "level 0 { index 0 { slot } range 0 { 0..9 } }\n"
           "c table 0 { level }\n" +
           trap("0", "true_trap { (level == 1), 1 }"),
       {},
       {"sw::this #1 == -> #1", "#1 -> #0"},
       {},
       {},
       {}},
      {"a range bound reading the trap's value makes no rule",
       kScalarT + trap("0", "true_trap { (t - 1)..5, 6 }"),
       {},
       {"sw::this #6 == -> #1", "#1 -> #0"},
       {},
       {},
       {{"4", {}, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TrapRegistry registry = registryFromText(c.definitions);
    ASSERT_EQ(registry.groups.count("t"), 1u);
    const auto& instances = registry.groups.at("t").instances;
    ASSERT_EQ(instances.count(c.instance), 1u);
    const TrapInstance& instance = instances.at(c.instance);
    EXPECT_THAT(describeRules(instance), ElementsAreArray(c.rules));
    EXPECT_THAT(instance.dependencies, ElementsAreArray(c.dependencies));
    std::vector<std::string> bindings;
    for (const TrapBinding& binding : instance.bindings) {
      EXPECT_EQ(binding.id, 0u);
      bindings.push_back(binding.name);
    }
    EXPECT_THAT(bindings, ElementsAreArray(c.bindings));
    for (const Sample& sample : c.samples) {
      ValueMap values = sample.values;
      EXPECT_EQ(evaluateTrap(instance.rules, sample.own, values), sample.state)
          << "t=" << sample.own;
    }
  }
}

}  // namespace
