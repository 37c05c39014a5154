#include "kdl/catalogue.h"

#include <glib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expr/expr_value.h"
#include "expr/infix.h"

namespace {

struct Rule {
  std::string condition;
  std::string result;
};

// One instance as the catalogue shows it. A name that did not resolve is
// empty, which no resolved name is.
struct Row {
  uint16_t fault;
  uint16_t instance;
  std::string trap;
  TrapIndexValues index;
  std::string name;
  std::vector<std::string> binds;
  std::vector<std::string> reads;
  std::vector<Rule> rules;
};

Row catalogueRow(const std::string& trap, const TrapGroup& group,
                 const TrapIndexValues& index, const TrapInstance& instance) {
  Row row{static_cast<uint16_t>(group.faultId),
          static_cast<uint16_t>(instance.id),
          trap,
          index,
          instanceParameterName(trap, index),
          {},
          {instance.dependencies.begin(), instance.dependencies.end()},
          {}};
  for (const TrapBinding& binding : instance.bindings) {
    row.binds.push_back(binding.name == kThisName ? row.name : binding.name);
  }
  for (const ValueTranslation& rule : instance.rules) {
    row.rules.push_back({infixText(rule.condition), infixText(rule.result)});
  }
  return row;
}

std::vector<Row> catalogueRows(const TrapRegistry& registry) {
  std::vector<Row> rows;
  for (const auto& [trap, group] : registry.groups) {
    for (const auto& [index, instance] : group.instances) {
      rows.push_back(catalogueRow(trap, group, index, instance));
    }
  }
  return rows;
}

// Text.

std::string namesText(const std::vector<std::string>& names) {
  if (names.empty()) return "-";
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += ", ";
    text += name.empty() ? "?" : name;
  }
  return text;
}

std::string rulesText(const std::vector<Rule>& rules) {
  if (rules.empty()) return "-";
  std::string text;
  for (const Rule& rule : rules) {
    if (!text.empty()) text += "; ";
    text += rule.condition + " -> " + rule.result;
  }
  return text;
}

std::string catalogueText(const std::vector<Row>& rows) {
  std::string text = "FAULT\tINSTANCE\tTRAP\tBINDS\tREADS\tRULES\n";
  for (const Row& row : rows) {
    text += std::to_string(row.fault) + "\t" + std::to_string(row.instance) +
            "\t" + row.name + "\t" + namesText(row.binds) + "\t" +
            namesText(row.reads) + "\t" + rulesText(row.rules) + "\n";
  }
  return text;
}

// JSON.

void appendEscapedByte(std::string& json, unsigned char byte) {
  static const char kHex[] = "0123456789abcdef";
  json += "\\u00";
  json += kHex[byte >> 4];
  json += kHex[byte & 0xf];
}

std::string jsonString(std::string_view text) {
  std::string json = "\"";
  const char* at = text.data();
  const char* const end = at + text.size();
  while (at < end) {
    const char* validEnd = nullptr;
    g_utf8_validate_len(at, end - at, &validEnd);
    for (; at < validEnd; ++at) {
      const auto byte = static_cast<unsigned char>(*at);
      if (byte < 0x20) {
        appendEscapedByte(json, byte);
      } else {
        if (byte == '"' || byte == '\\') json += '\\';
        json += *at;
      }
    }
    // A byte that starts no valid sequence: its Latin-1 reading.
    if (at < end) appendEscapedByte(json, static_cast<unsigned char>(*at++));
  }
  return json + "\"";
}

// `items`, each already JSON, between `open` and `close`, one a line, for a
// container whose first line is indented by `indent`.
std::string jsonList(const std::vector<std::string>& items, int indent,
                     char open, char close) {
  if (items.empty()) return {open, close};
  std::string json(1, open);
  const std::string itemIndent(indent + 2, ' ');
  for (const std::string& item : items) {
    if (&item != &items.front()) json += ',';
    json += "\n" + itemIndent + item;
  }
  return json + "\n" + std::string(indent, ' ') + close;
}

std::string jsonMember(const char* key, const std::string& value) {
  return jsonString(key) + ": " + value;
}

std::string jsonNames(const std::vector<std::string>& names, int indent) {
  std::vector<std::string> items;
  for (const std::string& name : names) {
    items.push_back(name.empty() ? "null" : jsonString(name));
  }
  return jsonList(items, indent, '[', ']');
}

std::string jsonRow(const Row& row, int indent) {
  const int inner = indent + 2;
  std::vector<std::string> index;
  for (const std::string& value : row.index) index.push_back(jsonString(value));
  std::vector<std::string> rules;
  for (const Rule& rule : row.rules) {
    rules.push_back(jsonList({jsonMember("if", jsonString(rule.condition)),
                              jsonMember("then", jsonString(rule.result))},
                             inner + 2, '{', '}'));
  }
  return jsonList({jsonMember("fault", std::to_string(row.fault)),
                   jsonMember("instance", std::to_string(row.instance)),
                   jsonMember("trap", jsonString(row.trap)),
                   jsonMember("index", jsonList(index, inner, '[', ']')),
                   jsonMember("name", jsonString(row.name)),
                   jsonMember("binds", jsonNames(row.binds, inner)),
                   jsonMember("reads", jsonNames(row.reads, inner)),
                   jsonMember("rules", jsonList(rules, inner, '[', ']'))},
                  indent, '{', '}');
}

std::string catalogueJson(const std::vector<Row>& rows) {
  std::vector<std::string> items;
  for (const Row& row : rows) items.push_back(jsonRow(row, 2));
  return jsonList(items, 0, '[', ']') + "\n";
}

}  // namespace

void writeCatalogue(const TrapRegistry& registry, bool json, FILE* out) {
  const std::vector<Row> rows = catalogueRows(registry);
  const std::string text = json ? catalogueJson(rows) : catalogueText(rows);
  std::fwrite(text.data(), 1, text.size(), out);
}
