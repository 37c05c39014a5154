#include "frame/load.h"

#include <malloc.h>

#include <cerrno>
#include <cstdio>

#include "language/diagnostics.h"
#include "language/model.h"
#include "language/parser.h"
#include "traps/transaction_handler.h"

namespace {

// The one line buffer of the process: a read takes at most 1024 bytes and
// the terminating NUL.
char lineBuffer[1025];

// Hands `input` to the parser piece by piece and returns the first non-zero
// status code, already reported, or 0 at the end of the file.
int parseDefinitions(DefinitionModel& model, FILE* input, LoadReport& report) {
  uint32_t lineNumber = 1;
  while (std::fgets(lineBuffer, sizeof lineBuffer, input) != nullptr) {
    int result = parseAndReport(model, lineBuffer, lineNumber, report);
    if (result != 0) return result;
    ++lineNumber;
  }
  return 0;
}

// Glibc's own limit for its lists of small freed chunks (mallopt(3)).
constexpr int kDefaultMaxFast = 64 * sizeof(size_t) / 4;

// Keeps small freed chunks off the allocator's fast lists while it lives.
//
// A load allocates and frees millions of small chunks. Kept on the fast
// lists, they are merged with their neighbours only when the memory is
// given back (malloc_trim), one long pass that took a seventh of the load
// of a 100,000-parameter card; freed straight into the ordinary lists, each
// merges at once, while its neighbours are still in the cache, and the
// trims have little left to do. The running daemon gets the lists back:
// its signals allocate little, and mostly from the per-thread cache anyway.
class NoFastChunks {
 public:
  NoFastChunks() { mallopt(M_MXFAST, 0); }
  ~NoFastChunks() { mallopt(M_MXFAST, kDefaultMaxFast); }
  NoFastChunks(const NoFastChunks&) = delete;
  NoFastChunks& operator=(const NoFastChunks&) = delete;
};

}  // namespace

LoadResult compileDefinitions(const std::string& definitionFile,
                              LoadReport& report, TrapRegistry& registry,
                              int deviceFd) {
  FILE* input = std::fopen(definitionFile.c_str(), "r");
  if (input == nullptr) {
    report.cannotOpen(definitionFile, errno);
    return {};
  }
  const NoFastChunks noFastChunks;
  DefinitionModel model;
  report.progress("Parsing KDL definition file.\n");
  resetParser();
  int parsed = parseDefinitions(model, input, report);
  // Nothing reads the file again once its end is reached, so the stream is
  // closed rather than kept for the life of the process.
  std::fclose(input);
  if (parsed != 0) return {};
  return runGeneration(model, report, registry, deviceFd);
}

int loadDefinitions(const std::string& definitionFile,
                    const ServiceProxies& proxies, int deviceFd) {
  TrapRegistry& registry = trapRegistry();
  const LoadResult loaded = compileDefinitions(
      definitionFile, standardErrorReport(), registry, deviceFd);
  // The definition model and the MIB model are gone, and they were many
  // times the registry that stays. The allocator keeps freed memory for
  // reuse and gives back on its own only what lies at the top of its heap:
  // the daemon would keep the load's peak for the rest of its life.
  malloc_trim(0);
  if (loaded.trapsGenerated) subscribe(proxies, registry);
  return loaded.status;
}
