// Cutting the byte stream of the trap device back into records.
//
// The device keeps no record boundaries, so they are found again from the
// bytes: after a header (see traps/trap_record.h), a piece that begins with
// four zero bytes is a binding entry, since a binding identifier is always
// 0 while a header begins with a fault identifier's low 16 bits, which are
// never 0. Anything else begins the next record. When the record's instance
// is known to carry n bindings, at most n entries belong to it.
//
// Bytes are taken as they arrive: a record is delivered as soon as it is
// known to be complete, and an entry or header that has only partly
// arrived waits for the rest. What is held between calls is less than one
// piece, whatever the input.

#ifndef OSTRAND_TOOLS_TRAPDECODE_RECORD_FRAMING_H_
#define OSTRAND_TOOLS_TRAPDECODE_RECORD_FRAMING_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct RecordHeader {
  uint16_t faultId = 0;     // as written, in host byte order
  uint16_t instanceId = 0;  // as written, in host byte order
  uint32_t value = 0;       // decoded from big-endian
};

// Where the records go, piece by piece: begin, each entry, end.
struct RecordSink {
  // Returns the number of entries the record's instance carries, or -1 when
  // the instance is not known (then any number of entries may follow).
  std::function<int(const RecordHeader& header)> begin;
  // The text of entry `index` (from 0) of the record begun last.
  std::function<void(size_t index, std::string_view text)> entry;
  std::function<void()> end;
};

inline constexpr int kAnyEntries = -1;

struct RecordFraming {
  std::string pending;  // received, not yet framed: less than one piece
  bool inRecord = false;
  int expectedEntries = kAnyEntries;
  size_t entries = 0;  // of the record in progress
};

// Adds `bytes` to the stream and delivers every piece that is whole and
// every record that is known to be complete.
void frameBytes(RecordFraming& framing, std::string_view bytes,
                const RecordSink& sink);

// True when a record is in progress, whole as far as it has arrived, and
// could still get entries: only more bytes, the end of the input or the
// caller's patience can end it.
bool awaitsEntries(const RecordFraming& framing);

// Ends the record in progress, if any: no more entries are coming for it.
void endRecord(RecordFraming& framing, const RecordSink& sink);

// The end of the input: ends the record in progress and returns the number
// of bytes received after it that form no whole piece (0 when the input
// ended at a record boundary).
size_t finishFraming(RecordFraming& framing, const RecordSink& sink);

#endif  // OSTRAND_TOOLS_TRAPDECODE_RECORD_FRAMING_H_
