// The MIB model: the versioned definitions of a card flattened into what the
// trap runtime needs. One variable per parameter listed in a table, one
// index per index parameter (or per combination of index parameters), each
// with the values it takes in each version and the translations between MIB
// numbers and the parameters' own values.
//
// Every map is keyed by version (a signed 32-bit minor software revision;
// negative means none) or by name, and its key order is the order in which
// the generators process it, report on it and number it.

#ifndef OSTRAND_MIB_MIB_MODEL_H_
#define OSTRAND_MIB_MIB_MODEL_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "expr/expr_value.h"

// One step of a translation list: when `condition` holds for a value put
// under "sw::this", `result` gives the translated value. Both are postfix
// lists (postfix.h). A list of translations is tried in order and the first
// whose condition holds decides.
struct ValueTranslation {
  std::vector<ExprValue> condition;
  std::vector<ExprValue> result;
};

using TranslationList = std::vector<ValueTranslation>;

// One side of a range entry. A definition states one value or none there,
// and a card has a few entries per version of every parameter in its
// tables: the first value is kept in place, so that an entry needs no
// memory of its own. More than one value is only seen in a range made by
// hand, which the range merging refuses.
class EntryValues {
 public:
  EntryValues() = default;
  EntryValues(std::initializer_list<ExprValue> values) {
    for (const ExprValue& value : values) push_back(value);
  }
  EntryValues(const std::vector<ExprValue>& values) {
    for (const ExprValue& value : values) push_back(value);
  }

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const ExprValue& operator[](size_t i) const {
    return i == 0 ? first_ : more_[i - 1];
  }
  const ExprValue& at(size_t i) const {
    if (i >= count_) throw std::out_of_range("EntryValues::at");
    return (*this)[i];
  }
  void push_back(const ExprValue& value) {
    if (count_ == 0) {
      first_ = value;
    } else {
      more_.push_back(value);
    }
    ++count_;
  }
  std::vector<ExprValue> list() const {
    std::vector<ExprValue> values;
    for (size_t i = 0; i < count_; ++i) values.push_back((*this)[i]);
    return values;
  }

 private:
  ExprValue first_;
  std::vector<ExprValue> more_;
  uint32_t count_ = 0;
};

// One entry of a range: an enumerated string (one String as min, no max) or
// an integer range (one Integer as min, one Integer or none as max).
struct MibRangeEntry {
  EntryValues min;
  EntryValues max;
};

// A free-text parameter: at most `maxLength` characters, `defaultText` when
// nothing was set.
struct MibStringLength {
  uint32_t maxLength = 0;
  std::string defaultText;
};

// One value, or one interval of integers, of a variable's numbering: the
// string `text` at MIB number `first` (with the value name `name` in an
// enumerated range), or the parameter's integers from `min` on at the MIB
// numbers first..last.
struct MibNumberingStep {
  int32_t first = 0;
  int32_t last = 0;
  int32_t min = 0;
  bool isString = false;
  std::string text;
  std::string name;
};

// The values a variable may take from one version on: as defined for a
// version (`entries` only), and, once merged, as numbered in the MIB.
//
// A numbered range keeps only its numbering, from which the listings of
// the MIB rebuild its entries and translations. A card has a range per
// version of every parameter in its tables, and the trap registry looks at
// no more of them than their versions, so they are kept in the smallest
// form.
struct MibRange {
  // Set for a free-text parameter, which has nothing else.
  std::optional<MibStringLength> stringLength;
  // 1 when at least one entry is an integer range (or the wildcard), 0 for
  // a purely enumerated range.
  uint8_t isInteger = 0;
  // 1 for the merged range of an integer run, whose entry spans the run.
  uint8_t spansRun = 0;
  // As defined: in the order written; empty once numbered.
  std::vector<MibRangeEntry> entries;
  // Merged or translated: the values with their MIB numbers, in the order
  // their translations are tried.
  std::vector<MibNumberingStep> numbering;
};

// A parameter listed in a table.
struct MibVariable {
  int32_t firstVersion = -1;
  int32_t removalVersion = -1;  // negative: never removed
  // The index parameters from each version on; an empty list makes the
  // variable a scalar from that version on.
  std::map<int32_t, std::vector<std::string>> indexLists;
  std::map<int32_t, MibRange> mergedRanges;
  std::map<int32_t, MibRange> versionedRanges;
};

// Key of an index: its index parameters in order (one for a simple index).
using MibIndexKey = std::vector<std::string>;

// The values of an index per version. A value's index number is its
// position in the version's value-name list, from 0.
struct MibIndex {
  int32_t version = -1;         // the lowest version any variable uses it at
  int32_t removalVersion = -1;  // negative for every accepted index
  std::map<int32_t, std::vector<std::string>> valueNames;
  std::map<int32_t, std::vector<std::string>> mergedValueNames;
  // Per version, one infix expression per component of a merged index that
  // turns the merged index number into the component's; empty for a simple
  // index.
  std::map<int32_t, std::vector<std::vector<ExprValue>>> indexSplitters;
  std::map<int32_t, std::vector<std::vector<ExprValue>>> mergedSplitters;
  // Per version, one translation list per component (exactly one for a
  // simple index) from the component's index number to its parameter value.
  std::map<int32_t, std::vector<TranslationList>> indexToValue;
  // Per version: index parameter name to value name to value text (the
  // decimal text of an integer, or the string itself).
  std::map<int32_t, std::map<std::string, std::map<std::string, std::string>>>
      valueTexts;
};

using MibIndexMap = std::map<MibIndexKey, MibIndex>;
using MibVariableMap = std::map<std::string, MibVariable>;

// Lines the MIB stages report, each a prefix naming the item concerned and
// the problem, printed after the stage one per line.
using MessageList = std::vector<std::string>;

// An index may take at most this many values in one merged version.
constexpr uint32_t kIndexValueLimit = 65536;

// The open end of a version interval: valid from some version on, forever.
constexpr int32_t kOpenVersion = 2147483647;

// The variables of one row of a MIB table: the versions from which each
// variable is present, and the index version the row was made for.
struct MibRowGroup {
  int32_t indexVersion = 0;
  std::map<int32_t, std::set<std::string>> variableVersions;
};

// The MIB tables: table version, table name, index version (0 for scalar
// rows), then the index parameters of the row (none for scalar rows).
using MibRowGroups = std::map<MibIndexKey, MibRowGroup>;
using MibTable = std::map<int32_t, MibRowGroups>;
using MibTableSet = std::map<int32_t, std::map<std::string, MibTable>>;

// The identifier on the wire of each name the trap runtime must name, per
// version from which it holds: variables, video standard constants
// ("vidStd::" variable "::" constant) and the traps' fault-present flags.
using VarIdMap = std::map<std::string, std::map<int32_t, int32_t>>;

#endif  // OSTRAND_MIB_MIB_MODEL_H_
