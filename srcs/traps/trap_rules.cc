#include "traps/trap_rules.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "expr/constant_names.h"
#include "mib/translation.h"

namespace {

using Infix = std::vector<ExprValue>;

bool readsThis(const Infix& infix) {
  return std::find(infix.begin(), infix.end(), thisValue()) != infix.end();
}

// The values of `tokens`, each with a text of its own rather than the
// parsed definition's: the registry outlives the definition, and should not
// keep its memory in use.
Infix valuesOf(const std::vector<ExprToken>& tokens) {
  Infix infix;
  infix.reserve(tokens.size());
  for (const ExprToken& token : tokens) {
    infix.push_back(token.value);
    infix.back().text = Text(token.value.text.view());
  }
  return infix;
}

Infix parenthesised(const Infix& infix) {
  Infix out = {operatorValue(kExprOpenParen)};
  out.insert(out.end(), infix.begin(), infix.end());
  out.push_back(operatorValue(kExprCloseParen));
  return out;
}

Infix joined(std::initializer_list<Infix> parts) {
  Infix out;
  for (const Infix& part : parts)
    out.insert(out.end(), part.begin(), part.end());
  return out;
}

void addRule(TranslationList& rules, const Infix& condition, int32_t state) {
  rules.push_back(makeTranslation(condition, {integerValue(state)}));
}

void addValueRule(TranslationList& rules, const Infix& from, const Infix& to) {
  if (from.empty()) return;
  const Infix self = {thisValue()};
  if (to.empty()) {
    addRule(
        rules,
        readsThis(from)
            ? from
            : joined({self, {operatorValue(kExprEqual)}, parenthesised(from)}),
        1);
    return;
  }
  // A bound that reads the trap's own value does not say where the range
  // lies; such a range never matches, so it gets no rule.
  if (readsThis(from) || readsThis(to)) return;
  addRule(rules,
          joined({parenthesised(from),
                  {operatorValue(kExprLessEqual)},
                  self,
                  {operatorValue(kExprAnd)},
                  self,
                  {operatorValue(kExprLessEqual)},
                  parenthesised(to)}),
          1);
}

// A name waiting for its slot: a Name without text, numbered from 1 by
// its place among the plan's names. A name read from the file always has
// text and the number 0.
ExprValue slotValue(uint32_t name) {
  return ExprValue{kExprName, static_cast<int32_t>(name) + 1, ""};
}

bool isSlot(const ExprValue& value) {
  return value.kind == kExprName && value.text.empty() && value.number > 0;
}

bool sameRule(const ValueTranslation& a, const ValueTranslation& b) {
  return &a == &b || (a.condition == b.condition && a.result == b.result);
}

// `rule`, or an equal one that `previous` holds at place `at` or as its
// final rule.
TrapRules::Rule sharedWith(TrapRules::Rule rule, size_t at,
                           const TrapRules& previous) {
  if (previous.empty()) return rule;
  if (at < previous.size() && sameRule(*rule, *previous.shared(at))) {
    return previous.shared(at);
  }
  const TrapRules::Rule& last = previous.shared(previous.size() - 1);
  return sameRule(*rule, *last) ? last : rule;
}

}  // namespace

bool TrapPlan::resolves(const TrapContext& context, const std::string& name,
                        bool complete, Name& resolved) const {
  if (!complete) return false;
  const auto variable = context.variables.find(name);
  if (variable == context.variables.end()) return false;
  resolved.base = name;
  const auto& indexLists = variable->second.indexLists;
  if (indexLists.empty() || indexLists.rbegin()->second.empty()) return true;
  const auto& [listVersion, list] = *indexLists.rbegin();
  if (listVersion > context.version ||
      list.size() > context.indexNames.size()) {
    return false;
  }
  for (const std::string& indexName : list) {
    const auto at = std::find(context.indexNames.begin(),
                              context.indexNames.end(), indexName);
    if (at == context.indexNames.end()) return false;
    resolved.positions.push_back(at - context.indexNames.begin());
  }
  return true;
}

// Puts a slot in place of each name of `infix` and adds the names to the
// plan's. Returns false, with `infix` emptied and no name added, when a
// name does not resolve.
bool TrapPlan::markNames(Infix& infix, const TrapContext& context,
                         bool complete) {
  const size_t known = names_.size();
  for (ExprValue& value : infix) {
    if (value.kind != kExprName) continue;
    if (value.text == context.trapName) {
      value = thisValue();
      continue;
    }
    Name name;
    std::string parameter;
    name.isConstant =
        splitVidStdConstantName(value.text, parameter, name.constant);
    if (!resolves(context, name.isConstant ? parameter : value.text.str(),
                  complete, name)) {
      names_.resize(known);
      infix.clear();
      return false;
    }
    value = slotValue(names_.size());
    names_.push_back(std::move(name));
  }
  return true;
}

