// The framing and printing of a trap record stream.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "example_card.h"
#include "fuzz_entries.h"
#include "trapdecode/instance_labels.h"
#include "trapdecode/record_framing.h"
#include "trapdecode/record_lines.h"

namespace {

const InstanceLabels& cardLabels() {
  static const InstanceLabels labels = labelInstances(exampleCard());
  return labels;
}

// The lines printed for `stream` reaching the framing in pieces of `piece`
// bytes, and the count of bytes left over at its end.
std::string decode(std::string_view stream, size_t piece,
                   const InstanceLabels* labels) {
  char* text = nullptr;
  size_t textSize = 0;
  FILE* out = open_memstream(&text, &textSize);
  if (out == nullptr) {
    std::fprintf(stderr, "fuzz_trapdecode: cannot open a memory stream\n");
    std::abort();
  }
  RecordPrinter printer;
  printer.labels = labels;
  printer.out = out;
  const RecordSink sink = printingSink(printer);
  RecordFraming framing;
  for (size_t at = 0; at < stream.size(); at += piece) {
    frameBytes(framing, stream.substr(at, piece), sink);
  }
  const size_t left = finishFraming(framing, sink);
  std::fclose(out);
  std::string lines(text, textSize);
  std::free(text);
  return lines + "left " + std::to_string(left) + "\n";
}

}  // namespace

int fuzzOneTrapdecode(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = (data[0] & 0x7f) + 1;
  const InstanceLabels* labels = (data[0] & 0x80) != 0 ? &cardLabels() : nullptr;
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1,
                                size - 1);
  const std::string whole = decode(stream, stream.size() + 1, labels);
  const std::string pieces = decode(stream, piece, labels);
  if (whole != pieces) {
    std::fprintf(stderr,
                 "fuzz_trapdecode: pieces of %zu bytes print otherwise\n"
                 "--- whole:\n%s--- in pieces:\n%s",
                 piece, whole.c_str(), pieces.c_str());
    std::abort();
  }
  return 0;
}
