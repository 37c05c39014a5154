// Definition cases: a definition file NAME.kdl in tests/cases/definitions
// beside NAME.out, which holds the status its load ends with and, section
// by section, what the load and the model built from the file must give:
//
//   status 1
//   --- stderr
//   Parsing KDL definition file.
//   Error on line 1
//   ...
//
// A section runs from its line "--- NAME" to the next such line. The
// section "stderr" is what the daemon prints while it loads the file; the
// others are written by the tests (definitions_test.cc says which exist).

#ifndef OSTRAND_TESTS_FRAME_DEFINITION_CASES_H_
#define OSTRAND_TESTS_FRAME_DEFINITION_CASES_H_

#include <cctype>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/case_file.h"

inline const std::string kDefinitionCases = std::string(CASES_DIR) + "/definitions/";

// A case name as a test name: letters, digits and underscores only.
inline std::string caseTestName(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return out;
}

struct CaseOutput {
  int status = -1;
  std::vector<std::pair<std::string, std::string>> sections;  // in file order

  static CaseOutput parse(const std::string& text) {
    CaseOutput out;
    std::istringstream in(text);
    std::string line;
    if (std::getline(in, line) && line.rfind("status ", 0) == 0) {
      out.status = std::stoi(line.substr(7));
    }
    while (std::getline(in, line)) {
      if (line.rfind("--- ", 0) == 0) {
        out.sections.emplace_back(line.substr(4), "");
      } else if (!out.sections.empty()) {
        out.sections.back().second += line + "\n";
      }
    }
    return out;
  }

  std::string text() const {
    std::string out = "status " + std::to_string(status) + "\n";
    for (const auto& [name, body] : sections) out += "--- " + name + "\n" + body;
    return out;
  }

  const std::string* section(const std::string& name) const {
    for (const auto& [key, body] : sections) {
      if (key == name) return &body;
    }
    return nullptr;
  }
};

#endif  // OSTRAND_TESTS_FRAME_DEFINITION_CASES_H_
