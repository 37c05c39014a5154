#include "language/parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "expr/expr_text.h"
#include "language/parse_text.h"

namespace {

// The model as text, one record per line, with or without the positions
// of the items ("@line:column").
struct Rendering {
  explicit Rendering(bool withPositions) : positions(withPositions) {}

  std::string at(uint32_t line, uint32_t column) const {
    if (!positions) return "";
    return "@" + std::to_string(line) + ":" + std::to_string(column);
  }

  std::string names(const NameList& list) const {
    std::string text;
    for (const NameRef& n : list.items) {
      text += " " + n.name + at(n.line, n.column);
    }
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
                  const std::map<int32_t, std::vector<Expression>>& byVersion) {
    for (const auto& [version, list] : byVersion) {
      out << " " << kind << " " << version << ":";
      for (const Expression& e : list) out << " " << expression(e);
      out << "\n";
    }
  }

  void param(const std::string& name, const ParamDef& p) {
    out << "param " << name << " " << p.version << ".." << p.removalVersion
        << " " << (p.readable ? "r" : "-") << (p.writable ? "w" : "-")
        << " label=[" << p.label << "] description=[" << p.description
        << "]\n";
    for (const DisplayRule& rule : p.displayRules) {
      out << " display " << expression(rule.condition) << " \""
          << rule.format << "\"";
      for (const Expression& e : rule.arguments) out << " " << expression(e);
      out << "\n";
    }
    for (const auto& [version, list] : p.indexes) {
      out << " index " << version << ":" << names(list) << "\n";
    }
    for (const auto& [version, range] : p.ranges) {
      out << " range " << version << ":";
      for (const RangeItem& item : range.items) {
        out << " " << tokens({item.from});
        if (!(item.to == item.from)) out << ".." << tokens({item.to});
      }
      out << "\n";
    }
    conditions("ctrlValid", p.ctrlValid);
    conditions("greyOut", p.greyOut);
    for (const auto& [version, text] : p.descriptions) {
      out << " description " << version << ": [" << text << "]\n";
    }
  }

  void trap(const std::string& name, const TrapDef& t) {
    out << "trap " << name << " " << t.version << at(t.line, t.column) << " ["
        << t.description << "|" << t.actionTrue << "|" << t.actionFalse
        << "] bindings:" << names(t.bindings) << " values:";
    for (const ValueRange& value : t.trueTrap.values) {
      out << " " << tokens(value.from);
      if (!value.to.empty()) out << ".." << tokens(value.to);
    }
    out << "\n";
  }

  std::string of(const DefinitionModel& model) {
    for (const auto& [keyword, infos] : model.productInfo) {
      for (const ProductInfo& info : infos) {
        out << keyword << " " << info.value << at(info.line, info.column)
            << "\n";
      }
    }
    for (const auto& [name, table] : model.tables) {
      out << "table " << name << " " << table.version << ":"
          << names(table.params) << "\n";
    }
    for (const auto& [name, p] : model.params) param(name, p);
    for (const auto& [name, t] : model.traps) trap(name, t);
    for (const auto& [key, constants] : model.vidStds) {
      out << "vidstd " << key.first << " " << key.second << ":"
          << names(constants) << "\n";
    }
    return out.str();
  }

  bool positions;
  std::ostringstream out;
};

TEST(Parser, EveryStatementFormIntoTheModel) {
  const std::string file =
      "# a card\n"
      "product { X1 } branch\n"
      "  { main }\n"
      "t table 1 { a,\n"
      "   b }\n"
      "a rw { label { Level\n"
      "# not part of the label\n"
      "    of input } description {d} display (x == 1) { \"on\" }\n"
      "  display (x == 0) { \"off\", (a), (b[2]) } }\n"
      "a ro { label {!} }\n"
      "a 1 5 {\n"
      "  range 1 { 0..3, 7, \"auto\", ? } index 2 {} index 3 { b }\n"
      "  ctrlValid 2 (b == 1) ctrlValid 2 (c) greyOut 3 (1)\n"
      "  description 2 { v2 } description 2 {+}\n"
      "  range 3 { string8:abc }\n"
      "}\n"
      "b 2 { range 2 {1} }\n"
      "x trap 2 { description{d} action_true {on} action_false {off}\n"
      "  bindings{a} bindings { b } true_trap { 1, 2..4, \"s\", (a + 1)..(b) }\n"
      "  true_trap { 5..(c) } }\n"
      "s vidstd 1 { f0 } s vidstd 2 { f1 } s vidstd 1 { spal }\n";
  DefinitionModel model;
  ASSERT_EQ(parse(model, file), Outcome{});
  EXPECT_EQ(Rendering(true).of(model),
            "branch main@3:4\n"
            "product X1@2:10\n"
            "table t 1: a@4:12 b@5:3\n"
            "param a 1..5 r- label=[Level\nof input !] description=[d]\n"
            " display (x == #1@8:40) \"on\"\n"
            " display (x == #0@9:11) \"off\" (a@9:29) (b[2]@9:34)\n"
            " index 2:\n"
            " index 3: b@12:54\n"
            " range 1: #0@12:12..#3@12:15 #7@12:18 \"auto\"@12:22 @12:29\n"
            " range 3: $@15:12..$@15:12\n"
            " ctrlValid 2: (b == #1@13:15) (c@13:36)\n"
            " greyOut 3: (#1@13:50)\n"
            " description 2: [v2 +]\n"
            "param b 2..-1 rw label=[] description=[]\n"
            " range 2: #1@17:15\n"
            "trap x 2@18:0 [d|on|off] bindings: a@19:11 b@19:25 values: "
            "#1@19:41 #2@19:44..#4@19:47 \"s\"@19:51 a + #1@19:56..b@19:65 "
            "#5@20:14..c@20:18\n"
            "vidstd s 1: f0@21:13 spal@21:49\n"
            "vidstd s 2: f1@21:31\n");
  const RangeItem& length = model.params["a"].ranges[3].items[0];
  EXPECT_EQ(length.from.value.number, 8);
  EXPECT_EQ(length.to.value.text, "abc");
  const TrapDef& trap = model.traps["x"];
  EXPECT_EQ(trap.lineText,
            "x trap 2 { description{d} action_true {on} action_false {off}\n");
  EXPECT_EQ(trap.trueTrap.sourceLines.size(), 2u);
}

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
  EXPECT_EQ(Rendering(false).of(a), Rendering(false).of(b));
  EXPECT_EQ(a.params.size(), 2u);
}

