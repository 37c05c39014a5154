// How long the card takes to read and to evaluate a typical trap rule.
//
//   build/bench/expr_bench
//   valgrind --tool=callgrind build/bench/expr_bench --benchmark_min_time=0.01
// (callgrind counts instructions, which stays the same on a busy machine).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "expr/evaluate.h"
#include "expr/postfix.h"
#include "expr/reader.h"

namespace {

const char kRule[] =
    "(sw::this == 1 && (level[2] >= limit - 3 || mode $ \"HD\") && "
    "(flags & 0x10) != 0)\n";

std::vector<ExprValue> postfixOfRule() {
  Expression expression;
  uint32_t column = 0;
  const char* cursor = kRule + 1;
  readExpression(expression, column, cursor, kRule, 1, true);
  std::vector<ExprValue> postfix;
  toPostfix(postfix, infixOf(expression));
  return postfix;
}

void BM_ReadAndConvert(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(postfixOfRule());
}
BENCHMARK(BM_ReadAndConvert);

void BM_Evaluate(benchmark::State& state) {
  const std::vector<ExprValue> postfix = postfixOfRule();
  const ValueMap values = {{"sw::this", "1"}, {"level[2]", "40"},
                           {"limit", "42"},   {"mode", "1080i HD"},
                           {"flags", "0x31"}};
  if (evaluate(postfix, nullptr, values) != 1) {
    state.SkipWithError("the rule does not hold for its values");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(evaluate(postfix, nullptr, values));
  }
}
BENCHMARK(BM_Evaluate);

}  // namespace
