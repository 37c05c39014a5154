#include "mib/index_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/mib_text.h"

namespace {

// Per version "version: name=text ... | translated ...; ": each value's name
// and text in index number order, then what the version's translation gives
// for each index number. Nothing is given just outside the numbers.
std::string enumerated(const MibIndex& index, const std::string& paramName) {
  std::string out;
  for (const auto& [version, names] : index.valueNames) {
    SCOPED_TRACE(version);
    const auto& texts = index.valueTexts.at(version).at(paramName);
    EXPECT_EQ(texts.size(), names.size());
    const std::vector<TranslationList>& components =
        index.indexToValue.at(version);
    EXPECT_EQ(components.size(), 1u);
    std::string translated;
    out += std::to_string(version) + ":";
    for (size_t number = 0; number < names.size(); ++number) {
      out += " " + names[number] + "=" + texts.at(names[number]);
      translated += " " + translate(components[0], std::to_string(number));
    }
    EXPECT_EQ(translate(components[0], "-1"), "-");
    EXPECT_EQ(translate(components[0], std::to_string(names.size())), "-");
    out += " |" + translated + "; ";
  }
  return out;
}

TEST(IndexValues, NamesTextsAndTranslationsPerVersion) {
  struct Case {
    std::string definition;  // of the index parameter slot
    int status;
    std::string values;
    std::string diagnostics;
  };
  // Column 19 is the first item of the first range.
  const std::vector<Case> cases = {
      {"slot 1 { range 1 { -2..1 } }", 0,
       "1: slotm2=-2 slotm1=-1 slot0=0 slot1=1 | #-2 #-1 #0 #1; ", ""},
      {"slot 1 { range 1 { \"A b\", \"A-b\", \"1st\", \"\", \"\xc3\xa9\", -1 } }",
       0,
       "1: axb=A b axbz=A-b s1st=1st s= sxx=\xc3\xa9 slotm1=-1 | \"A b\" "
       "\"A-b\" \"1st\" \"\" \"\xc3\xa9\" #-1; ",
       ""},
      {"slot 1 { range 1 { 5, \"slot7\", 7..8, 6 } }", 0,
       "1: slot5=5 slot7=slot7 slot7z=7 slot8=8 slot6=6 | "
       "#5 \"slot7\" #7 #8 #6; ",
       ""},
      {"slot 1 { range 1 { 0..1 } range 3 { \"x\", 1 } }", 0,
       "1: slot0=0 slot1=1 | #0 #1; 3: x=x slot1=1 | \"x\" #1; ", ""},
      {"slot 1 { range 1 { 1, ?, 2, \"a\", \"a\", 4..3, 3, string8 } }",
       kGeneratorFailed, "1: slot1=1 slot2=2 a=a slot3=3 | #1 #2 \"a\" #3; ",
       "12@1:22 12@1:34 12@1:38 12@1:47 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.definition);
    DefinitionModel model;
    ASSERT_EQ(parse(model, c.definition + "\n"), Outcome{});
    DiagnosticsList diagnostics;
    MibIndex index;
    EXPECT_EQ(
        enumerateIndexValues(diagnostics, "slot", model.params["slot"], index),
        c.status);
    EXPECT_EQ(enumerated(index, "slot"), c.values);
    EXPECT_EQ(describeDiagnostics(diagnostics), c.diagnostics);
  }
}

// A range far beyond what an index may hold is cut just past the limit,
// which the merging of the index then refuses.
TEST(IndexValues, HugeRangeStopsPastTheLimit) {
  for (const char* range : {"0..2147483647", "-2147483648..2147483647"}) {
    SCOPED_TRACE(range);
    DefinitionModel model;
    ASSERT_EQ(parse(model, std::string("n 1 { range 1 { ") + range + " } }\n"),
              Outcome{});
    DiagnosticsList diagnostics;
    MibIndex index;
    EXPECT_EQ(enumerateIndexValues(diagnostics, "n", model.params["n"], index),
              0);
    EXPECT_EQ(index.valueNames[1].size(), kIndexValueLimit + 1);
  }
}

}  // namespace