TEST(Parser, ErrorsStopWithTheirCodeAndColumn) {
  struct Case {
    std::string file;
    Outcome expected;
  };
  const std::vector<Case> cases = {
      {"abc {x\n", {1, 1, 4}},           {"branch{ b }\n", {1, 1, 8}},
      {"p 3 {\n range 3 {0..10}\n}\np 3 3 {\n", {6, 4, 4}},
      {"p 3 2 {\n", {6, 1, 4}},          {"p 3 { }\n", {13, 1, 6}},
      {"p 3 { range 2 {} }\n", {13, 1, 15}},
      {"p 3 { range 4 {1} }\n", {14, 1, 18}},
      {"p 3 5 { range 3 {1} range 5 {2} }\n", {15, 1, 26}},
      {"p 3 5 { range 3 {1} index 5 { q } }\n", {18, 1, 26}},
      {"p 3 5 { range 3 {1} ctrlValid 7 (1) }\n", {16, 1, 30}},
      {"p 3 5 { range 3 {1} greyOut 5 (1) }\n", {17, 1, 28}},
      {"p 3 5 { range 3 {1} description 6 {x} }\n", {25, 1, 32}},
      {"p 3 { range 3 {1} range 3 {2} }\n", {10, 1, 30}},
      {"p 3 { range 3 {1} index 3 {} index 3 {}}\n", {9, 1, 39}},
      {"p rw { }\np 2 { range 2 {1} }\np 4 { range 4 {1} }\n", {5, 3, 4}},
      {"p 2 5 { range 2 {1} }\np rw {}\np 2 {\n", {5, 3, 4}},
      {"t table 1 { a, b }\nt table 2 { c }\n", {2, 2, 16}},
      {"mibtraps table 1 { a }\n", {22, 1, 9}},
      {"vidStdf1sw table 1 { a }\n", {22, 1, 11}},
      {"t table { a }\n", {1, 1, 8}},    {"t table 1 {}\n", {1, 1, 11}},
      {"x trap 2 { description {d} action_true {on} }\n", {21, 1, 44}},
      {"x trap 2 { action_true {on} action_false {off} }\n", {19, 1, 47}},
      {"x trap 1 { description {d} action_true {1} action_false {0} }\n"
       "x trap 2 { description {d} action_true {1} action_false {0} }\n",
       {20, 2, 60}},
      {"x trap 2 { true_trap { \"a\"..\"b\" } }\n", {1, 1, 26}},
      {"x trap 2 { bindings {} }\n", {1, 1, 21}},
      {"p rw { display (x == 1) { \"on\" } display { \"%d\" } }\n",
       {26, 1, 50}},
      {"p rw { display { \"%d\" } display (x == 1) { \"on\" } }\n",
       {27, 1, 50}},
      {"p rw { display { } }\n", {1, 1, 17}},
      {"p 2 { index{ a } }\n", {1, 1, 6}},
      {"p 2 { range 2 {1}\n ctrlValid 2\n (a) }\n", {1, 2, 11}},
      {"p rw { display\n (a) { \"x\" } }\n", {1, 2, 1}},
      {"p 2 { range 2 { 1x } }\n", {1, 1, 17}},
      {"p 2 { range -2 {1} }\n", {1, 1, 12}},
      {"p 2 { ctrlValid 2 (a =! b) }\n", {1, 1, 21}},
      {"p 0x10 010 { range 16 {1} }\n", {6, 1, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DefinitionModel model;
    EXPECT_EQ(parse(model, c.file), c.expected);
  }
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
