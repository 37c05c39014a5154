// Parts of the MIB model written as short text for readable expectations,
// and translations applied the way the trap runtime applies them.
// Diagnostics are written with describeDiagnostics (table_text.h).

#ifndef OSTRAND_TESTS_MIB_MIB_TEXT_H_
#define OSTRAND_TESTS_MIB_MIB_TEXT_H_

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "expr/evaluate.h"
#include "expr/expr_text.h"
#include "mib/mib_model.h"
#include "tables/table_text.h"

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
  for (const MibRangeEntry& entry : range.entries) {
    out += " " + describe(entry.min);
    if (!entry.max.empty()) out += ".." + describe(entry.max);
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

#endif  // OSTRAND_TESTS_MIB_MIB_TEXT_H_
