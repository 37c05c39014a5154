#include "mib/multi_index_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "expr/postfix.h"
#include "language/parse_text.h"
#include "language/status_codes.h"
#include "mib/indices_and_variables.h"
#include "mib/mib_text.h"
#include "mib/process_index.h"

namespace {

// The component index number that `splitter` takes out of merged `number`.
int32_t split(const std::vector<ExprValue>& splitter, size_t number) {
  std::vector<ExprValue> postfix;
  EXPECT_EQ(toPostfix(postfix, splitter), 0);
  ExprValue component;
  evaluate(postfix, &component, {{"sw::this", std::to_string(number)}});
  return component.number;
}

// Per merged version "version/index version: name=values ... texts params;
// ": each combined name with the values its components' translations give
// for the index numbers its split expressions take out of its own number.
std::string describeMerged(const MibIndex& index) {
  std::string out;
  for (const auto& [version, names] : index.valueNames) {
    SCOPED_TRACE(version);
    const auto& splitters = index.indexSplitters.at(version);
    const auto& translations = index.indexToValue.at(version);
    EXPECT_EQ(splitters.size(), translations.size());
    out += std::to_string(version) + "/" + std::to_string(index.version) + ":";
    for (size_t number = 0; number < names.size(); ++number) {
      out += " " + names[number] + "=";
      for (size_t k = 0; k < splitters.size(); ++k) {
        out += (k != 0 ? "," : "") +
               translate(translations[k],
                         std::to_string(split(splitters[k], number)));
      }
    }
    out += " texts";
    for (const auto& [param, texts] : index.valueTexts.at(version)) {
      out += " " + param + ":" + std::to_string(texts.size());
    }
    out += "; ";
  }
  return out;
}

struct Built {
  MibIndexMap indices;
  MibVariableMap variables;
};

void build(const std::string& definition, Built& built) {
  DefinitionModel model;
  ASSERT_EQ(parse(model, definition), Outcome{});
  DiagnosticsList diagnostics;
  ASSERT_EQ(buildIndicesAndVariables(built.indices, built.variables,
                                     diagnostics, model),
            0);
}

// Index parameters a (values 0 and 1 from version 1, and from version 3
// also 2) and b (0..2 from version 1, 10..13 from version 4).
const char kComponents[] =
    "a 1 { range 1 { 0..1 } range 3 { 0..2 } }\n"
    "b 1 { range 1 { 0..2 } range 4 { 10, 11..13 } }\n";

TEST(MultiIndexLists, MergedValuesPerCombinationOfComponentVersions) {
  struct Case {
    const char* name;
    std::string variables;  // the table t and the variables it lists
    std::string merged;     // the index {a, b}
  };
  const std::string a1b1 =
      "a0b0=#0,#0 a0b1=#0,#1 a0b2=#0,#2 a1b0=#1,#0 a1b1=#1,#1 a1b2=#1,#2 "
      "texts a:2 b:3; ";
  const std::string a3b1 =
      "a0b0=#0,#0 a0b1=#0,#1 a0b2=#0,#2 a1b0=#1,#0 a1b1=#1,#1 a1b2=#1,#2 "
      "a2b0=#2,#0 a2b1=#2,#1 a2b2=#2,#2 texts a:3 b:3; ";
  const std::string a3b4 =
      "a0b10=#0,#10 a0b11=#0,#11 a0b12=#0,#12 a0b13=#0,#13 a1b10=#1,#10 "
      "a1b11=#1,#11 a1b12=#1,#12 a1b13=#1,#13 a2b10=#2,#10 a2b11=#2,#11 "
      "a2b12=#2,#12 a2b13=#2,#13 texts a:3 b:4; ";
  const std::vector<Case> cases = {
      {"each component at its first version",
       "t table 0 { v }\nv 1 2 { index 1 { a, b } range 1 { 0 } }\n",
       "1/1: " + a1b1},
      {"a list in effect across later value lists of both components",
       "t table 0 { v }\nv 2 { index 2 { a, b } range 2 { 0 } }\n",
       "1/2: " + a1b1 + "3/2: " + a3b1 + "4/2: " + a3b4},
      {"a later list ends the earlier one before b's second value list",
       "t table 0 { v }\n"
       "v 1 { index 1 { a, b } index 4 { a } range 1 { 0 } }\n",
       "1/1: " + a1b1 + "3/1: " + a3b1},
      {"so does the removal",
       "t table 0 { v }\nv 1 4 { index 1 { a, b } range 1 { 0 } }\n",
       "1/1: " + a1b1 + "3/1: " + a3b1},
      {"a second variable adds only versions not merged yet, and lowers the "
       "index's version",
       "t table 0 { v, w }\n"
       "v 3 4 { index 3 { a, b } range 3 { 0 } }\n"
       "w 2 { index 2 { a, b } range 2 { 0 } }\n",
       "1/2: " + a1b1 + "3/2: " + a3b1 + "4/2: " + a3b4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Built built;
    build(kComponents + c.variables, built);
    MessageList messages;
    EXPECT_EQ(convertMultiIndexLists(built.indices, built.variables, messages),
              0);
    EXPECT_EQ(messages, MessageList{});
    ASSERT_EQ(built.indices.count({"a", "b"}), 1u);
    const MibIndex& merged = built.indices.at({"a", "b"});
    EXPECT_EQ(describeMerged(merged), c.merged);
    EXPECT_EQ(merged.removalVersion, -1);
    EXPECT_EQ(built.indices.size(), 3u);
  }
}

// The split expressions are kept as written, not in postfix form.
TEST(MultiIndexLists, SplitExpressionsOfThreeComponents) {
  Built built;
  build(std::string(kComponents) +
            "c 1 { range 1 { \"x\", \"y\" } }\n"
            "t table 0 { v }\nv 1 { index 1 { a, b, c } range 1 { 0 } }\n",
        built);
  MessageList messages;
  ASSERT_EQ(convertMultiIndexLists(built.indices, built.variables, messages),
            0);
  const MibIndex& merged = built.indices.at({"a", "b", "c"});
  std::vector<std::string> splitters;
  for (const auto& splitter : merged.indexSplitters.at(1)) {
    splitters.push_back(describe(splitter));
  }
  EXPECT_EQ(splitters, (std::vector<std::string>{"( sw::this / #6 ) % #2",
                                                 "( sw::this / #2 ) % #3",
                                                 "( sw::this ) % #2"}));
  EXPECT_EQ(merged.valueNames.at(1).back(), "a1b2y");
}

// Index parameters whose value lists change at random versions, and two
// variables indexed by random lists of them: every merged version combines
// the value lists in effect at that version, and every merged number splits
// into component numbers whose names make up its name and whose
// translations give their values.
TEST(MultiIndexLists, RandomIndexListsSplitIntoTheirComponents) {
  std::mt19937 random(11);
  std::vector<std::string> params = {"a", "b", "c"};
  int checked = 0;
  for (int round = 0; round < 300; ++round) {
    std::string definition = "t table 0 { v, w }\n";
    for (const std::string& param : params) {
      int version = random() % 3;
      definition += param + " " + std::to_string(version) + " {";
      for (int lists = 1 + random() % 3; lists > 0; --lists) {
        definition += " range " + std::to_string(version) + " { " +
                      (random() % 2 ? "\"on\", " : "") + "0.." +
                      std::to_string(random() % 3) + " }";
        version += 1 + random() % 3;
      }
      definition += " }\n";
    }
    for (const char* variable : {"v", "w"}) {
      int version = 2 + random() % 3;
      definition += std::string(variable) + " " + std::to_string(version) +
                    " { range " + std::to_string(version) + " { 0 }";
      for (int lists = 1 + random() % 2; lists > 0; --lists) {
        std::shuffle(params.begin(), params.end(), random);
        definition += " index " + std::to_string(version) + " { " + params[0] +
                      ", " + params[1] +
                      (random() % 2 ? ", " + params[2] : "") + " }";
        version += 1 + random() % 4;
      }
      definition += " }\n";
    }
    SCOPED_TRACE(definition);
    Built built;
    build(definition, built);
    MessageList messages;
    ASSERT_EQ(convertMultiIndexLists(built.indices, built.variables, messages),
              0);
    for (auto& [key, index] : built.indices) {
      ASSERT_EQ(processIndex(messages, index, kIndexValueLimit, ""), 0);
      if (key.size() < 2) continue;
      for (const auto& [version, names] : index.valueNames) {
        std::vector<const std::vector<std::string>*> inEffect;
        size_t count = 1;
        for (const std::string& name : key) {
          const auto& lists = built.indices.at({name}).valueNames;
          inEffect.push_back(&std::prev(lists.upper_bound(version))->second);
          count *= inEffect.back()->size();
        }
        ASSERT_EQ(names.size(), count);
        for (size_t number = 0; number < count; ++number) {
          std::string name;
          for (size_t k = 0; k < key.size(); ++k) {
            const int32_t part =
                split(index.indexSplitters.at(version)[k], number);
            ASSERT_LT(size_t(part), inEffect[k]->size());
            const std::string& partName = (*inEffect[k])[part];
            name += partName;
            const std::string text =
                index.valueTexts.at(version).at(key[k]).at(partName);
            EXPECT_EQ(translate(index.indexToValue.at(version)[k],
                                std::to_string(part)),
                      text == "on" ? "\"on\"" : "#" + text);
          }
          EXPECT_EQ(names[number], name);
        }
        ++checked;
      }
    }
    EXPECT_EQ(messages, MessageList{});
  }
  EXPECT_GT(checked, 600);
}

// Stage 1 never leaves a listed index missing or empty when it succeeds, so
// these maps are made by hand. Every list is visited before the stage fails.
TEST(MultiIndexLists, MissingAndEmptyComponentsAreReportedPerList) {
  MibIndexMap indices;
  indices[{"a"}].valueNames[1] = {"a0"};
  indices[{"e"}];
  MibVariableMap variables;
  variables["v"].indexLists = {{1, {"a", "gone"}}, {5, {"e", "a", "gone"}}};
  variables["w"].indexLists = {{2, {"a", "e"}}};
  MessageList messages;
  EXPECT_EQ(convertMultiIndexLists(indices, variables, messages),
            kGeneratorInconsistent);
  const std::string v1 =
      "Error processing MIB variable v index list version 1: ";
  const std::string v5 =
      "Error processing MIB variable v index list version 5: ";
  const std::string w2 =
      "Error processing MIB variable w index list version 2: ";
  EXPECT_EQ(messages, (MessageList{v1 + "Index definition for gone not found",
                                   v5 + "Index definition for e is empty",
                                   v5 + "Index definition for gone not found",
                                   w2 + "Index definition for e is empty"}));
  EXPECT_EQ(indices.size(), 2u);
}

}  // namespace