TrapPlan::TrapPlan(const TrapContext& context, const TrapDef& trap,
                   bool complete) {
  bool resolving = true;
  for (const ValueRange& value : trap.trueTrap.values) {
    Infix from = valuesOf(value.from);
    Infix to = valuesOf(value.to);
    if (resolving) {
      resolving = markNames(from, context, complete) &&
                  markNames(to, context, complete);
      if (!resolving) {
        from.clear();
        to.clear();
      }
    }
    addValueRule(rules_, from, to);
  }
  if (trap.trueTrap.values.empty()) {
    addRule(rules_,
            {thisValue(), operatorValue(kExprNotEqual), integerValue(0)}, 1);
  }
  addRule(rules_, {integerValue(1)}, 0);
  for (uint32_t rule = 0; rule < rules_.size(); ++rule) {
    const Infix& condition = rules_[rule].condition;
    for (uint32_t at = 0; at < condition.size(); ++at) {
      if (isSlot(condition[at])) {
        slots_.push_back({rule, at, uint32_t(condition[at].number) - 1});
      }
    }
  }

  bindings_.reserve(trap.bindings.items.size());
  for (const NameRef& bound : trap.bindings.items) {
    Name name;
    if (bound.name == context.trapName) {
      bindings_.push_back(kThis);
    } else if (resolves(context, bound.name, complete, name)) {
      bindings_.push_back(names_.size());
      names_.push_back(std::move(name));
    } else {
      bindings_.push_back(kUnresolved);
      ++unresolvedBindings_;
    }
  }

  // The names that read no index value, and with them the rules reading
  // no other, are the same for every instance.
  texts_.resize(names_.size());
  for (uint32_t name = 0; name < names_.size(); ++name) {
    if (names_[name].positions.empty()) resolve(name, {}, texts_[name]);
  }
  fixed_.resize(rules_.size());
  for (uint32_t rule = 0; rule < rules_.size(); ++rule) {
    const bool readsIndex =
        std::any_of(slots_.begin(), slots_.end(), [&](const Slot& slot) {
          return slot.rule == rule && !names_[slot.name].positions.empty();
        });
    if (!readsIndex) fixed_[rule] = filled(rule, texts_);
  }
}

void TrapPlan::resolve(uint32_t name, const TrapIndexValues& values,
                       std::string& text) const {
  const Name& read = names_[name];
  text = read.base;
  for (uint32_t position : read.positions) {
    text += '[';
    text += values[position];
    text += ']';
  }
  if (read.isConstant) text = vidStdConstantName(text, read.constant);
}

TrapRules::Rule TrapPlan::filled(uint32_t rule,
                                 const std::vector<std::string>& texts) const {
  ValueTranslation translation = rules_[rule];
  for (const Slot& slot : slots_) {
    if (slot.rule == rule) {
      translation.condition[slot.position] =
          ExprValue{kExprName, 0, texts[slot.name]};
    }
  }
  return std::make_shared<const ValueTranslation>(std::move(translation));
}

void TrapPlan::fill(const TrapIndexValues& values, const TrapRules& previous,
                    TrapInstance& instance) {
  for (uint32_t name = 0; name < names_.size(); ++name) {
    if (!names_[name].positions.empty()) resolve(name, values, texts_[name]);
  }
  std::vector<TrapRules::Rule> rules;
  rules.reserve(rules_.size());
  for (uint32_t rule = 0; rule < rules_.size(); ++rule) {
    TrapRules::Rule shared = sharedWith(
        fixed_[rule] ? fixed_[rule] : filled(rule, texts_), rule, previous);
    // Once shared with a rule of an earlier trap, it stays so for the
    // instances after.
    if (fixed_[rule]) fixed_[rule] = shared;
    rules.push_back(std::move(shared));
  }
  instance.rules = TrapRules(std::move(rules));

  instance.bindings.reserve(bindings_.size());
  for (uint32_t name : bindings_) {
    TrapBinding& binding = instance.bindings.emplace_back();
    if (name == kThis) {
      binding.name = thisValue().text;
    } else if (name != kUnresolved) {
      binding.name = texts_[name];
    }
  }
  // An unresolved binding sends the empty name, and reads it too.
  std::vector<std::string>& dependencies = instance.dependencies;
  dependencies.reserve(texts_.size() + unresolvedBindings_);
  dependencies.resize(unresolvedBindings_);
  dependencies.insert(dependencies.end(), texts_.begin(), texts_.end());
  std::sort(dependencies.begin(), dependencies.end());
  dependencies.erase(std::unique(dependencies.begin(), dependencies.end()),
                     dependencies.end());
}
