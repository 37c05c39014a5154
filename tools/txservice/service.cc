#include "service.h"

#include "common/values_file.h"

namespace {

int refuse(Answer* answer, const std::string& why) {
  answer->refusal = kRefusalPrefix + why;
  return 1;
}

// The value a name has once `change` is applied; none when a reset removes
// it.
std::optional<std::string> valueAfter(const ServiceState& state,
                                      const HeldChange& change) {
  if (change.value) return change.value;
  auto initial = state.initialValues.find(change.name);
  if (initial == state.initialValues.end()) return std::nullopt;
  return initial->second;
}

void apply(ServiceState& state, const HeldChange& change,
           std::vector<std::string>* changes) {
  std::optional<std::string> value = valueAfter(state, change);
  if (value) {
    state.values[change.name] = *value;
  } else {
    state.values.erase(change.name);
  }
  changes->push_back(change.name + "=" + value.value_or(""));
}

// What `name` reads as, seen from inside the transaction holding `held`
// (null outside any): its latest held change, else its current value.
std::string readValue(const ServiceState& state,
                      const std::vector<HeldChange>* held,
                      const std::string& name) {
  if (held != nullptr) {
    for (auto change = held->rbegin(); change != held->rend(); ++change) {
      if (change->name == name) return valueAfter(state, *change).value_or("");
    }
  }
  auto current = state.values.find(name);
  return current == state.values.end() ? "" : current->second;
}

uint32_t startTransaction(ServiceState& state) {
  // After 2^32 starts the numbers wrap; 0 and numbers still open are passed
  // over so that two transactions never share held changes.
  do {
    ++state.lastTransaction;
  } while (state.lastTransaction == 0 ||
           state.transactions.count(state.lastTransaction) != 0);
  state.transactions[state.lastTransaction];
  return state.lastTransaction;
}

int getValues(const ServiceState& state, const std::vector<HeldChange>* held,
              const Request& request, Answer* answer) {
  // The reply is positional: a count that disagrees with the names would
  // leave the caller reading values against the wrong names.
  if (request.count && *request.count != request.names.size()) {
    return refuse(answer, "count " + std::to_string(*request.count) +
                              " does not match the number of names (" +
                              std::to_string(request.names.size()) + ")");
  }
  for (const std::string& name : request.names) {
    answer->values.push_back(readValue(state, held, name));
  }
  return 0;
}

int changeValues(ServiceState& state, std::vector<HeldChange>* held,
                 const Request& request, Answer* answer) {
  bool set = request.operation == Operation::Set;
  if (set && request.names.size() != request.values.size()) {
    return refuse(answer, "the number of names (" +
                              std::to_string(request.names.size()) +
                              ") does not match the number of values (" +
                              std::to_string(request.values.size()) + ")");
  }
  for (const std::string& name : request.names) {
    if (name.empty() || name.find('=') != std::string::npos) {
      return refuse(answer, "bad parameter name '" + name + "'");
    }
  }
  for (size_t i = 0; i < request.names.size(); ++i) {
    HeldChange change = {request.names[i], std::nullopt};
    if (set) change.value = request.values[i];
    if (held != nullptr) {
      held->push_back(change);
    } else {
      apply(state, change, &answer->changes);
    }
  }
  return 0;
}

}  // namespace

int serveRequest(ServiceState& state, const Request& request, Answer* answer) {
  std::vector<HeldChange>* held = nullptr;
  if (request.transaction) {
    auto open = state.transactions.find(*request.transaction);
    if (open == state.transactions.end()) {
      return refuse(answer, "no open transaction " +
                                std::to_string(*request.transaction));
    }
    held = &open->second;
  }
  switch (request.operation) {
    case Operation::Start:
      answer->transaction = startTransaction(state);
      return 0;
    case Operation::End:
    case Operation::Commit:
      if (held == nullptr) return refuse(answer, "no transaction given");
      if (request.operation == Operation::End) {
        state.transactions.erase(*request.transaction);
        return 0;
      }
      for (const HeldChange& change : *held)
        apply(state, change, &answer->changes);
      held->clear();
      return 0;
    case Operation::Get:
      return getValues(state, held, request, answer);
    case Operation::CheckSet:
      answer->accepted =
          !request.values.empty() && !request.values.front().empty();
      return 0;
    case Operation::Set:
    case Operation::Reset:
      return changeValues(state, held, request, answer);
  }
  return 0;
}

int presetValues(ServiceState& state, const std::vector<std::string>& entries,
                 std::string* error) {
  std::map<std::string, std::string> preset;
  for (const std::string& entry : entries) {
    std::string name;
    std::string value;
    if (!splitEntry(entry, &name, &value)) {
      *error = "expected name=value, got '" + entry + "'";
      return 1;
    }
    preset[name] = value;
  }
  for (const auto& [name, value] : preset) state.values[name] = value;
  return 0;
}
