// The definition model: everything the statement parser reads out of a
// card's definition file, held as plain records in ordered maps. It is the
// only input of the generators that follow (the traps table, the video
// standard tables and the MIB model).
//
// The model keeps the file's versioning as written: a parameter has a first
// version and possibly a removal version, and each of its index, range,
// validity, grey-out and description definitions is keyed by the version
// from which it applies. For everything a later check may complain about it
// keeps the line, the column and the text of the line, so that a generator
// can quote the offending line.
//
// Records are values: inserting one into a map copies or moves it. Maps
// iterate in ascending key order; string keys compare byte by byte (as
// unsigned bytes, a proper prefix first), which is std::string's own order.
// A version is a signed 32-bit key; -1 in a version field means that none
// was given.

#ifndef OSTRAND_LANGUAGE_MODEL_H_
#define OSTRAND_LANGUAGE_MODEL_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "expr/expr_value.h"
#include "language/records.h"
#include "language/version_map.h"

constexpr int32_t kNoVersion = -1;

// `name table version { parameter, ... }`: one MIB table of parameters.
struct TableDef {
  int32_t version = 0;  // the table's first version
  NameList params;      // in file order, each with its position
};

// One `display` definition of a parameter.
struct DisplayRule {
  Expression condition;  // no tokens for a rule without a condition
  Text format;           // the text between the double quotes, as read
  std::vector<Expression> arguments;  // the parenthesised expressions after
                                      // the format, in order
};

// One entry of a parameter range. Both ends carry their own position.
//
//   written            from                      to
//   n                  Integer n                 a copy of from
//   a..b               Integer a                 Integer b (not checked
//                                                against a here)
//   "s"                String s                  a copy of from
//   ?                  Name with empty text      a copy of from
//   stringN[:t]        kRangeStringLength,       kRangeStringLength,
//                      number = N                text = t (may be empty)
//
// A range holds either only the first four kinds, or exactly one
// string-length item: a string parameter of at most N characters whose
// default text is t. The range merging gives the items their meaning, the
// wildcard included.
struct RangeItem {
  ExprToken from;
  ExprToken to;
};

// Marks the string-length item of a range. It shares its code with the `$`
// operator of the expression language; in a range it is only a marker.
constexpr int32_t kRangeStringLength = kExprContains;

// The values of a parameter from one version on.
struct RangeDef {
  SourceLines sourceLines;
  std::vector<RangeItem> items;  // in file order; never empty once stored
};

// One parameter.
struct ParamDef {
  int32_t version = kNoVersion;         // set by its version block
  int32_t removalVersion = kNoVersion;  // greater than version when given
  bool readable = true;   // false when the last access block was `wo`
  bool writable = true;   // false when the last access block was `ro`
  std::string label;        // its `label` blocks, appended in file order
  std::string description;  // its unversioned `description` blocks
  std::vector<DisplayRule> displayRules;  // in file order
  // Version from which the definition applies to what it is. An empty
  // index list (`index 3 {}`) means the parameter is not indexed from
  // that version on.
  VersionMap<NameList> indexes;
  VersionMap<RangeDef> ranges;
  // Every ctrlValid / greyOut condition written for a version, in order.
  VersionMap<std::vector<Expression>> ctrlValid;
  VersionMap<std::vector<Expression>> greyOut;
  VersionMap<std::string> descriptions;  // versioned `description`
};

// One value or range of values of a `true_trap` block.
struct ValueRange {
  // One Integer token, one String token, or the tokens of a parenthesised
  // expression.
  std::vector<ExprToken> from;
  // Empty for a single value; for `from..to` one Integer token or the
  // tokens of an expression.
  std::vector<ExprToken> to;
};

// The values written in a trap's `true_trap` blocks.
struct TrapValues {
  SourceLines sourceLines;
  std::vector<ValueRange> values;  // in file order
};

// `name trap version { ... }`. A stored trap always has a non-empty
// description, actionTrue and actionFalse.
struct TrapDef {
  uint32_t version = 0;
  uint32_t line = 0;     // position of the first character of the trap's
  uint32_t column = 0;   // name in its declaration
  Text lineText;         // the full text of that line
  std::string description;  // the `description` blocks, appended
  std::string actionTrue;   // the `action_true` blocks, appended
  std::string actionFalse;  // the `action_false` blocks, appended
  NameList bindings;
  TrapValues trueTrap;
};

// A video standard declaration is keyed by its name, then its version.
using VidStdKey = std::pair<std::string, uint32_t>;

// The maps keyed by name are transparent: a generator looks a name up by
// the Text it holds without making a string of it first.
struct DefinitionModel {
  // "branch", "product" or "product_family" to one entry per statement
  // with that keyword, in file order.
  std::map<std::string, std::vector<ProductInfo>> productInfo;
  std::map<std::string, TableDef, std::less<>> tables;
  std::map<std::string, ParamDef, std::less<>> params;
  std::map<std::string, TrapDef, std::less<>> traps;
  // The constants of each `vidstd` statement; two statements with the same
  // name and version make one entry.
  std::map<VidStdKey, NameList> vidStds;
};

#endif  // OSTRAND_LANGUAGE_MODEL_H_
