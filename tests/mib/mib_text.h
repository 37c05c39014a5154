// Parts of the MIB model written as short text for readable expectations,
// and translations applied the way the trap runtime applies them.
// Diagnostics are written with describeDiagnostics (table_text.h).

#ifndef OSTRAND_TESTS_MIB_MIB_TEXT_H_
#define OSTRAND_TESTS_MIB_MIB_TEXT_H_

#include <string>

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

#endif  // OSTRAND_TESTS_MIB_MIB_TEXT_H_
