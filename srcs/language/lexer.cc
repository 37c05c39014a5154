#include "language/lexer.h"

bool isCommentLine(const char* lineText) {
  return *skipSpace(lineText) == '#';
}
