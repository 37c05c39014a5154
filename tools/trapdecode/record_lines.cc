#include "trapdecode/record_lines.h"

namespace {

int beginLine(RecordPrinter& printer, const RecordHeader& header) {
  printer.current = nullptr;
  printer.entries = 0;
  if (printer.labels != nullptr) {
    const auto found =
        printer.labels->find({header.faultId, header.instanceId});
    if (found != printer.labels->end()) printer.current = &found->second;
    std::fprintf(
        printer.out, "%s ",
        printer.current != nullptr ? printer.current->name.c_str() : "?");
  }
  std::fprintf(printer.out, "fault %u instance %u value %u",
               static_cast<unsigned>(header.faultId),
               static_cast<unsigned>(header.instanceId),
               static_cast<unsigned>(header.value));
  return printer.current != nullptr
             ? static_cast<int>(printer.current->bindingNames.size())
             : kAnyEntries;
}

void printEntry(RecordPrinter& printer, size_t index, std::string_view text) {
  ++printer.entries;
  std::fputc(' ', printer.out);
  // The framing takes no more entries than a known instance has names for.
  if (printer.current != nullptr) {
    std::fprintf(printer.out,
                 "%s=", printer.current->bindingNames[index].c_str());
  }
  const std::string quoted = quotedText(text);
  std::fwrite(quoted.data(), 1, quoted.size(), printer.out);
}

void endLine(RecordPrinter& printer) {
  if (printer.current != nullptr && !printer.current->bindingNames.empty() &&
      printer.entries == 0) {
    std::fputs(" (bound values missing)", printer.out);
  }
  std::fputc('\n', printer.out);
  std::fflush(printer.out);
}

}  // namespace

std::string quotedText(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte >= 0x20 && byte <= 0x7e) {
      quoted += c;
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xf];
    }
  }
  return quoted + "\"";
}

RecordSink printingSink(RecordPrinter& printer) {
  return {
      [&printer](const RecordHeader& header) {
        return beginLine(printer, header);
      },
      [&printer](size_t index, std::string_view text) {
        printEntry(printer, index, text);
      },
      [&printer] { endLine(printer); },
  };
}
