// The video standard constants a trap evaluation adds for every signal
// that concerns a trap reading them: a lookup of the standard the
// parameter's value names (the whole table scanned for the longest name)
// and the values written as text.
//
//   build/bench/vid_std_bench

#include <benchmark/benchmark.h>

#include "vid_std.h"

namespace {

void BM_AddConstantValues(benchmark::State& state) {
  initVidStdTables();
  const VidStdReferences references = {
      {"videoIn", "alpf"}, {"videoIn", "f1sw"}, {"videoOut", "fr"}};
  for (auto _ : state) {
    ValueMap values = {{"videoIn", "3G/2048x1080p/23.98sF"},
                       {"videoOut", "525i/59.94 (ext)"}};
    addVidStdConstantValues(values, references);
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(BM_AddConstantValues);

}  // namespace
