// trapdecode: shows the trap records the daemon writes to /dev/usb-cs-trap,
// one line per record (see record_lines.h), as they arrive.
//
//   trapdecode [-D FILE | --definitions=FILE] [RECORDS]
//
// RECORDS is a regular file or a FIFO standing in for the device; absent or
// "-" is standard input. With --definitions, FILE is the card's definition
// file, compiled as the daemon compiles it (common/card_compile.h), and each
// record is shown under the name of its trap instance and each entry under
// its bound parameter.
//
// Framing. The device is a plain byte stream; a record is an 8-byte header
// followed by zero or more binding entries. After a header, every following
// piece that begins with four zero bytes is a binding entry (a binding
// identifier is always 0, while a header begins with the low 16 bits of a
// fault identifier, which are never 0: identifiers are numbered from 34);
// anything else begins the next record. With --definitions the record's
// instance, when known, has n bindings and at most n entries are taken for
// it (the daemon sends either all n or none).
//
// A line is printed and flushed as soon as its record is known to be
// complete: the next header has begun, the instance's n entries are in (or
// it has none), the input ended, or the input stopped at a record boundary
// and then stayed quiet for 50 ms (until then entries may still be on their
// way: a write larger than a pipe takes at once arrives in pieces).
//
// Exit status 0 at the end of the input; 1 after a read error or when
// bytes at the end form no whole record (every whole record is printed
// first); 2 for records that cannot be opened, or a definition file that
// cannot be opened or does not compile through every stage (its problems
// shown on standard error); 64 for a bad command line (usage, --help and
// --version as every tool has them: common/tool_options.h).

#include <argp.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "common/card_compile.h"
#include "common/tool_options.h"
#include "trapdecode/instance_labels.h"
#include "trapdecode/record_framing.h"
#include "trapdecode/record_lines.h"

namespace {

const char kStandardInput[] = "-";
constexpr int kQuietMilliseconds = 50;
// Records that cannot be opened, or definitions that do not compile.
constexpr int kNotStarted = 2;

struct Options {
  std::optional<std::string> definitions;
  std::string records = kStandardInput;
};

const argp_option kOptions[] = {
    {"definitions", 'D', "FILE", 0,
     "Name records after the card's definition FILE", 0},
    {},
};

error_t parseOption(int key, char* arg, argp_state* state) {
  auto* options = static_cast<Options*>(state->input);
  switch (key) {
    case 'D':
      options->definitions = arg;
      return 0;
    case ARGP_KEY_ARG:
      if (state->arg_num >= 1) argp_usage(state);  // a second RECORDS
      options->records = arg;
      return 0;
    default:
      return ARGP_ERR_UNKNOWN;
  }
}

const argp kParser = {kOptions, parseOption, "[RECORDS]",
                      "trapdecode -- shows trap records one line each",
                      nullptr, nullptr, nullptr};

// Reads `fd` to its end, framing and printing as bytes arrive. A read
// error ends the input like its end, for what has arrived, and is then
// reported. Waits in poll(), never spinning: with no timeout unless a
// record could still get entries.
int decode(int fd, const std::string& path, const RecordSink& sink) {
  RecordFraming framing;
  char buffer[4096];
  int failure = 0;
  while (failure == 0) {
    pollfd input = {fd, POLLIN, 0};
    const int ready =
        poll(&input, 1, awaitsEntries(framing) ? kQuietMilliseconds : -1);
    if (ready == 0) {
      endRecord(framing, sink);
      continue;
    }
    const ssize_t size = ready < 0 ? -1 : read(fd, buffer, sizeof buffer);
    if (size == 0) break;
    if (size > 0) {
      frameBytes(framing, std::string_view(buffer, size), sink);
    } else if (errno != EINTR && errno != EAGAIN) {
      failure = errno;
    }
  }
  const size_t left = finishFraming(framing, sink);
  if (failure != 0) {
    std::fprintf(stderr, "trapdecode: cannot read %s: %s\n", path.c_str(),
                 std::strerror(failure));
    return 1;
  }
  if (left == 0) return 0;
  std::fprintf(stderr,
               "trapdecode: %zu bytes at the end form no whole record\n", left);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  useToolConvention("trapdecode");
  argp_parse(&kParser, argc, argv, 0, nullptr, &options);
  // The definitions are compiled before the records are opened: opening a
  // FIFO waits for its writer, and a bad definition file should be reported
  // without waiting for one.
  InstanceLabels labels;
  if (options.definitions) {
    TrapRegistry registry;
    if (compileCard(*options.definitions, registry) != kCardLoads) {
      return kNotStarted;
    }
    labels = labelInstances(registry);
  }
  const bool fromStandardInput = options.records == kStandardInput;
  const int fd = fromStandardInput
                     ? STDIN_FILENO
                     : open(options.records.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    std::fprintf(stderr, "trapdecode: cannot open %s: %s\n",
                 options.records.c_str(), std::strerror(errno));
    return kNotStarted;
  }
  RecordPrinter printer;
  if (options.definitions) printer.labels = &labels;
  const int status = decode(fd, options.records, printingSink(printer));
  if (!fromStandardInput) close(fd);
  return status;
}
