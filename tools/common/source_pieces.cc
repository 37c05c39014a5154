#include "common/source_pieces.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace {

// The longest piece the load reads: its line buffer holds 1024 bytes and
// the terminating NUL.
constexpr size_t kPieceSize = 1024;

}  // namespace

int SourcePieces::read(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  text_.clear();
  char buffer[65536];
  ssize_t size = 0;
  while ((size = ::read(fd, buffer, sizeof buffer)) != 0) {
    if (size < 0 && errno == EINTR) continue;
    if (size < 0) {
      const int error = errno;
      close(fd);
      return error;
    }
    text_.append(buffer, size);
  }
  close(fd);
  lineStarts_ = {0};
  pieceStarts_.clear();
  size_t pieceStart = 0;
  for (size_t i = 0; i < text_.size(); ++i) {
    const bool newline = text_[i] == '\n';
    if (newline) lineStarts_.push_back(i + 1);
    if (newline || i + 1 - pieceStart == kPieceSize) {
      pieceStarts_.push_back(pieceStart);
      pieceStart = i + 1;
    }
  }
  if (pieceStart < text_.size()) pieceStarts_.push_back(pieceStart);
  return 0;
}

SourcePlace SourcePieces::place(uint32_t piece, uint32_t column) const {
  const size_t start = piece >= 1 && piece <= pieceStarts_.size()
                           ? pieceStarts_[piece - 1]
                           : text_.size();
  // The last line starting at or before the piece's first byte.
  const auto line =
      std::prev(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), start));
  return SourcePlace{
      static_cast<uint32_t>(line - lineStarts_.begin()),
      static_cast<uint32_t>(start - *line + column)};
}

std::string_view SourcePieces::lineText(uint32_t line) const {
  if (line >= lineStarts_.size()) return {};
  const size_t start = lineStarts_[line];
  const size_t end = text_.find('\n', start);
  return std::string_view(text_).substr(
      start, end == std::string::npos ? std::string::npos : end - start);
}
