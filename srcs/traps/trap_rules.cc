#include "traps/trap_rules.h"

#include <algorithm>
#include <vector>

#include "expr/constant_names.h"
#include "mib/translation.h"

namespace {

using Infix = std::vector<ExprValue>;

bool readsThis(const Infix& infix) {
  return std::find(infix.begin(), infix.end(), thisValue()) != infix.end();
}

Infix valuesOf(const std::vector<ExprToken>& tokens) {
  Infix infix;
  infix.reserve(tokens.size());
  for (const ExprToken& token : tokens) infix.push_back(token.value);
  return infix;
}

// Rewrites each Name of `infix` as the instance reads it. Returns false,
// with `infix` emptied and no dependency added, when a name does not
// resolve.
bool substituteNames(Infix& infix, InstanceDraft& instance,
                     const TrapContext& context) {
  std::vector<std::string> read;
  for (ExprValue& value : infix) {
    if (value.kind != kExprName) continue;
    if (value.text == context.trapName) {
      value = thisValue();
      continue;
    }
    std::string parameter;
    std::string constant;
    const bool isConstant =
        splitVidStdConstantName(value.text, parameter, constant);
    const std::string resolved =
        resolveTrapName(context, isConstant ? parameter : value.text.str());
    if (resolved.empty()) {
      infix.clear();
      return false;
    }
    value.text = isConstant ? vidStdConstantName(resolved, constant) : resolved;
    read.push_back(value.text);
  }
  instance.dependencies.insert(read.begin(), read.end());
  return true;
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

void addRule(InstanceDraft& instance, const Infix& condition, int32_t state) {
  instance.rules.push_back(makeTranslation(condition, {integerValue(state)}));
}

void addValueRule(InstanceDraft& instance, const Infix& from, const Infix& to) {
  if (from.empty()) return;
  const Infix self = {thisValue()};
  if (to.empty()) {
    addRule(
        instance,
        readsThis(from)
            ? from
            : joined({self, {operatorValue(kExprEqual)}, parenthesised(from)}),
        1);
    return;
  }
  // A bound that reads the trap's own value does not say where the range
  // lies; such a range never matches, so it gets no rule.
  if (readsThis(from) || readsThis(to)) return;
  addRule(instance,
          joined({parenthesised(from),
                  {operatorValue(kExprLessEqual)},
                  self,
                  {operatorValue(kExprAnd)},
                  self,
                  {operatorValue(kExprLessEqual)},
                  parenthesised(to)}),
          1);
}

}  // namespace

std::string resolveTrapName(const TrapContext& context,
                            const std::string& name) {
  if (context.indexValues.size() != context.indexNames.size()) return "";
  const auto variable = context.variables.find(name);
  if (variable == context.variables.end()) return "";
  const auto& indexLists = variable->second.indexLists;
  if (indexLists.empty() || indexLists.rbegin()->second.empty()) return name;
  const auto& [listVersion, list] = *indexLists.rbegin();
  if (listVersion > context.version ||
      list.size() > context.indexNames.size()) {
    return "";
  }
  std::string resolved = name;
  for (const std::string& indexName : list) {
    const auto at = std::find(context.indexNames.begin(),
                              context.indexNames.end(), indexName);
    if (at == context.indexNames.end()) return "";
    resolved +=
        "[" + context.indexValues[at - context.indexNames.begin()] + "]";
  }
  return resolved;
}

void buildRules(InstanceDraft& instance, const TrapContext& context,
                const TrapValues& trueTrap) {
  bool resolving = true;
  for (const ValueRange& value : trueTrap.values) {
    Infix from = valuesOf(value.from);
    Infix to = valuesOf(value.to);
    if (resolving) {
      resolving = substituteNames(from, instance, context) &&
                  substituteNames(to, instance, context);
      if (!resolving) {
        from.clear();
        to.clear();
      }
    }
    addValueRule(instance, from, to);
  }
  if (trueTrap.values.empty()) {
    addRule(instance,
            {thisValue(), operatorValue(kExprNotEqual), integerValue(0)}, 1);
  }
  addRule(instance, {integerValue(1)}, 0);
}

void buildBindings(InstanceDraft& instance, const TrapContext& context,
                   const NameList& bindings) {
  instance.bindings.reserve(bindings.items.size());
  for (const NameRef& bound : bindings.items) {
    TrapBinding binding;
    if (bound.name == context.trapName) {
      binding.name = thisValue().text;
    } else {
      binding.name = resolveTrapName(context, bound.name);
      instance.dependencies.insert(binding.name);
    }
    instance.bindings.push_back(binding);
  }
}
