// The MIB model written as short text for readable expectations: each index
// and variable with the values its translations give for every number, the
// MIB tables and the identifiers. A translation that does not take a value
// back to its number, or that gives a value where none should be, shows as
// a word starting with "!".

#ifndef OSTRAND_TESTS_MIB_MIB_TEXT_H_
#define OSTRAND_TESTS_MIB_MIB_TEXT_H_

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "expr/evaluate.h"
#include "expr/expr_text.h"
#include "expr/postfix.h"
#include "mib/generate_mib.h"
#include "mib/range_forms.h"

// What the first translation whose condition holds for `thisText` gives:
// "#n" or "\"s\"" as describe() writes it, "-" when none holds.
inline std::string translate(const TranslationList& list,
                             const std::string& thisText) {
  const ValueMap values = {{"sw::this", thisText}};
  for (const ValueTranslation& translation : list) {
    if (evaluate(translation.condition, nullptr, values) == 0) continue;
    ExprValue result;
    evaluate(translation.result, &result, values);
    return describe({result});
  }
  return "-";
}

// "text8:none" for free text; otherwise "int" or "enum" and the entries,
// min and max each as describe() writes them ("#1..#5", "\"on\"").
inline std::string describeRange(const MibRange& range) {
  if (range.stringLength) {
    return "text" + std::to_string(range.stringLength->maxLength) + ":" +
           range.stringLength->defaultText;
  }
  std::string out = range.isInteger ? "int" : "enum";
  for (const MibRangeEntry& entry : rangeEntries(range)) {
    out += " " + describe(entry.min.list());
    if (!entry.max.empty()) out += ".." + describe(entry.max.list());
  }
  return out;
}

// A range made by hand, each entry written "min..max" or "min" with the
// values as describe() writes them ("#3..#5", "\"on\""), a word without
// "#" or quotes being a Name; a side may hold several values ("#1 #2") or
// none ("..#3"), as no definition text can.
inline MibRange rangeOf(uint8_t isInteger,
                        const std::vector<std::string>& entries) {
  const auto values = [](const std::string& text) {
    std::vector<ExprValue> out;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
      if (word[0] == '#') {
        out.push_back({kExprInteger, std::stoi(word.substr(1)), ""});
      } else if (word[0] == '"') {
        out.push_back({kExprString, 0, word.substr(1, word.size() - 2)});
      } else {
        out.push_back({kExprName, 0, word});
      }
    }
    return out;
  };
  MibRange range;
  range.isInteger = isInteger;
  for (const std::string& entry : entries) {
    const size_t dots = entry.find("..");
    range.entries.push_back(
        {values(entry.substr(0, dots)),
         dots == std::string::npos ? std::vector<ExprValue>{}
                                   : values(entry.substr(dots + 2))});
  }
  return range;
}

// "entries | MIB number>value ... | value texts and number offsets" for the
// numbers of the run `merged` and one either side, numbers whose integer
// values step by one joined ("0..5>#0..#5").
inline std::string describeNumbered(const MibRange& range,
                                    const MibRange& merged) {
  if (range.stringLength) return describeRange(range);
  const std::vector<MibRangeEntry> entries = rangeEntries(merged);
  int64_t low = -1, high = int64_t(entries.size());
  if (merged.isInteger && !entries.empty() && !entries[0].max.empty()) {
    low = entries[0].min.at(0).number - int64_t{1};
    high = entries[0].max.at(0).number + int64_t{1};
  }
  if (high - low > 1000) return describeRange(range) + " | too many numbers";
  const TranslationList toValue = indexToValue(range);
  const TranslationList toIndex = valueToIndex(range);
  std::vector<std::pair<int64_t, std::string>> found;
  std::set<std::string> values;
  std::string odd;
  for (int64_t n = low; n <= high; ++n) {
    const std::string value = translate(toValue, std::to_string(n));
    if (value == "-") continue;
    found.push_back({n, value});
    values.insert(value);
    const std::string text =
        value[0] == '#' ? value.substr(1) : value.substr(1, value.size() - 2);
    if (translate(toIndex, text) != "#" + std::to_string(n)) {
      odd += " !" + value + "<";
    }
  }
  // An integer the range does not hold must not translate to a number.
  for (int64_t n = low; n <= high; ++n) {
    if (values.count("#" + std::to_string(n)) == 0 &&
        translate(toIndex, std::to_string(n)) != "-") {
      odd += " !" + std::to_string(n) + "<";
    }
  }
  const auto follows = [&](size_t i) {
    return found[i].first == found[i - 1].first + 1 &&
           found[i].second[0] == '#' && found[i - 1].second[0] == '#' &&
           std::stoll(found[i].second.substr(1)) ==
               std::stoll(found[i - 1].second.substr(1)) + 1;
  };
  std::string out = describeRange(range) + " |";
  for (size_t i = 0; i < found.size(); ++i) {
    size_t j = i;
    while (j + 1 < found.size() && follows(j + 1)) ++j;
    out += " " + std::to_string(found[i].first);
    if (j != i) out += ".." + std::to_string(found[j].first);
    out += ">" + found[i].second;
    if (j != i) out += ".." + found[j].second;
    i = j;
  }
  out += odd + " |";
  for (const auto& [name, text] : valueTexts(range)) out += " " + name + "=" + text;
  for (const auto& [numbers, offset] : numberOffsets(range)) {
    out += " " + std::to_string(numbers.first) + ".." +
           std::to_string(numbers.second) + "+" + std::to_string(offset);
  }
  return out;
}

