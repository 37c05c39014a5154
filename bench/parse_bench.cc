// How long the card takes to parse a large definition file at start-up:
// a generated card (bench_card.h) as lines in memory (no file reading in
// the measurement).
//
//   build/bench/parse_bench

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_card.h"
#include "language/parser.h"

namespace {

void BM_ParseCard(benchmark::State& state) {
  const std::vector<std::string> lines =
      cardLines(static_cast<int>(state.range(0)));
  int64_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  for (auto _ : state) {
    DefinitionModel model;
    resetParser();
    uint32_t number = 1;
    for (const std::string& line : lines) {
      uint32_t column = 0;
      if (parseLine(model, column, line.c_str(), number++) != 0) {
        state.SkipWithError("the generated card does not parse");
        return;
      }
    }
    benchmark::DoNotOptimize(model);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ParseCard)->Arg(100)->Arg(1000);

}  // namespace
