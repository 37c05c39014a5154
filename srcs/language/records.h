// The records the block readers fill from a definition file. Each one keeps
// the text of the lines its items came from, so that a diagnostic about an
// item can quote the line long after the file was read.

#ifndef OSTRAND_LANGUAGE_RECORDS_H_
#define OSTRAND_LANGUAGE_RECORDS_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Line number (from 1) to the full text of that input line, as delivered,
// newline included.
using SourceLines = std::map<uint32_t, std::string>;

// The source lines rule: every reader that stores an item it has read also
// records the item's line here. An entry already present for `lineNumber`
// is kept as it is, so the first text seen for a line wins.
void addSourceLine(SourceLines& sourceLines, uint32_t lineNumber,
                   const char* lineText);

// One name written in a name list.
struct NameRef {
  uint32_t line = 0;    // line number of the name
  uint32_t column = 0;  // byte offset of its first character in that line
  std::string name;     // as written
};

// A name list `{ name, name, ... }`, possibly spread over several lines.
struct NameList {
  SourceLines sourceLines;
  std::vector<NameRef> items;  // in the order written
};

// A single-word block `{ word }` of a product information statement.
struct ProductInfo {
  SourceLines sourceLines;
  uint32_t line = 0;    // position of the word
  uint32_t column = 0;
  std::string value;    // the word
};

#endif  // OSTRAND_LANGUAGE_RECORDS_H_
