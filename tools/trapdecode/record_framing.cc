#include "trapdecode/record_framing.h"

#include <algorithm>
#include <cstring>

#include "traps/trap_record.h"

namespace {

constexpr size_t kBindingIdSize = 4;
// The binding identifier and the length byte.
constexpr size_t kEntryPrefixSize = kBindingIdSize + 1;

RecordHeader readHeader(const char* bytes) {
  RecordHeader header;
  std::memcpy(&header.faultId, bytes, sizeof header.faultId);
  std::memcpy(&header.instanceId, bytes + 2, sizeof header.instanceId);
  for (size_t i = 4; i < kTrapRecordHeaderSize; ++i) {
    header.value = (header.value << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return header;
}

// The text size an entry's length byte states. The writer never sends 0
// (the length counts the NUL); such a byte is read like 1, an empty text,
// so that every entry still ends with its closing byte and the framing
// moves on.
size_t textSize(unsigned char lengthByte) {
  return lengthByte == 0 ? 0 : lengthByte - 1;
}

void closeRecord(RecordFraming& framing, const RecordSink& sink) {
  framing.inRecord = false;
  sink.end();
}

bool recordFull(const RecordFraming& framing) {
  return framing.expectedEntries != kAnyEntries &&
         framing.entries >= static_cast<size_t>(framing.expectedEntries);
}

// What the bytes at the front of `rest` are, as far as they tell.
enum class Piece { kUndecided, kEntry, kOther };

Piece pieceAt(std::string_view rest) {
  const size_t seen = std::min(rest.size(), kBindingIdSize);
  for (size_t i = 0; i < seen; ++i) {
    if (rest[i] != '\0') return Piece::kOther;
  }
  return seen == kBindingIdSize ? Piece::kEntry : Piece::kUndecided;
}

size_t takeHeader(RecordFraming& framing, std::string_view rest,
                  const RecordSink& sink) {
  if (rest.size() < kTrapRecordHeaderSize) return 0;
  framing.inRecord = true;
  framing.entries = 0;
  framing.expectedEntries = sink.begin(readHeader(rest.data()));
  if (recordFull(framing)) closeRecord(framing, sink);
  return kTrapRecordHeaderSize;
}

size_t takeEntry(RecordFraming& framing, std::string_view rest,
                 const RecordSink& sink) {
  if (rest.size() < kEntryPrefixSize) return 0;
  const size_t text =
      textSize(static_cast<unsigned char>(rest[kBindingIdSize]));
  const size_t size = kTrapBindingOverhead + text;
  if (rest.size() < size) return 0;
  sink.entry(framing.entries++, rest.substr(kEntryPrefixSize, text));
  if (recordFull(framing)) closeRecord(framing, sink);
  return size;
}

// Takes the next whole piece from the front of `rest`; returns its size, 0
// when the bytes there are not yet enough to tell or to take it.
size_t takePiece(RecordFraming& framing, std::string_view rest,
                 const RecordSink& sink) {
  if (framing.inRecord) {
    const Piece piece = pieceAt(rest);
    if (piece == Piece::kUndecided) return 0;
    if (piece == Piece::kEntry) return takeEntry(framing, rest, sink);
    // Anything else is the next header: the record in progress is whole.
    closeRecord(framing, sink);
  }
  return takeHeader(framing, rest, sink);
}

}  // namespace

void frameBytes(RecordFraming& framing, std::string_view bytes,
                const RecordSink& sink) {
  framing.pending.append(bytes);
  std::string_view rest = framing.pending;
  while (size_t taken = takePiece(framing, rest, sink)) {
    rest.remove_prefix(taken);
  }
  framing.pending.erase(0, framing.pending.size() - rest.size());
}

bool awaitsEntries(const RecordFraming& framing) {
  return framing.inRecord && framing.pending.empty();
}

void endRecord(RecordFraming& framing, const RecordSink& sink) {
  if (framing.inRecord) closeRecord(framing, sink);
}

size_t finishFraming(RecordFraming& framing, const RecordSink& sink) {
  endRecord(framing, sink);
  const size_t left = framing.pending.size();
  framing.pending.clear();
  return left;
}
