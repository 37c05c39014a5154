#include "expr/line_text.h"

#include <cstring>

bool isWhiteSpace(char c) {
  // Spelled out rather than std::isspace: that one follows the process locale
  // and is undefined for the negative chars that bytes above 0x7f become.
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
      return true;
    default:
      return false;
  }
}

const char* skipSpace(const char* position) {
  while (isWhiteSpace(*position)) ++position;
  return position;
}

const char* readWord(std::string& out, const char* position,
                     const char* stops) {
  const char* end = position;
  // The NUL test comes first: strchr would find a NUL in every stop string.
  while (*end != '\0' && !isWhiteSpace(*end) &&
         (stops == nullptr || std::strchr(stops, *end) == nullptr)) {
    ++end;
  }
  out.append(position, end);
  return end;
}

void addSourceLine(SourceLines& sourceLines, uint32_t lineNumber,
                   const char* lineText) {
  // try_emplace builds the string only when the line is new: a list of many
  // names on one line copies that line once.
  sourceLines.try_emplace(lineNumber, lineText);
}

bool readUpTo(std::string& buffer, const char*& position, char close) {
  const char* found = std::strchr(position, close);
  if (found == nullptr) {
    // The card drops the last character unseen, so a text split by the line
    // reader's 1024-character limit, or ended by the last line of a file
    // without a final newline, loses a real character there as well: kept
    // so that a definition compiles here as it does on the card.
    const char* end = position + std::strlen(position);
    if (end > position) buffer.append(position, end - 1);
    position = end;
    return false;
  }
  buffer.append(position, found);
  position = skipSpace(found + 1);
  return true;
}
