// Diagnostics written as text, and the cases of the table generators kept
// as data under CASES_DIR.

#ifndef OSTRAND_TESTS_TABLES_TABLE_TEXT_H_
#define OSTRAND_TESTS_TABLES_TABLE_TEXT_H_

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "expr/expr_text.h"
#include "language/diagnostics.h"
#include "language/model.h"
#include "language/parse_text.h"

// "code@line:column " per record ("warning " before a warning, "[text]"
// after a text), checking that each record's line is quoted.
inline std::string describeDiagnostics(const DiagnosticsList& diagnostics) {
  std::string out;
  for (const Diagnostic& d : diagnostics.records) {
    out += (d.isWarning ? "warning " : "") + std::to_string(d.code) + "@" +
           std::to_string(d.line) + ":" + std::to_string(d.column) +
           (d.text.empty() ? "" : "[" + d.text + "]") + " ";
    EXPECT_EQ(diagnostics.sourceLines.count(d.line), 1u) << "line " << d.line;
  }
  return out;
}

// Each case of `file` is "definition | status | tables | diagnostics": the
// definition is parsed, `generate(diagnostics, model, tables)` runs the
// generator and may begin `tables` with text of its own, then come the
// tables of the model, "name version: entry@line:column ..." one a line,
// each quoting exactly the lines of its entries.
template <typename Generate>
void runGeneratorCases(const std::string& file, Generate generate) {
  for (const auto& c : caseRows(file, 4)) {
    SCOPED_TRACE(c[0]);
    DefinitionModel model;
    ASSERT_EQ(parse(model, c[0]), Outcome{});
    const std::vector<std::string> lines = splitLines(c[0]);
    DiagnosticsList diagnostics;
    std::string tables;
    EXPECT_EQ(std::to_string(generate(diagnostics, model, tables)), c[1]);
    for (const auto& [name, table] : model.tables) {
      tables += name + " " + std::to_string(table.version) + ":";
      std::set<uint32_t> used;
      for (const NameRef& ref : table.params.items) {
        tables += " " + ref.name + "@" + std::to_string(ref.line) + ":" +
                  std::to_string(ref.column);
        used.insert(ref.line);
      }
      tables += "\n";
      std::set<uint32_t> quoted;
      for (const auto& [number, text] : table.params.sourceLines) {
        quoted.insert(number);
        EXPECT_EQ(text, lines.at(number - 1)) << name << " line " << number;
      }
      EXPECT_EQ(quoted, used) << name;
    }
    EXPECT_EQ(tables, c[2]);
    EXPECT_EQ(describeDiagnostics(diagnostics), c[3].empty() ? "" : c[3] + " ");
  }
}

#endif  // OSTRAND_TESTS_TABLES_TABLE_TEXT_H_
