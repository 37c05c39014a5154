// A generated card of N parameters and N/10 traps, for measuring how the
// daemon scales: every parameter is indexed by the card's 8 slots and has
// display rules, versioned ranges, a validity condition and a later
// description; trap tJ, indexed by the slots too, tests its own value
// against parameter p(10J+1) of the same slot and sends p(10J) along;
// trap t0 also reads the lines of the video standard that parameter
// `source` names. So 8 * N/10 trap instances, and of every ten parameters
// eight are read by no trap. The table lists one name per line, as a line
// of the file is read in pieces of at most 1024 bytes.

#ifndef OSTRAND_BENCH_SCALE_CARD_H_
#define OSTRAND_BENCH_SCALE_CARD_H_

#include <string>

inline std::string scaleParameter(int i) { return "p" + std::to_string(i); }

inline std::string scaleTrap(int j) { return "t" + std::to_string(j); }

inline std::string scaleCard(int parameters) {
  std::string card =
      "# generated: " + std::to_string(parameters) + " parameters\n"
      "product { scale }\n"
      "slotNum 1 { range 1 { 1..8 } }\n"
      "source ro { label { Input standard } }\n"
      "source 1 { range 1 { string32:none } }\n"
      "source vidstd 1 { alpf }\n"
      "ctrl table 1 {\n  source";
  for (int i = 0; i < parameters; ++i) {
    card += ",\n  " + scaleParameter(i);
  }
  card += "\n}\n";
  for (int i = 0; i < parameters; ++i) {
    const std::string p = scaleParameter(i);
    card += p + " rw {\n  label { Parameter " + p + " }\n" +
            "  display ( " + p + " == 1 ) { \"on\" }\n" +
            "  display ( " + p + " != 1 ) { \"%d\", (" + p + ") }\n}\n" +
            p + " 1 {\n  index 1 { slotNum }\n  range 1 { 0..9 }\n" +
            "  range 3 { 0..9, \"auto\" }\n" +
            "  ctrlValid 2 ( source != \"none\" )\n" +
            "  description 2 { Second revision of " + p + " }\n}\n";
  }
  for (int j = 0; j < parameters / 10; ++j) {
    const std::string t = scaleTrap(j);
    const std::string rule =
        j == 0 ? "(" + t + " > p1 && vidStd::source::alpf != 576)"
               : "(" + t + " > " + scaleParameter(10 * j + 1) + ")";
    card += t + " 1 { index 1 { slotNum } range 1 { 0..9 } }\n" + t +
            " trap 1 {\n  description { Fault " + t + " }\n" +
            "  action_true { Check " + t + " }\n  action_false { Cleared }\n" +
            "  bindings { " + t + ", " + scaleParameter(10 * j) + " }\n" +
            "  true_trap { 1, 3..5, " + rule + " }\n}\n";
  }
  return card;
}

#endif  // OSTRAND_BENCH_SCALE_CARD_H_
