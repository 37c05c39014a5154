// Black-box loading of definition files by the real daemon: progress lines,
// the line numbers of the pieces a file is read in, the report of the first
// parse error, and the generation steps that stop the load or only the traps.

#include <string>
#include <vector>

#include "frame/progress_lines.h"
#include "support/process.h"
#include "support/rig.h"

namespace {

struct Case {
  const char* name;
  std::string definitions;
  std::string err;
};

class LoadTest : public RigTest {
 protected:
  // Runs the daemon in the foreground on each case's definitions: with
  // status 0 it has reached its main loop, with 1 it stopped at the load.
  void expectLoads(int status, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      DaemonResult r = rig.runDaemon(
          {.args = {"-d", rig.writeFile("defs.kdl", c.definitions)}});
      EXPECT_EQ(r.exitStatus, status);
      EXPECT_EQ(r.err, c.err);
      EXPECT_EQ(r.out, status == 0 ? kStarted : kLoading);
    }
  }
};

// A MIB stage that fails reports each problem, under a prefix naming the
// index or parameter when it is one of the later stages, and the stages
// after it do not run; the daemon still starts, without traps.
TEST_F(LoadTest, DefinitionsThatParseStartTheDaemon) {
  const std::string indexed =
      "t table 0 { v }\nv 0 { index 0 { a, b } range 0 { 0 } }\n"
      "a 0 { range 0 { 0..255 } }\n";
  const std::string upToIndices = kParsing + kGeneratingTables +
                                  kGeneratingTraps + "Converting to QX MIB.\n" +
                                  "Processing MIB indices.\n";
  expectLoads(
      0,
      {
          // The example the demo runs must stay a definition that loads.
          {"bundled example", readFile(EXAMPLE_CARD), kLoaded},
          {"unknown parameter, overlapping ranges",
           "t table 0 { absent, gain }\ngain 0 { range 0 { 1..5, 3..8 } }\n",
           kParsing + kGeneratingTables + kGeneratingTraps +
               "Error on line 1\nParameter not found\n"
               "t table 0 { absent, gain }\n"
               "            ^\n"
               "Error on line 2\nInvalid parameter range definition\n"
               "gain 0 { range 0 { 1..5, 3..8 } }\n"
               "                         ^\n"},
          {"65536 index values", indexed + "b 0 { range 0 { 0..255 } }\n",
           kLoaded},
          {"65792 index values", indexed + "b 0 { range 0 { 0..256 } }\n",
           upToIndices + "Processing MIB index a,b,: Number of index values "
                         "is larger than 65536\n"},
          {"values that do not increment",
           "t table 0 { v }\nv 0 { range 0 { ?, 5 } }\n",
           upToIndices + "Processing MIB variables.\n"
                         "Processing MIB parm v: Adjacent integer ranges did "
                         "not have incrementing values\n"},
          {"index version at the open end",
           "t table 0 { v }\nv 0 { index 2147483647 { i } range 0 { 0 } }\n"
           "i 0 { range 0 { 0 } }\n",
           upToIndices + "Processing MIB variables.\nGenerating MIB tables.\n"
                         "Generating MIB: Processing parameter v: Extracting "
                         "index versions: Invalid index range 2147483647 to "
                         "2147483647\n"},
      });
}

// Reading stops at the first parse error; "abc {x" fails at its `{`
// (column 4). An unknown video standard constant is reported once that
// table is generated, every place it is written.
TEST_F(LoadTest, FirstErrorStopsTheLoad) {
  const std::string bad = "abc {x";
  auto syntaxError = [](int line, const std::string& quote) {
    return kParsing + "Error on line " + std::to_string(line) +
           "\nSyntax error\n" + quote;
  };
  const std::string onLine3 = syntaxError(3, bad + "\n    ^\n");
  expectLoads(
      1, {
             {"third line; nothing after it is read",
              "  # indented comment\nt table 1 { a, b }\n" + bad + "\nzzz {\n",
              onLine3},
             {"last line without newline", "\n\n" + bad, onLine3},
             {"1024 characters and the newline are two pieces",
              std::string(1024, ' ') + "\n" + bad + "\n", onLine3},
             {"error in the second piece of a long line",
              std::string(1100, ' ') + bad + "\n",
              syntaxError(2, std::string(76, ' ') + bad + "\n" +
                                 std::string(80, ' ') + "^\n")},
             {"NUL ends the line's text", bad + std::string("\0 tail\n", 7),
              syntaxError(1, bad + "\n    ^\n")},
             {"unknown video standard constants",
              "t table 0 { v }\nv vidstd 0 { spal, Fr,\n\tclkdiv }\n",
              kParsing + kGeneratingTables +
                  "Error on line 2\nInvalid video standard constant\n\n"
                  "v vidstd 0 { spal, Fr,\n"
                  "                   ^\n"
                  "Error on line 3\nInvalid video standard constant\n\n"
                  "\tclkdiv }\n"
                  " ^\n"},
         });
}

}  // namespace
