// How long the card takes, after parsing, to build its traps from a large
// definition: the generated tables and the MIB stages, on a parsed
// generated card (bench_card.h). Each run starts from a copy of the parsed
// model, which the time includes. The stages' progress lines go to
// /dev/null while measuring.
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

namespace {

bool parseCard(DefinitionModel& model, int params) {
  resetParser();
  uint32_t number = 1;
  for (const std::string& line : cardLines(params)) {
    uint32_t column = 0;
    if (parseLine(model, column, line.c_str(), number++) != 0) return false;
  }
  return true;
}

void BM_GenerateFromCard(benchmark::State& state) {
  DefinitionModel parsed;
  if (!parseCard(parsed, static_cast<int>(state.range(0)))) {
    state.SkipWithError("the generated card does not parse");
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
                          messages, mib);
    benchmark::DoNotOptimize(mib);
  }
  dup2(savedStderr, STDERR_FILENO);
  close(savedStderr);
  close(devNull);
  if (status != 0) state.SkipWithError("the generated card does not load");
}
BENCHMARK(BM_GenerateFromCard)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
