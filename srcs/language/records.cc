#include "language/records.h"

void addSourceLine(SourceLines& sourceLines, uint32_t lineNumber,
                   const char* lineText) {
  // try_emplace builds the string only when the line is new: a list of many
  // names on one line copies that line once.
  sourceLines.try_emplace(lineNumber, lineText);
}
