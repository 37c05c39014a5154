// Tables of a definition model as text, for comparing the generated tables
// with what a test expects.

#ifndef OSTRAND_TESTS_TABLES_TABLE_TEXT_H_
#define OSTRAND_TESTS_TABLES_TABLE_TEXT_H_

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "language/diagnostics.h"
#include "language/model.h"

// One line per table: "name version: param@line:column ...".
inline std::string describeTables(const DefinitionModel& model) {
  std::ostringstream out;
  for (const auto& [name, table] : model.tables) {
    out << name << " " << table.version << ":";
    for (const NameRef& ref : table.params.items) {
      out << " " << ref.name << "@" << ref.line << ":" << ref.column;
    }
    out << "\n";
  }
  return out.str();
}

// Every table quotes exactly the lines its parameters are on, each with its
// text in `definition`, newline included.
inline void expectQuotedLines(const DefinitionModel& model,
                              const std::string& definition) {
  std::istringstream in(definition);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
  for (const auto& [name, table] : model.tables) {
    std::set<uint32_t> used;
    for (const NameRef& ref : table.params.items) used.insert(ref.line);
    std::set<uint32_t> quoted;
    for (const auto& [number, text] : table.params.sourceLines) {
      quoted.insert(number);
      ASSERT_LE(number, lines.size()) << name;
      EXPECT_EQ(text, lines[number - 1]) << name << " line " << number;
    }
    EXPECT_EQ(quoted, used) << name;
  }
}

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

#endif  // OSTRAND_TESTS_TABLES_TABLE_TEXT_H_
