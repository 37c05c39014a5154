// Where the daemon's line numbers lie in a definition file. The load reads
// the file in pieces of at most 1024 bytes, each ending at a newline or at
// that limit, and numbers the pieces as lines: past a longer line its
// numbers run ahead of the file's. A tool pointing an editor at a problem
// needs the file's own line and column.

#ifndef OSTRAND_TOOLS_COMMON_SOURCE_PIECES_H_
#define OSTRAND_TOOLS_COMMON_SOURCE_PIECES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A place in the file: its line and the byte offset within that line, both
// counted from 0.
struct SourcePlace {
  uint32_t line = 0;
  uint32_t offset = 0;
};

class SourcePieces {
 public:
  // Reads `path` whole. Returns 0, or the errno value that stopped the
  // reading (a directory cannot be read, though the load would take it for
  // an empty file).
  int read(const std::string& path);

  // Where byte `column` of piece `piece` (counted from 1, as the load
  // counts) lies in the file. A piece past the end of the file is taken to
  // be where the file ends.
  SourcePlace place(uint32_t piece, uint32_t column) const;

  // The text of line `line` (from 0) without its newline; empty past the
  // end of the file.
  std::string_view lineText(uint32_t line) const;

 private:
  std::string text_;
  std::vector<size_t> lineStarts_;   // byte offset of each line's start
  std::vector<size_t> pieceStarts_;  // byte offset of each piece's start
};

#endif  // OSTRAND_TOOLS_COMMON_SOURCE_PIECES_H_
