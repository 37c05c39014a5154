// How long the card takes to handle one transaction signal, on the traps of
// a large generated card (bench_card.h: 1000 traps of 8 instances each):
//  - the trap's own value and what its rules read, all in the signal: no
//    fetch, one evaluation, a record each time (the state alternates);
//  - a parameter alone that one instance reads: the search for the
//    concerned instances; the fetch that follows is left out (no service).
// The records go to /dev/null.
//
//   build/bench/handler_bench

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_card.h"
#include "frame/load.h"
#include "traps/transaction_handler.h"

namespace {

// Loads the 1000-parameter card into the daemon's registry once, its
// progress lines sent to /dev/null.
TrapRegistry* loadedRegistry() {
  static TrapRegistry* registry = [] {
    char path[] = "/tmp/handler_bench_XXXXXX";
    const int fd = mkstemp(path);
    // A file is read in lines of at most 1024 bytes: the long table line
    // goes one name per line.
    std::string text;
    for (const std::string& line : cardLines(1000)) text += line;
    for (size_t at = 0; (at = text.find(", p", at)) != std::string::npos;) {
      text.replace(at, 2, ",\n");
    }
    const bool written = write(fd, text.data(), text.size()) ==
                         static_cast<ssize_t>(text.size());
    close(fd);
    std::fflush(stderr);
    const int savedStderr = dup(STDERR_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDERR_FILENO);
    const int status = loadDefinitions(path, ServiceProxies{}, devNull);
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    unlink(path);
    return written && status == 0 ? &trapRegistry() : nullptr;
  }();
  return registry;
}

void handle(benchmark::State& state,
            const std::vector<std::vector<std::string>>& signals) {
  TrapRegistry* registry = loadedRegistry();
  if (registry == nullptr) {
    state.SkipWithError("the card does not load");
    return;
  }
  std::vector<std::vector<char*>> vectors;
  for (const auto& changes : signals) {
    std::vector<char*> strings;
    for (const std::string& change : changes) {
      strings.push_back(const_cast<char*>(change.c_str()));
    }
    strings.push_back(nullptr);
    vectors.push_back(strings);
  }
  TrapSubscription subscription{registry, nullptr};
  size_t next = 0;
  for (auto _ : state) {
    onTransaction(nullptr, vectors[next].data(), &subscription);
    next = (next + 1) % vectors.size();
  }
}

void BM_OwnValueInTheSignal(benchmark::State& state) {
  handle(state,
         {{"p500Fault[3]=4", "p500[3]=2"}, {"p500Fault[3]=0", "p500[3]=2"}});
}
BENCHMARK(BM_OwnValueInTheSignal);

void BM_ParameterReadByOneInstance(benchmark::State& state) {
  handle(state, {{"p500[3]=2"}});
}
BENCHMARK(BM_ParameterReadByOneInstance);

}  // namespace
