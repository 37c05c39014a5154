// The statement parser: the grammar of the definition file.
//
// The file reaches it one input line at a time. It is a single state
// machine whose state (and whose working records) survive from one line to
// the next, so a statement may run over several lines and several
// statements may share one line. It drives the block readers, the value
// list readers and the expression reader for the operands in braces and
// parentheses, checks the versioning rules, and stores what it read into
// the definition model when a statement or item is complete.

#ifndef OSTRAND_LANGUAGE_PARSER_H_
#define OSTRAND_LANGUAGE_PARSER_H_

#include <cstdint>

#include "language/model.h"

// Puts the parser and every reader it drives at the start of a file. Called
// once, after creating the model and before the first line.
void resetParser();

// Parses one NUL-terminated input line into `model`; `lineNumber` counts
// from 1. Returns 0 when the line was consumed without error (also when a
// statement stays open at its end), a positive status code for an error of
// the definitions (the code table is in diagnostics.h), or -1 for an
// internal error. For a non-zero result `columnOut` is the column at which
// the error was found. After a non-zero result the parser must not be
// called again before resetParser().
int parseLine(DefinitionModel& model, uint32_t& columnOut,
              const char* lineText, uint32_t lineNumber);

#endif  // OSTRAND_LANGUAGE_PARSER_H_
