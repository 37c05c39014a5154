#include "frame/load.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "frame/generation.h"
#include "language/diagnostics.h"
#include "language/model.h"
#include "language/parser.h"

namespace {

// The one line buffer of the process: a read takes at most 1024 bytes and
// the terminating NUL.
char lineBuffer[1025];

// Hands `input` to the parser piece by piece and returns the first non-zero
// status code, already reported, or 0 at the end of the file.
int parseDefinitions(DefinitionModel& model, FILE* input) {
  uint32_t lineNumber = 1;
  while (std::fgets(lineBuffer, sizeof lineBuffer, input) != nullptr) {
    int result = parseAndReport(model, lineBuffer, lineNumber);
    if (result != 0) return result;
    ++lineNumber;
  }
  return 0;
}

}  // namespace

int loadDefinitions(const std::string& definitionFile, DBusGProxy* proxy,
                    int deviceFd) {
  FILE* input = std::fopen(definitionFile.c_str(), "r");
  if (input == nullptr) {
    // Plain stdio, not GLib's printer: the path is the engineer's own bytes
    // and must reach the terminal unconverted.
    std::fprintf(stderr, "Could not open file %s: %s\n",
                 definitionFile.c_str(), std::strerror(errno));
    return 1;
  }
  DefinitionModel model;
  std::fputs("Parsing KDL definition file.\n", stderr);
  resetParser();
  int parsed = parseDefinitions(model, input);
  // Nothing reads the file again once its end is reached, so the stream is
  // closed rather than kept for the life of the process.
  std::fclose(input);
  if (parsed != 0) return 1;
  return runGeneration(model, proxy, deviceFd);
}
