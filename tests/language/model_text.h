// The definition model written as text, one record per line, for readable
// expectations of what the parser made of a definition.

#ifndef OSTRAND_TESTS_LANGUAGE_MODEL_TEXT_H_
#define OSTRAND_TESTS_LANGUAGE_MODEL_TEXT_H_

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "expr/expr_text.h"
#include "language/model.h"

// With `positions`, every item is followed by "@line:column".
class ModelText {
 public:
  explicit ModelText(bool positions) : positions_(positions) {}

  std::string of(const DefinitionModel& model) {
    for (const auto& [keyword, infos] : model.productInfo) {
      for (const ProductInfo& info : infos) {
        out_ << keyword << " " << info.value << at(info.line, info.column)
             << "\n";
      }
    }
    for (const auto& [name, table] : model.tables) {
      out_ << "table " << name << " " << table.version << ":"
           << names(table.params) << "\n";
    }
    for (const auto& [name, p] : model.params) param(name, p);
    for (const auto& [name, t] : model.traps) trap(name, t);
    for (const auto& [key, constants] : model.vidStds) {
      out_ << "vidstd " << key.first << " " << key.second << ":"
           << names(constants) << "\n";
    }
    return out_.str();
  }

 private:
  std::string at(uint32_t line, uint32_t column) const {
    if (!positions_) return "";
    return "@" + std::to_string(line) + ":" + std::to_string(column);
  }

  std::string names(const NameList& list) const {
    std::string text;
    for (const NameRef& n : list.items) text += " " + n.name + at(n.line, n.column);
    return text;
  }

  // As describe() writes them, with the position of the first one.
  std::string tokens(const std::vector<ExprToken>& tokens) const {
    std::vector<ExprValue> values;
    for (const ExprToken& token : tokens) values.push_back(token.value);
    if (tokens.empty()) return describe(values);
    return describe(values) + at(tokens[0].line, tokens[0].column);
  }

  std::string expression(const Expression& e) const {
    return "(" + tokens(e.tokens) + ")";
  }

  void conditions(const char* kind,
                  const VersionMap<std::vector<Expression>>& byVersion) {
    for (const auto& [version, list] : byVersion) {
      out_ << " " << kind << " " << version << ":";
      for (const Expression& e : list) out_ << " " << expression(e);
      out_ << "\n";
    }
  }

  void param(const std::string& name, const ParamDef& p) {
    out_ << "param " << name << " " << p.version << ".." << p.removalVersion
         << " " << (p.readable ? "r" : "-") << (p.writable ? "w" : "-")
         << " label=[" << p.label << "] description=[" << p.description
         << "]\n";
    for (const DisplayRule& rule : p.displayRules) {
      out_ << " display " << expression(rule.condition) << " \""
           << rule.format << "\"";
      for (const Expression& e : rule.arguments) out_ << " " << expression(e);
      out_ << "\n";
    }
    for (const auto& [version, list] : p.indexes) {
      out_ << " index " << version << ":" << names(list) << "\n";
    }
    for (const auto& [version, range] : p.ranges) {
      out_ << " range " << version << ":";
      for (const RangeItem& item : range.items) {
        out_ << " " << tokens({item.from});
        if (!(item.to == item.from)) out_ << ".." << tokens({item.to});
      }
      out_ << "\n";
    }
    conditions("ctrlValid", p.ctrlValid);
    conditions("greyOut", p.greyOut);
    for (const auto& [version, text] : p.descriptions) {
      out_ << " description " << version << ": [" << text << "]\n";
    }
  }

  void trap(const std::string& name, const TrapDef& t) {
    out_ << "trap " << name << " " << t.version << at(t.line, t.column) << " ["
         << t.description << "|" << t.actionTrue << "|" << t.actionFalse
         << "] bindings:" << names(t.bindings) << " values:";
    for (const ValueRange& value : t.trueTrap.values) {
      out_ << " " << tokens(value.from);
      if (!value.to.empty()) out_ << ".." << tokens(value.to);
    }
    out_ << "\n";
  }

  bool positions_;
  std::ostringstream out_;
};

#endif  // OSTRAND_TESTS_LANGUAGE_MODEL_TEXT_H_
