// Trap records as text lines, one per record:
//
//   fault F instance I value V "TEXT"...
//   NAME fault F instance I value V BINDING="TEXT"...
//
// the second form when the card's definitions name the instance (NAME is
// "?" for an instance they do not have). F and I are the header's 16-bit
// numbers, V its value, all in decimal. A record of an instance with
// bindings that carries no entry ends in " (bound values missing)".

#ifndef OSTRAND_TOOLS_TRAPDECODE_RECORD_LINES_H_
#define OSTRAND_TOOLS_TRAPDECODE_RECORD_LINES_H_

#include <cstdio>
#include <string>
#include <string_view>

#include "trapdecode/instance_labels.h"
#include "trapdecode/record_framing.h"

// `text` between double quotes, each byte 0x20..0x7e as it is but for '"'
// and '\' (escaped with '\'), every other byte as \xHH in lower case: a
// value text from the card may hold any byte.
std::string quotedText(std::string_view text);

struct RecordPrinter {
  const InstanceLabels* labels = nullptr;  // null: print without names
  FILE* out = stdout;
  // The record being printed: its instance when labels know it, and how
  // many entries it has had.
  const InstanceLabel* current = nullptr;
  size_t entries = 0;
};

// A sink that prints each record as it is framed and flushes its line once
// the record is complete, so that a reader watching sees it at once. The
// printer must outlive the sink.
RecordSink printingSink(RecordPrinter& printer);

#endif  // OSTRAND_TOOLS_TRAPDECODE_RECORD_LINES_H_
