#include "language/parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "language/model_text.h"
#include "language/parse_text.h"

namespace {

// Every statement form read into the model, item by item with its position,
// is a definition case (tests/cases/definitions/parse-*); here only what
// line breaks cannot change.
TEST(Parser, LineBreaksDoNotChangeTheModel) {
  const std::string perLine =
      "branch { b1 }\n"
      "t table 1 { p, q }\n"
      "p rw { label { L } display { \"%d\", (p) } }\n"
      "p 3 5 { range 3 { 0..10 } index 4 { q } ctrlValid 3 (q > 1) }\n"
      "q 3 { range 3 { \"a\", \"b\" } greyOut 4 (p == 2) }\n"
      "x trap 2 { description {d} action_true {on} action_false {off} "
      "true_trap { 1 } }\n"
      "s vidstd 1 { spal, fr }\n";
  std::string oneLine = perLine;
  std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
  DefinitionModel a, b;
  ASSERT_EQ(parse(a, perLine), Outcome{});
  ASSERT_EQ(parse(b, oneLine + "\n"), Outcome{});
  EXPECT_EQ(ModelText(false).of(a), ModelText(false).of(b));
  EXPECT_EQ(a.params.size(), 2u);
}

// The conditions of all parameters are read in one working expression:
// each must still keep its own tokens and lines only.
TEST(Parser, EachConditionKeepsItsOwnLines) {
  const std::string second = "q 1 { range 1 {1} greyOut 1 (q) }\n";
  DefinitionModel model;
  ASSERT_EQ(parse(model, "p 1 { range 1 {1} ctrlValid 1 (p == 2) }\n" +
                             second + "q rw { display (1) { \"x\" } }\n"),
            Outcome{});
  const Expression& greyOut = model.params["q"].greyOut.begin()->second[0];
  EXPECT_EQ(greyOut.sourceLines, (SourceLines{{2, second}}));
  EXPECT_EQ(greyOut.tokens.size(), 1u);
  EXPECT_EQ(model.params["q"].displayRules[0].condition.sourceLines.size(), 1u);
}

// Words of the language and arbitrary bytes in random order reach every
// state of the statement machine and every reader behind it; each line must
// end in a known status, never in a crash or a read past its end (the
// sanitizer build watches that: the lines are exactly sized).
TEST(Parser, RandomStatementsEndInAKnownStatus) {
  const std::vector<std::string> words = {
      "p", "t", "x", "table", "rw", "ro", "trap", "vidstd", "range",
      "index", "ctrlValid", "greyOut", "description", "label", "display",
      "action_true", "action_false", "bindings", "true_trap", "branch",
      "1", "2", "0x3", "{", "}", "(", ")", ",", "..", "\"", "?", "string4",
      "==", "a[1]", "#", "\t", "\n",
      // Openers of every operand, so that each reader gets its share.
      "p 1 { range 1 {", "p 1 { index 1 {", "p 1 { ctrlValid 1 (",
      "p 1 { description 1 {", "p rw { display {", "p rw { display (",
      "p rw { label {", "t table 1 {", "branch {", "s vidstd 1 {",
      "x trap 1 { true_trap {", "x trap 1 { bindings {",
      "x trap 1 { description {"};
  const std::set<int> known = {0, 1, 2, 5, 6, 9, 10, 13, 14, 15, 16,
                               17, 18, 19, 20, 21, 22, 25, 26, 27};
  std::mt19937 random(20261205);
  for (int round = 0; round < 3000; ++round) {
    std::string file;
    const int length = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < length; ++i) {
      const uint32_t r = random();
      if (r % 5 == 0) {
        file += static_cast<char>(1 + (r >> 3) % 255);  // any byte but NUL
      } else {
        file += words[(r >> 3) % words.size()];
      }
      file += random() % 4 == 0 ? '\n' : ' ';
    }
    DefinitionModel model;
    const Outcome outcome = parse(model, file, round % 2 == 0);
    ASSERT_TRUE(known.count(outcome.code))
        << testing::PrintToString(file) << ": " << outcome;
  }
}

}  // namespace
