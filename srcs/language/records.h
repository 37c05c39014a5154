// The records the block readers fill from a definition file. Each one keeps
// the text of the lines its items came from, so that a diagnostic about an
// item can quote the line long after the file was read.

#ifndef OSTRAND_LANGUAGE_RECORDS_H_
#define OSTRAND_LANGUAGE_RECORDS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "expr/line_text.h"

// One name written in a name list.
struct NameRef {
  uint32_t line = 0;    // line number of the name
  uint32_t column = 0;  // byte offset of its first character in that line
  Text name;            // as written
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
