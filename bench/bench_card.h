// A generated card definition of a given size for the benchmarks of the
// start-up path: a table of parameters, each with an access block and
// display rules, a version block with an index (every tenth one indexed by
// an input and a port, whose ports change at version 3), versioned ranges,
// a condition and a description, and a trap of its own indexed by the
// input, whose rules read the parameter at the same input and which sends
// it along. It loads without a problem.

#ifndef OSTRAND_BENCH_BENCH_CARD_H_
#define OSTRAND_BENCH_BENCH_CARD_H_

#include <string>
#include <vector>

inline std::vector<std::string> cardLines(int params) {
  std::vector<std::string> lines = {"product { bench }\n",
                                    "inputNum 1 { range 1 { 1..8 } }\n",
                                    "portNum 1 { range 1 { 1..4 } "
                                    "range 3 { 1..6 } }\n"};
  std::string table = "ctrl table 1 {";
  for (int i = 0; i < params; ++i) {
    const std::string p = "p" + std::to_string(i);
    table += (i == 0 ? " " : ", ") + p;
    lines.push_back(p + " rw { label { Parameter " + p + " }\n");
    lines.push_back("  display ( " + p + " == 1 ) { \"on\" }\n");
    lines.push_back("  display ( " + p + " == 0 ) { \"off\", (" + p +
                    ") } }\n");
    lines.push_back(p + " 1 9 {\n");
    lines.push_back(i % 10 == 0 ? "  index 1 { inputNum, portNum }\n"
                                : "  index 1 { inputNum }\n");
    lines.push_back("  range 1 { 0..3, 7, \"auto\" }\n");
    lines.push_back("  range 4 { \"off\", \"on\", \"auto\" }\n");
    lines.push_back("  ctrlValid 2 ( mode == \"on\" && level > -3 )\n");
    lines.push_back("  description 2 { Second revision of " + p + " }\n");
    lines.push_back("}\n");
    lines.push_back(p + "Fault 2 { index 2 { inputNum } range 2 { 0..9 } }\n");
    lines.push_back(p + "Fault trap 2 { description {d} action_true {on}\n");
    lines.push_back("  action_false {off} bindings { " + p + ", " + p +
                    "Fault } true_trap { 1, 3..5, (" + p + "Fault > " + p +
                    ") } }\n");
  }
  lines.push_back(table + " }\n");
  return lines;
}

#endif  // OSTRAND_BENCH_BENCH_CARD_H_
