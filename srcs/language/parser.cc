#include "language/parser.h"

#include <map>
#include <string>
#include <utility>

#include "expr/reader.h"
#include "language/block_readers.h"
#include "language/display_body_reader.h"
#include "language/lexer.h"
#include "language/range_reader.h"
#include "language/reader.h"
#include "language/reader_steps.h"
#include "language/reserved_names.h"
#include "language/status_codes.h"
#include "language/trap_values_reader.h"
#include "language/word_number.h"

namespace {

// What the parser is waiting for. The numbers are those of the card's
// parser, kept so that a state can be named in a bug report.
enum class StatementState : uint32_t {
  StatementStart = 0,     // the name of a statement
  AfterName = 1,          // the keyword or number after the name
  BranchBody = 2,         // the { word } of a product information statement
  ProductBody = 3,
  ProductFamilyBody = 4,
  TableVersion = 5,
  TableParams = 6,
  ParamRemoval = 7,       // the optional removal version of a parameter
  ParamOpen = 8,          // the `{` of a version block
  ParamItem = 9,          // a version item or the `}` of a version block
  IndexVersion = 10,      // the version of a version item...
  RangeVersion = 11,
  CtrlValidVersion = 12,
  GreyOutVersion = 13,
  DescriptionVersion = 14,
  IndexBody = 15,         // ...and its operand
  RangeBody = 16,
  CtrlValidExpr = 17,
  GreyOutExpr = 18,
  DescriptionBody = 19,
  TrapVersion = 20,
  TrapOpen = 21,
  TrapItem = 22,          // a trap item or the `}` of a trap
  TrapDescription = 23,
  TrapActionTrue = 24,
  TrapActionFalse = 25,
  TrapBindings = 26,
  TrueTrapOpen = 27,
  TrueTrapBody = 28,
  VidStdVersion = 29,
  VidStdConstants = 30,
  AccessOpen = 31,        // the `{` of an access block
  AccessItem = 32,        // an access item or the `}` of an access block
  LabelBody = 33,
  AccessDescriptionBody = 34,
  DisplayCondition = 35,
  DisplayBody = 36,
};

// Everything the parser keeps from one line to the next. The working
// records are filled by the readers and copied into the model when their
// statement or item is complete, so an unfinished statement at the end of
// the file leaves nothing behind.
struct ParserState {
  StatementState state = StatementState::StatementStart;
  std::string currentName;  // the name of the statement being read
  std::string statementLine;  // the text of the line it began on
  // The parameter of that name once the statement has inserted it, and the
  // model it lives in: found once per statement, not once per item.
  ParamDef* param = nullptr;
  const DefinitionModel* paramModel = nullptr;
  // The parameter a statement last named, kept past its statement: the
  // access block and the version block of a parameter mostly follow each
  // other, and the second then needs no search among all the parameters.
  std::string lastParamName;
  ParamDef* lastParam = nullptr;
  std::string secondWord;   // the word after it
  int32_t declVersion = 0;  // after a parameter's name, `table`, `trap` or
                            // `vidstd`
  int32_t itemVersion = 0;  // of the version item being read
  ProductInfo workInfo;
  NameList workList;        // table parameters, index items, vidstd constants
  RangeDef workRange;
  Expression workExpr;      // ctrlValid, greyOut and display conditions
  DisplayRule workRule;
  TrapDef workTrap;
};

ParserState gParser;

// The one line being parsed. `column` is parseLine's columnOut: every step
// stores the column of the character it looks at there, and the readers
// move it on, so it names the place of any error.
struct Line {
  DefinitionModel& model;
  uint32_t& column;
  const char* cursor;
  const char* text;
  uint32_t number;
};

void enter(Line& line, StatementState next) {
  line.cursor = skipSpace(line.cursor);
  gParser.state = next;
}

// A reader that did not complete: the end of the line is no error (the
// same state goes on with the next line); its failure is the line's status.
int unfinished(int result) {
  return result == kReadLineEnded ? kStatusOk : result;
}

// As unfinished(), for the readers whose failure the statement level
// reports as a plain syntax error.
int unfinishedSyntax(int result) {
  return result == kReadLineEnded ? kStatusOk : kSyntaxError;
}

// A version word: a non-negative number ending at white space or `stops`.
// The empty word is not one.
bool readVersion(Line& line, const char* stops, int32_t& version) {
  std::string word;
  const char* end = readWord(word, line.cursor, stops);
  if (!nonNegativeFromWord(word, version)) return false;
  line.cursor = end;
  return true;
}

// Steps over the character under the cursor (a `}` that ends a statement,
// the `(` of a condition) and the white space behind it; state `next`.
StepResult stepOver(Line& line, StatementState next) {
  ++line.cursor;
  enter(line, next);
  return std::nullopt;
}

// The parameter the current statement or item is about. Every state that
// needs it comes after the statement inserted it, so a miss is the
// parser's own fault.
ParamDef* currentParam(Line& line) {
  if (gParser.param != nullptr && gParser.paramModel == &line.model) {
    return gParser.param;
  }
  auto found = line.model.params.find(gParser.currentName);
  return found == line.model.params.end() ? nullptr : &found->second;
}

// Notes the parameter the statement has just inserted or found.
ParamDef& noteParam(Line& line, ParamDef& param) {
  gParser.param = &param;
  gParser.paramModel = &line.model;
  return param;
}

// The parameter the current statement names, inserted when it is new;
// `inserted` says whether it was.
ParamDef& statementParam(Line& line, bool& inserted) {
  inserted = false;
  if (gParser.lastParam == nullptr || gParser.paramModel != &line.model ||
      gParser.lastParamName != gParser.currentName) {
    auto [entry, isNew] = line.model.params.try_emplace(gParser.currentName);
    inserted = isNew;
    gParser.lastParam = &entry->second;
    gParser.lastParamName = gParser.currentName;
  }
  return noteParam(line, *gParser.lastParam);
}

StepResult statementStart(Line& line) {
  gParser.currentName.clear();
  gParser.param = nullptr;
  line.cursor = readWord(gParser.currentName, line.cursor, "[]");
  // Only a trap keeps where its statement began, but every statement notes
  // it: the name is read before anyone knows what it declares. The line's
  // text goes into a buffer that keeps its room from one statement to the
  // next, and into the trap once it is one.
  gParser.workTrap.line = line.number;
  gParser.workTrap.column = line.column;
  gParser.statementLine.assign(line.text);
  enter(line, StatementState::AfterName);
  return std::nullopt;
}

// `branch {`, `product {` and `product_family {`: the product information
// statements are the ones whose name is followed by the `{` at once.
StepResult productInfoKeyword(const std::string& name) {
  static const std::map<std::string, StatementState> kBodies = {
      {"branch", StatementState::BranchBody},
      {"product", StatementState::ProductBody},
      {"product_family", StatementState::ProductFamilyBody},
  };
  auto found = kBodies.find(name);
  if (found == kBodies.end()) return kSyntaxError;
  gParser.state = found->second;
  gParser.workInfo.sourceLines.clear();
  gParser.workInfo.value.clear();
  return std::nullopt;
}

StepResult afterName(Line& line) {
  std::string& word = gParser.secondWord;
  word.clear();
  line.cursor = readWord(word, line.cursor, "{");
  if (word.empty()) {
    if (StepResult failed = productInfoKeyword(gParser.currentName)) {
      return failed;
    }
  } else if (word == "table") {
    if (reservedTableNames().count(gParser.currentName) != 0) {
      return kIllegalTableName;
    }
    gParser.workList = NameList{};
    gParser.state = StatementState::TableVersion;
  } else if (word == "rw" || word == "wo" || word == "ro") {
    // A later access block overrides the flags of an earlier one and keeps
    // everything else; a new parameter has no version until its version
    // block.
    bool inserted = false;
    ParamDef& param = statementParam(line, inserted);
    param.readable = word != "wo";
    param.writable = word != "ro";
    gParser.state = StatementState::AccessOpen;
  } else if (word == "trap") {
    gParser.workTrap.lineText =
        sharedLine(gParser.workTrap.line, gParser.statementLine.c_str());
    gParser.state = StatementState::TrapVersion;
  } else if (word == "vidstd") {
    gParser.workList = NameList{};
    gParser.state = StatementState::VidStdVersion;
  } else if (nonNegativeFromWord(word, gParser.declVersion)) {
    gParser.state = StatementState::ParamRemoval;
  } else {
    return kSyntaxError;
  }
  line.cursor = skipSpace(line.cursor);
  return std::nullopt;
}

StepResult productInfoBody(Line& line) {
  const int result = readProductInfo(gParser.workInfo, line.column,
                                     line.cursor, line.text, line.number);
  if (result != kReadComplete) return unfinished(result);
  line.model.productInfo[gParser.currentName].push_back(gParser.workInfo);
  enter(line, StatementState::StatementStart);
  return std::nullopt;
}

StepResult tableParams(Line& line) {
  const int result = readNameList(gParser.workList, line.column, line.cursor,
                                  line.text, line.number, false);
  if (result != kReadComplete) return unfinishedSyntax(result);
  if (line.model.tables.count(gParser.currentName) != 0) {
    return kDuplicateTable;
  }
  line.model.tables.emplace(
      gParser.currentName,
      TableDef{gParser.declVersion, std::move(gParser.workList)});
  enter(line, StatementState::StatementStart);
  return std::nullopt;
}

// `name version [removal] {`: the removal version, if any, and the
// parameter's versions. A parameter that so far only had an access block
// gets its versions here; a second version block is refused.
StepResult paramRemoval(Line& line) {
  std::string word;
  const char* end = readWord(word, line.cursor, "{");
  int32_t removal = kNoVersion;
  if (!word.empty() && !nonNegativeFromWord(word, removal)) {
    return kSyntaxError;
  }
  if (removal != kNoVersion && removal <= gParser.declVersion) {
    return kBadRemovalVersion;
  }
  bool inserted = false;
  ParamDef& param = statementParam(line, inserted);
  if (!inserted && param.version != kNoVersion) return kDuplicateParamVersion;
  param.version = gParser.declVersion;
  param.removalVersion = removal;
  line.cursor = end;
  enter(line, StatementState::ParamOpen);
  return std::nullopt;
}

// The `}` of a version block: the block must have defined the parameter's
// values from its first version on, and nothing at or after its removal.
StepResult endVersionBlock(Line& line) {
  const ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  if (param->ranges.empty()) return kEmptyRange;
  if (param->ranges.begin()->first != param->version) {
    return kFirstRangeVersion;
  }
  if (param->removalVersion >= 0) {
    if (param->ranges.rbegin()->first >= param->removalVersion) {
      return kRangeAfterRemoval;
    }
    if (!param->indexes.empty() &&
        param->indexes.rbegin()->first >= param->removalVersion) {
      return kIndexAfterRemoval;
    }
  }
  return stepOver(line, StatementState::StatementStart);
}

StepResult paramItem(Line& line) {
  if (*line.cursor == '}') return endVersionBlock(line);
  std::string word;
  line.cursor = readWord(word, line.cursor);
  StatementState next;
  if (word == "index") next = StatementState::IndexVersion;
  else if (word == "range") next = StatementState::RangeVersion;
  else if (word == "ctrlValid") next = StatementState::CtrlValidVersion;
  else if (word == "greyOut") next = StatementState::GreyOutVersion;
  else if (word == "description") next = StatementState::DescriptionVersion;
  else return kSyntaxError;
  enter(line, next);
  return std::nullopt;
}

// The code for an item whose version is not before the removal version.
int afterRemovalCode(StatementState state) {
  switch (state) {
    case StatementState::IndexVersion: return kIndexAfterRemoval;
    case StatementState::RangeVersion: return kRangeAfterRemoval;
    case StatementState::CtrlValidVersion: return kCtrlValidAfterRemoval;
    case StatementState::GreyOutVersion: return kGreyOutAfterRemoval;
    default: return kDescriptionAfterRemoval;
  }
}

// The `(` of a ctrlValid or greyOut item stands on the line of its version.
StepResult openCondition(Line& line, StatementState next) {
  // A missing `(` is reported where the step began: at the version.
  line.cursor = skipSpace(line.cursor);
  if (*line.cursor != '(') return kSyntaxError;
  gParser.workExpr.clear();
  return stepOver(line, next);
}

StepResult itemVersion(Line& line) {
  const StatementState state = gParser.state;
  const bool condition = state == StatementState::CtrlValidVersion ||
                         state == StatementState::GreyOutVersion;
  if (!readVersion(line, condition ? "(" : "{", gParser.itemVersion)) {
    return kSyntaxError;
  }
  const ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  if (param->removalVersion >= 0 &&
      param->removalVersion <= gParser.itemVersion) {
    return afterRemovalCode(state);
  }
  switch (state) {
    case StatementState::IndexVersion:
      gParser.workList = NameList{};
      enter(line, StatementState::IndexBody);
      return std::nullopt;
    case StatementState::RangeVersion:
      // Cleared, not replaced: the working range keeps its room, and the
      // model's copy takes just the room its items need.
      gParser.workRange.sourceLines.clear();
      gParser.workRange.items.clear();
      enter(line, StatementState::RangeBody);
      return std::nullopt;
    case StatementState::CtrlValidVersion:
      return openCondition(line, StatementState::CtrlValidExpr);
    case StatementState::GreyOutVersion:
      return openCondition(line, StatementState::GreyOutExpr);
    default:
      enter(line, StatementState::DescriptionBody);
      return std::nullopt;
  }
}

StepResult indexBody(Line& line) {
  const int result = readNameList(gParser.workList, line.column, line.cursor,
                                  line.text, line.number, true);
  if (result != kReadComplete) return unfinishedSyntax(result);
  ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  if (!param->indexes.try_emplace(gParser.itemVersion,
                                  std::move(gParser.workList)).second) {
    return kDuplicateIndex;
  }
  enter(line, StatementState::ParamItem);
  return std::nullopt;
}

StepResult rangeBody(Line& line) {
  const int result = readRange(gParser.workRange, line.column, line.cursor,
                               line.text, line.number);
  if (result != kReadComplete) return unfinished(result);
  ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  if (!param->ranges.try_emplace(gParser.itemVersion,
                                 gParser.workRange).second) {
    return kDuplicateRange;
  }
  enter(line, StatementState::ParamItem);
  return std::nullopt;
}

StepResult conditionExpr(Line& line) {
  const int result = readExpression(gParser.workExpr, line.column,
                                    line.cursor, line.text, line.number,
                                    false);
  if (result != kExprReadComplete) return unfinishedSyntax(result);
  ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  auto& conditions = gParser.state == StatementState::CtrlValidExpr
                         ? param->ctrlValid
                         : param->greyOut;
  conditions[gParser.itemVersion].push_back(gParser.workExpr);
  enter(line, StatementState::ParamItem);
  return std::nullopt;
}

// A text block read straight into the model (a parameter's label and
// descriptions) or into the working trap; `next` follows its `}`.
StepResult textBody(Line& line, std::string& text, StatementState next) {
  const int result = readTextBlock(text, line.column, line.cursor, line.text);
  if (result != kReadComplete) return unfinished(result);
  gParser.state = next;
  return std::nullopt;
}

StepResult descriptionBody(Line& line) {
  ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  return textBody(line, param->descriptions[gParser.itemVersion],
                  StatementState::ParamItem);
}

StepResult trapVersion(Line& line) {
  if (!readVersion(line, "{", gParser.declVersion)) return kSyntaxError;
  TrapDef& trap = gParser.workTrap;
  trap.version = static_cast<uint32_t>(gParser.declVersion);
  trap.description.clear();
  trap.actionTrue.clear();
  trap.actionFalse.clear();
  trap.bindings = NameList{};
  trap.trueTrap = TrapValues{};
  enter(line, StatementState::TrapOpen);
  return std::nullopt;
}

// The `}` of a trap: a trap says what it is and what to do both ways.
StepResult endTrap(Line& line) {
  const TrapDef& trap = gParser.workTrap;
  if (trap.description.empty()) return kEmptyTrapDescription;
  if (trap.actionTrue.empty() || trap.actionFalse.empty()) {
    return kEmptyTrapAction;
  }
  if (!line.model.traps.try_emplace(gParser.currentName,
                                    std::move(gParser.workTrap)).second) {
    return kDuplicateTrap;
  }
  return stepOver(line, StatementState::StatementStart);
}

StepResult trapItem(Line& line) {
  if (*line.cursor == '}') return endTrap(line);
  std::string word;
  line.cursor = readWord(word, line.cursor, "{");
  StatementState next;
  if (word == "description") next = StatementState::TrapDescription;
  else if (word == "action_true") next = StatementState::TrapActionTrue;
  else if (word == "action_false") next = StatementState::TrapActionFalse;
  else if (word == "bindings") next = StatementState::TrapBindings;
  else if (word == "true_trap") next = StatementState::TrueTrapOpen;
  else return kSyntaxError;
  enter(line, next);
  return std::nullopt;
}

StepResult trapBindings(Line& line) {
  const int result = readNameList(gParser.workTrap.bindings, line.column,
                                  line.cursor, line.text, line.number, false);
  if (result != kReadComplete) return unfinishedSyntax(result);
  enter(line, StatementState::TrapItem);
  return std::nullopt;
}

StepResult trueTrapBody(Line& line) {
  const int result = readTrapValues(gParser.workTrap.trueTrap, line.column,
                                    line.cursor, line.text, line.number);
  if (result != kReadComplete) return unfinishedSyntax(result);
  enter(line, StatementState::TrapItem);
  return std::nullopt;
}

// Two statements for the same standard and version make one entry.
StepResult vidStdConstants(Line& line) {
  const int result = readNameList(gParser.workList, line.column, line.cursor,
                                  line.text, line.number, false);
  if (result != kReadComplete) return unfinishedSyntax(result);
  const VidStdKey key{gParser.currentName,
                      static_cast<uint32_t>(gParser.declVersion)};
  auto [entry, inserted] = line.model.vidStds.try_emplace(key,
                                                          gParser.workList);
  if (!inserted) {
    NameList& constants = entry->second;
    constants.sourceLines.insert(gParser.workList.sourceLines.begin(),
                                 gParser.workList.sourceLines.end());
    constants.items.insert(constants.items.end(),
                           gParser.workList.items.begin(),
                           gParser.workList.items.end());
  }
  enter(line, StatementState::StatementStart);
  return std::nullopt;
}

StepResult accessItem(Line& line) {
  if (*line.cursor == '}') {
    return stepOver(line, StatementState::StatementStart);
  }
  std::string word;
  line.cursor = readWord(word, line.cursor);
  if (word == "label") {
    enter(line, StatementState::LabelBody);
  } else if (word == "description") {
    enter(line, StatementState::AccessDescriptionBody);
  } else if (word == "display") {
    gParser.workRule = DisplayRule{};
    // A condition opens on the line of its `display`.
    line.cursor = skipSpace(line.cursor);
    if (*line.cursor == '(') {
      gParser.workExpr.clear();
      return stepOver(line, StatementState::DisplayCondition);
    }
    gParser.state = StatementState::DisplayBody;
  } else {
    return kSyntaxError;
  }
  return std::nullopt;
}

StepResult accessText(Line& line) {
  ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  const bool label = gParser.state == StatementState::LabelBody;
  return textBody(line, label ? param->label : param->description,
                  StatementState::AccessItem);
}

StepResult displayCondition(Line& line) {
  const int result = readExpression(gParser.workExpr, line.column,
                                    line.cursor, line.text, line.number,
                                    true);
  if (result != kExprReadComplete) return unfinishedSyntax(result);
  gParser.workRule.condition = gParser.workExpr;
  enter(line, StatementState::DisplayBody);
  return std::nullopt;
}

// A parameter has either one rule without a condition, or any number of
// rules that all have one.
StepResult displayBody(Line& line) {
  ParamDef* param = currentParam(line);
  if (param == nullptr) return kInternalError;
  const int result = readDisplayBody(gParser.workRule, line.column,
                                     line.cursor, line.text, line.number);
  if (result != kReadComplete) return unfinished(result);
  std::vector<DisplayRule>& rules = param->displayRules;
  if (gParser.workRule.condition.tokens.empty()) {
    if (!rules.empty()) return kGlobalDisplayRuleNotAlone;
  } else if (!rules.empty() && rules.back().condition.tokens.empty()) {
    return kConditionalAfterGlobalRule;
  }
  // Rules with conditions come at least in pairs, one for each case.
  if (rules.empty() && !gParser.workRule.condition.tokens.empty()) {
    rules.reserve(2);
  }
  rules.push_back(std::move(gParser.workRule));
  gParser.state = StatementState::AccessItem;
  return std::nullopt;
}

StepResult step(Line& line) {
  switch (gParser.state) {
    case StatementState::StatementStart:
      return statementStart(line);
    case StatementState::AfterName:
      return afterName(line);
    case StatementState::BranchBody:
    case StatementState::ProductBody:
    case StatementState::ProductFamilyBody:
      return productInfoBody(line);
    case StatementState::TableVersion:
      if (!readVersion(line, "{", gParser.declVersion)) return kSyntaxError;
      enter(line, StatementState::TableParams);
      return std::nullopt;
    case StatementState::TableParams:
      return tableParams(line);
    case StatementState::ParamRemoval:
      return paramRemoval(line);
    case StatementState::ParamOpen:
      return openOperand(gParser.state, StatementState::ParamItem, line.cursor,
                         kSyntaxError);
    case StatementState::ParamItem:
      return paramItem(line);
    case StatementState::IndexVersion:
    case StatementState::RangeVersion:
    case StatementState::CtrlValidVersion:
    case StatementState::GreyOutVersion:
    case StatementState::DescriptionVersion:
      return itemVersion(line);
    case StatementState::IndexBody:
      return indexBody(line);
    case StatementState::RangeBody:
      return rangeBody(line);
    case StatementState::CtrlValidExpr:
    case StatementState::GreyOutExpr:
      return conditionExpr(line);
    case StatementState::DescriptionBody:
      return descriptionBody(line);
    case StatementState::TrapVersion:
      return trapVersion(line);
    case StatementState::TrapOpen:
      return openOperand(gParser.state, StatementState::TrapItem, line.cursor,
                         kSyntaxError);
    case StatementState::TrapItem:
      return trapItem(line);
    case StatementState::TrapDescription:
      return textBody(line, gParser.workTrap.description,
                      StatementState::TrapItem);
    case StatementState::TrapActionTrue:
      return textBody(line, gParser.workTrap.actionTrue,
                      StatementState::TrapItem);
    case StatementState::TrapActionFalse:
      return textBody(line, gParser.workTrap.actionFalse,
                      StatementState::TrapItem);
    case StatementState::TrapBindings:
      return trapBindings(line);
    case StatementState::TrueTrapOpen:
      // The trap value reader reads the `{` itself.
      if (*line.cursor != '{') return kSyntaxError;
      gParser.state = StatementState::TrueTrapBody;
      return std::nullopt;
    case StatementState::TrueTrapBody:
      return trueTrapBody(line);
    case StatementState::VidStdVersion:
      if (!readVersion(line, "{", gParser.declVersion)) return kSyntaxError;
      enter(line, StatementState::VidStdConstants);
      return std::nullopt;
    case StatementState::VidStdConstants:
      return vidStdConstants(line);
    case StatementState::AccessOpen:
      return openOperand(gParser.state, StatementState::AccessItem, line.cursor,
                         kSyntaxError);
    case StatementState::AccessItem:
      return accessItem(line);
    case StatementState::LabelBody:
    case StatementState::AccessDescriptionBody:
      return accessText(line);
    case StatementState::DisplayCondition:
      return displayCondition(line);
    case StatementState::DisplayBody:
      return displayBody(line);
  }
  return kInternalError;
}

}  // namespace

void resetParser() {
  gParser.state = StatementState::StatementStart;
  gParser.param = nullptr;
  gParser.lastParam = nullptr;
  resetReaders();
}

int parseLine(DefinitionModel& model, uint32_t& columnOut,
              const char* lineText, uint32_t lineNumber) {
  // A comment line is ignored whatever is open, a text block or a string
  // included.
  if (isCommentLine(lineText)) return kStatusOk;
  Line line{model, columnOut, skipSpace(lineText), lineText, lineNumber};
  for (;;) {
    if (*line.cursor == '\0') return kStatusOk;
    columnOut = columnOf(line.cursor, lineText);
    if (const StepResult result = step(line)) return *result;
  }
}
