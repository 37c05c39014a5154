// The protocol of the resumable readers of the definition language.
//
// The definition file reaches the statement parser one input line at a
// time, yet an operand in braces or parentheses may run over several lines.
// So each operand has a reader that consumes what one line offers,
// remembers in a process-wide state where it stopped, and goes on when it
// is called again with the next line. Every reader is called as
//
//   int reader(target, columnOut, cursor, lineText, lineNumber, options...)
//
//   target      the record it fills; owned by the caller, passed on every
//               call, never cleared by the reader.
//   columnOut   receives a column (byte offset from `lineText`). On every
//               step the reader first stores the column of the character it
//               is looking at, so after a failure it is the column of the
//               offending character. Where a reader says so, success stores
//               the column of the first character after the operand and the
//               white space behind it: the caret of an error the caller
//               finds right after the operand goes there.
//   cursor      in-out position within the line.
//   lineText    start of the current NUL-terminated input line, for columns
//               and for the source lines rule (records.h).
//   lineNumber  its number, from 1.
//
// Results: kReadComplete, kReadLineEnded, or a positive value when the text
// is wrong. Only the state and the cursor are kept between calls; a reader
// is in the middle of at most one operand at a time.

#ifndef OSTRAND_LANGUAGE_READER_H_
#define OSTRAND_LANGUAGE_READER_H_

// The operand is complete: the cursor points after its closing character
// and any white space behind it, and the reader's state is back at 0.
constexpr int kReadComplete = 0;

// The line ended before the operand did. The state is kept; the caller calls
// the same reader with the same target on the next line.
constexpr int kReadLineEnded = -2;

// After a positive result the state is left as it is: the load stops at the
// first error of a file, and the next file starts with resetReaders().

// Puts every resumable reader between operands (state 0). The statement
// parser's reset calls it once before the first line of a file.
//
// Every reader that keeps a process-wide state is reset from here: the
// block readers and the value list readers. The expression reader keeps its
// state apart and is not reset here.
void resetReaders();

#endif  // OSTRAND_LANGUAGE_READER_H_
