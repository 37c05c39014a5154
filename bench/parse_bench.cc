// How long the card takes to parse a large definition file at start-up:
// a generated file of tables, parameters with versioned items, and traps,
// as lines in memory (no file reading in the measurement).
//
//   build/bench/parse_bench

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "language/parser.h"

namespace {

std::vector<std::string> cardLines(int params) {
  std::vector<std::string> lines = {"product { bench }\n"};
  std::string table = "ctrl table 1 {";
  for (int i = 0; i < params; ++i) {
    const std::string p = "p" + std::to_string(i);
    table += (i == 0 ? " " : ", ") + p;
    lines.push_back(p + " rw { label { Parameter " + p + " }\n");
    lines.push_back("  display ( " + p + " == 1 ) { \"on\" }\n");
    lines.push_back("  display ( " + p + " == 0 ) { \"off\", (" + p +
                    ") } }\n");
    lines.push_back(p + " 1 9 {\n");
    lines.push_back("  index 1 { inputNum }\n");
    lines.push_back("  range 1 { 0..3, 7, \"auto\", ? }\n");
    lines.push_back("  range 4 { \"off\", \"on\", \"auto\" }\n");
    lines.push_back("  ctrlValid 2 ( mode == \"on\" && level > -3 )\n");
    lines.push_back("  description 2 { Second revision of " + p + " }\n");
    lines.push_back("}\n");
    lines.push_back(p + "Fault trap 2 { description {d} action_true {on}\n");
    lines.push_back("  action_false {off} bindings { " + p +
                    " } true_trap { 1, 3..5, (sw::this > 7) } }\n");
  }
  lines.push_back(table + " }\n");
  return lines;
}

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
