// How long the card takes, after parsing, to build its traps from a large
// definition: the generated tables, the MIB stages and the trap registry
// (into a registry of the benchmark's own), on a parsed
// generated card (bench_card.h). Each run starts from a copy of the parsed
// model, which the time includes. The stages' progress lines go to
// /dev/null while measuring. A second benchmark loads the largest index a
// card may have: 256 inputs by 256 ports, whose names change at a later
// version.
//
//   build/bench/load_bench

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "bench_card.h"
#include "frame/generation.h"
#include "language/parser.h"
#include "mib/generate_mib.h"
#include "tables/traps_table.h"
#include "tables/video_standard_table.h"
#include "traps/trap_registry.h"

namespace {

bool parseLines(DefinitionModel& model, const std::vector<std::string>& lines) {
  resetParser();
  uint32_t number = 1;
  for (const std::string& line : lines) {
    uint32_t column = 0;
    if (parseLine(model, column, line.c_str(), number++) != 0) return false;
  }
  return true;
}

void generateFrom(benchmark::State& state,
                  const std::vector<std::string>& lines) {
  DefinitionModel parsed;
  if (!parseLines(parsed, lines)) {
    state.SkipWithError("the definition does not parse");
    return;
  }
  const std::set<std::string> paramNames = tableParamNames(parsed);
  std::fflush(stderr);
  const int savedStderr = dup(STDERR_FILENO);
  const int devNull = open("/dev/null", O_WRONLY);
  dup2(devNull, STDERR_FILENO);
  int status = 0;
  for (auto _ : state) {
    DefinitionModel model = parsed;
    DiagnosticsList diagnostics;
    VideoStandardTable vidStdTable;
    generateTrapsTable(diagnostics, model);
    generateVideoStandardTable(diagnostics, vidStdTable, model);
    DiagnosticsList mibDiagnostics;
    MessageList messages;
    MibModel mib;
    status |= generateMib(model, paramNames, vidStdTable, mibDiagnostics,
                          messages, mib, standardErrorReport(),
                          RangeDetail::kVersionsOnly);
    TrapRegistry registry;
    registerTraps(registry, -1, mib.tables, mib.variables, mib.indices, model,
                  mib.varIds);
    benchmark::DoNotOptimize(registry);
  }
  dup2(savedStderr, STDERR_FILENO);
  close(savedStderr);
  close(devNull);
  if (status != 0) state.SkipWithError("the definition does not load");
}

void BM_GenerateFromCard(benchmark::State& state) {
  generateFrom(state, cardLines(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_GenerateFromCard)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_GenerateLargestMergedIndex(benchmark::State& state) {
  generateFrom(state,
               {"t table 0 { v }\n",
                "v 0 { index 0 { input, port } range 0 { 0 } }\n",
                "input 0 { range 0 { 0..255 } }\n",
                "port 0 { range 0 { 0..255 } range 2 { \"a\", 1..255 } }\n"});
}
BENCHMARK(BM_GenerateLargestMergedIndex)->Unit(benchmark::kMillisecond);

}  // namespace
