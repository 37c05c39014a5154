// Reads a parenthesised expression of a definition file into tokens.
//
// An expression may run over several input lines, so the reader is
// resumable: it consumes what one line offers, keeps its mode (between
// tokens, inside a string, inside an index suffix), the text of a string or
// suffix read so far and the parenthesis depth in a process-wide state, and
// goes on when it is called again with the next line. Only one expression
// is read at a time.

#ifndef OSTRAND_EXPR_READER_H_
#define OSTRAND_EXPR_READER_H_

#include <cstdint>

#include "expr/expr_value.h"

// Results of readExpression.
constexpr int kExprReadComplete = 0;
constexpr int kExprReadLineEnded = -2;
constexpr int kExprReadBadToken = 2;

// Appends the tokens of one expression to `expression`. `cursor` points into
// the NUL-terminated line `lineText`, just behind the opening `(` that the
// caller consumed; `lineNumber` counts from 1. `indexAllowed` says whether a
// name may carry index suffixes (`level[ 3 ]` reads as the name "level[3]").
//
// Returns
//   kExprReadComplete   after the matching `)`; the cursor points behind it
//                       and the white space that follows. Negative integer
//                       constants have been folded: a leading `-5` and the
//                       `-5` of `x * -5` are single Integer tokens placed
//                       where the `-` stood.
//   kExprReadLineEnded  the line ended first; call again with the next line
//                       and the same `expression`. A string or an index
//                       suffix goes on across the line end without the
//                       newline and the next line's leading white space.
//   kExprReadBadToken   an empty word (a lone `!`, `=` or `]`), or a `[` that
//                       is not allowed or does not follow a name.
// `columnOut` receives the column of the place where reading stopped: the
// offending character after a failure, the `)` after completion.
//
// The caller clears `expression` before the first line of an expression.
// The tokens take room as they come: a caller that keeps one working
// expression, clears it and stores copies of it keeps its room from one
// expression to the next, and each copy takes just the room it needs.
// Every token appended inserts (its line number, the full `lineText`) into
// `expression.sourceLines`, keeping an entry already there.
int readExpression(Expression& expression, uint32_t& columnOut,
                   const char*& cursor, const char* lineText,
                   uint32_t lineNumber, bool indexAllowed);

// How the definition language spells the operator or parenthesis `kind`
// ("&&", "("); null for any other kind.
const char* exprSpelling(int32_t kind);

// Puts the reader back between tokens at depth 1 with an empty buffer, as
// at process start. The load reads one file and stops at its first error,
// so only a fresh start after an abandoned expression needs this.
void resetExpressionReader();

#endif  // OSTRAND_EXPR_READER_H_
