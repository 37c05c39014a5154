// The whole load of a definition file, from bytes.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "example_card.h"
#include "expr/reader.h"
#include "frame/load.h"
#include "fuzz_entries.h"

namespace {

// The load reads a named file, so each input is put in one memory file,
// named through /proc, instead of a file on a shared disk.
const std::string& inputFile(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("definition", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0 ||
      pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
    std::fprintf(stderr, "fuzz_load: cannot write the input to a memory file\n");
    std::abort();
  }
  return path;
}

// What a registry holds, as text to compare.
std::string describe(const TrapRegistry& registry) {
  std::string text;
  for (const auto& [name, group] : registry.groups) {
    text += name + " " + std::to_string(group.faultId) + "\n";
    for (const auto& [indexValues, instance] : group.instances) {
      text += " " + instanceParameterName(name, indexValues) + " " +
              std::to_string(instance.id) + " rules " +
              std::to_string(instance.rules.size()) + ":";
      for (const std::string& name : instance.dependencies) text += " " + name;
      for (const TrapBinding& binding : instance.bindings) {
        text += " @" + binding.name;
      }
      text += "\n";
    }
  }
  return text + std::to_string(registry.readers.size()) + " readers\n";
}

std::string loadOnce(const std::string& path) {
  // The load leaves the expression reader as it stops: an input that ends
  // or fails inside an expression must not reach into the next one.
  resetExpressionReader();
  TextReport report;
  TrapRegistry registry;
  const LoadResult result = compileDefinitions(path, report, registry, -1);
  return report.text() + "status " + std::to_string(result.status) +
         (result.trapsGenerated ? " traps\n" : " no traps\n") +
         describe(registry);
}

unsigned recheckInterval = 1;
unsigned inputsSinceRecheck = 0;

}  // namespace

void setLoadRecheckInterval(unsigned every) {
  recheckInterval = every == 0 ? 1 : every;
}

int fuzzOneLoad(const uint8_t* data, size_t size) {
  const std::string& path = inputFile(data, size);
  const std::string first = loadOnce(path);
  if (++inputsSinceRecheck < recheckInterval) return 0;
  inputsSinceRecheck = 0;
  const std::string second = loadOnce(path);
  if (first != second) {
    std::fprintf(stderr,
                 "fuzz_load: two loads of one input differ\n"
                 "--- first:\n%s--- second:\n%s",
                 first.c_str(), second.c_str());
    std::abort();
  }
  return 0;
}
