// Building blocks of a resumable reader (reader.h), shared so that every
// reader of the language keeps the protocol in the same way: white space
// skipped on entry, -2 at the end of the line, the column stored before
// every step, and the same opening and closing of a braced operand.

#ifndef OSTRAND_LANGUAGE_READER_STEPS_H_
#define OSTRAND_LANGUAGE_READER_STEPS_H_

#include <cstdint>
#include <optional>

#include "language/lexer.h"
#include "language/reader.h"

// What one step of a reader decided: a result for the caller, or nothing
// when the reader goes on with the next character.
using StepResult = std::optional<int>;

// Skips white space, then takes `step()` until it gives a result. Before each
// step, the end of the line returns kReadLineEnded (columnOut untouched) and
// otherwise the column of the character under the cursor goes to columnOut.
template <typename Step>
int runReader(uint32_t& columnOut, const char*& cursor, const char* lineText,
              Step step) {
  cursor = skipSpace(cursor);
  for (;;) {
    if (*cursor == '\0') return kReadLineEnded;
    columnOut = columnOf(cursor, lineText);
    if (const StepResult result = step()) return *result;
  }
}

// The step of a reader waiting for its operand: the character must be `{`,
// else `wrong` is the result. The `{` and the white space behind it are
// stepped over and the reader goes to state `next`.
template <typename State>
StepResult openOperand(State& state, State next, const char*& cursor,
                       int wrong) {
  if (*cursor != '{') return wrong;
  cursor = skipSpace(cursor + 1);
  state = next;
  return std::nullopt;
}

// The closing `}` under the cursor completes the operand: it and the white
// space behind it are stepped over, the reader goes back to ExpectOpen, and
// columnOut receives the column of what follows, where the caller puts the
// caret of an error it finds right after the operand.
template <typename State>
int closeOperand(State& state, uint32_t& columnOut, const char*& cursor,
                 const char* lineText) {
  cursor = skipSpace(cursor + 1);
  state = State::ExpectOpen;
  columnOut = columnOf(cursor, lineText);
  return kReadComplete;
}

// Between the items of a braced list: `}` completes the operand, `,` and
// the white space behind it are stepped over and the reader goes to state
// `next`; any other character is `wrong`.
template <typename State>
StepResult nextItemOrClose(State& state, State next, uint32_t& columnOut,
                           const char*& cursor, const char* lineText,
                           int wrong) {
  if (*cursor == '}') return closeOperand(state, columnOut, cursor, lineText);
  if (*cursor != ',') return wrong;
  cursor = skipSpace(cursor + 1);
  state = next;
  return std::nullopt;
}

#endif  // OSTRAND_LANGUAGE_READER_STEPS_H_
