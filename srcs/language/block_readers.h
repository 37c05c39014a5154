// The three block readers of the definition language: the name list
// `{ name, name, ... }`, the text block `{ free text }` and the single-word
// block `{ word }`. They follow the resumable reader protocol (reader.h):
// kReadComplete, kReadLineEnded, or the failure result given with each.
//
// Each reader first skips white space, then repeats until it returns: at the
// end of the line it returns kReadLineEnded (the state is kept, columnOut is
// not touched on that step); otherwise it stores the column of the current
// character in columnOut and acts on its state. Every state that expects a
// `{` refuses any other character.

#ifndef OSTRAND_LANGUAGE_BLOCK_READERS_H_
#define OSTRAND_LANGUAGE_BLOCK_READERS_H_

#include <cstdint>
#include <string>

#include "language/records.h"

// Failure results. The statement parser reports both as a syntax error with
// the caret at columnOut.
constexpr int kNameListWrong = 2;
constexpr int kBlockWrong = 1;

// Reads `{ name, name, ... }` into `list`, appending one NameRef per name
// (its line, the column of its first character, the name) and the name's
// line to list.sourceLines. A name is a word that ends at white space, `,`
// or `}`. The list holds at least one name; with `allowEmpty`, `{}` (white
// space allowed inside) is accepted too and adds nothing. `{ a, }` and
// `{ , a }` are refused. Results: kReadComplete, with columnOut at the
// first character after the `}` and the white space behind it;
// kReadLineEnded; kNameListWrong, with columnOut at the offending character.
// The list is never cleared: the caller does that before the first call.
int readNameList(NameList& list, uint32_t& columnOut, const char*& cursor,
                 const char* lineText, uint32_t lineNumber, bool allowEmpty);

// Reads `{ free text }` and appends the text to `text`. The text stands as
// written, with no quotes, escapes or nesting, and cannot hold `}`. White
// space after the `{` and at the start of every further line of the block
// is dropped (so is a further line that is blank); the newlines of all lines
// but the last are kept, as is white space before the `}`. Results:
// kReadComplete, with columnOut left at the column where the last piece of
// text began (the `}` itself when that piece is empty); kReadLineEnded;
// kBlockWrong when the first character is not `{`. Appending means a second
// block for the same target continues the first.
int readTextBlock(std::string& text, uint32_t& columnOut, const char*& cursor,
                  const char* lineText);

// Reads `{ word }`: exactly one word, ending at white space or `}`, which is
// appended to info.value, with its position in info.line and info.column and
// its line in info.sourceLines. The caller clears info.value before the
// first call. Results: kReadComplete, with columnOut at the first character
// after the `}` and the white space behind it; kReadLineEnded; kBlockWrong
// for a missing `{`, no word (`{ }`), or a second word (`{ a b }`), with
// columnOut at the offending character.
int readProductInfo(ProductInfo& info, uint32_t& columnOut,
                    const char*& cursor, const char* lineText,
                    uint32_t lineNumber);

// Puts the three readers back to ExpectOpen; part of resetReaders().
void resetBlockReaders();

#endif  // OSTRAND_LANGUAGE_BLOCK_READERS_H_