inline std::string joined(const std::vector<std::string>& list) {
  std::string out;
  for (const std::string& item : list) out += (out.empty() ? "" : ",") + item;
  return out;
}

// The component number that `splitter` (infix) takes out of `number`.
inline std::string split(const std::vector<ExprValue>& splitter, size_t number) {
  std::vector<ExprValue> postfix;
  if (toPostfix(postfix, splitter) != 0) return "!split";
  ExprValue component;
  evaluate(postfix, &component, {{"sw::this", std::to_string(number)}});
  return std::to_string(component.number);
}

// Per index "[names] version/removal", then per version each value as
// name=text>value for a simple index or name=value,value for a combined
// one (each component's value through its split expression), the split
// expressions, and the merged value lists.
inline std::string describeIndices(const MibIndexMap& indices) {
  std::string out;
  for (const auto& [key, index] : indices) {
    out += "[" + joined(key) + "] " + std::to_string(index.version) + "/" +
           std::to_string(index.removalVersion) + "\n";
    for (const auto& [version, names] : index.valueNames) {
      const auto splitters = index.indexSplitters.find(version);
      const bool combined = splitters != index.indexSplitters.end() &&
                            !splitters->second.empty();
      const auto translations = index.indexToValue.find(version);
      const size_t components =
          translations == index.indexToValue.end() ? 0 : translations->second.size();
      out += " " + std::to_string(version) + ":";
      for (size_t number = 0; number < names.size(); ++number) {
        out += " " + names[number] + "=";
        if (!combined) {
          const auto texts = index.valueTexts.find(version);
          if (texts != index.valueTexts.end() && texts->second.count(key[0])) {
            const auto& byName = texts->second.at(key[0]);
            out += byName.count(names[number]) ? byName.at(names[number]) : "!";
          }
          out += ">" + (components == 1 ? translate(translations->second[0],
                                                    std::to_string(number))
                                        : "!" + std::to_string(components));
          continue;
        }
        for (size_t k = 0; k < splitters->second.size() && k < components; ++k) {
          out += (k != 0 ? "," : "") +
                 translate(translations->second[k],
                           split(splitters->second[k], number));
        }
      }
      if (!combined && components == 1 &&
          (translate(translations->second[0], "-1") != "-" ||
           translate(translations->second[0], std::to_string(names.size())) != "-")) {
        out += " !outside";
      }
      if (combined) {
        out += " | split";
        for (const auto& splitter : splitters->second) out += " (" + describe(splitter) + ")";
        out += " | texts";
        for (const auto& [param, texts] : index.valueTexts.at(version)) {
          out += " " + param + ":" + std::to_string(texts.size());
        }
      }
      out += "\n";
    }
    for (const auto& [version, names] : index.mergedValueNames) {
      out += " merged " + std::to_string(version) + ": " + joined(names) + "\n";
    }
  }
  return out;
}

// Per variable "name first/removal idx version:[names]...", then each merged
// run and each version's translated range, numbered as the run it is in.
inline std::string describeVariables(const MibVariableMap& variables) {
  std::string out;
  for (const auto& [name, v] : variables) {
    out += name + " " + std::to_string(v.firstVersion) + "/" +
           std::to_string(v.removalVersion) + " idx";
    for (const auto& [version, list] : v.indexLists) {
      out += " " + std::to_string(version) + ":[" + joined(list) + "]";
    }
    out += "\n";
    for (const auto& [version, run] : v.mergedRanges) {
      out += " run " + std::to_string(version) + ": " + describeNumbered(run, run) + "\n";
    }
    for (const auto& [version, range] : v.versionedRanges) {
      const auto next = v.mergedRanges.upper_bound(version);
      out += " version " + std::to_string(version) + ": " +
             (next == v.mergedRanges.begin()
                  ? describeRange(range)
                  : describeNumbered(range, std::prev(next)->second)) +
             "\n";
    }
  }
  return out;
}

// One line per row group: "table version, table name, index version
// [index parameters] @recorded index version: variable version:names ...".
inline std::string describeMibTables(const MibTableSet& tables) {
  std::string out;
  for (const auto& [tableVersion, byName] : tables) {
    for (const auto& [name, table] : byName) {
      for (const auto& [indexVersion, groups] : table) {
        for (const auto& [indexList, group] : groups) {
          out += std::to_string(tableVersion) + " " + name + " " +
                 std::to_string(indexVersion) + " [" + joined(indexList) +
                 "] @" + std::to_string(group.indexVersion) + ":";
          for (const auto& [version, names] : group.variableVersions) {
            out += " " + std::to_string(version) + ":" +
                   joined({names.begin(), names.end()});
          }
          out += "\n";
        }
      }
    }
  }
  return out;
}

// "id name@version" in the order of the identifiers.
inline std::string describeVarIds(const VarIdMap& varIds) {
  std::vector<std::tuple<int32_t, std::string, int32_t>> byId;
  for (const auto& [name, versions] : varIds) {
    for (const auto& [version, id] : versions) byId.emplace_back(id, name, version);
  }
  std::sort(byId.begin(), byId.end());
  std::string out;
  for (const auto& [id, name, version] : byId) {
    out += std::to_string(id) + " " + name + "@" + std::to_string(version) + "\n";
  }
  return out;
}

#endif  // OSTRAND_TESTS_MIB_MIB_TEXT_H_
