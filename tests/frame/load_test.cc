// Black-box reading of the definition file by the real daemon: progress
// line, the line numbers of the pieces the file is read in, and the report
// of the first parse error.

#include <cstdint>
#include <string>
#include <vector>

#include "frame/progress_lines.h"
#include "support/rig.h"

namespace {

const size_t kPieceSize = 1024;

class LoadTest : public RigTest {};

TEST_F(LoadTest, FileWithoutStatementsReachesTheMainLoop) {
  for (const std::string& content :
       {std::string(), std::string("# a comment\n\n   \t\n"),
        std::string(1500, ' ') + "\n# last line without newline"}) {
    SCOPED_TRACE(content.size());
    DaemonResult r =
        rig.runDaemon({.args = {"-d", rig.writeFile("defs.kdl", content)}});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, kLoaded);
    EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy + kStartingLoop);
  }
}

// The example the demo runs must stay a definition the daemon loads.
TEST_F(LoadTest, BundledExampleLoads) {
  DaemonResult r = rig.runDaemon({.args = {"-d", EXAMPLE_CARD}});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.err, kLoaded);
}

// An unknown constant is reported once the video standard table is
// generated, every place it is written, and the daemon does not start.
TEST_F(LoadTest, UnknownVideoStandardConstantStopsTheLoad) {
  const std::string definitions =
      "t table 0 { v }\n"
      "v vidstd 0 { spal, Fr,\n"
      "\tclkdiv }\n";
  DaemonResult r =
      rig.runDaemon({.args = {"-d", rig.writeFile("defs.kdl", definitions)}});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.err, kParsing + kGeneratingTables +
                       "Error on line 2\nInvalid video standard constant\n\n"
                       "v vidstd 0 { spal, Fr,\n"
                       "                   ^\n"
                       "Error on line 3\nInvalid video standard constant\n\n"
                       "\tclkdiv }\n"
                       " ^\n");
  EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy);
}

// A definition the MIB cannot be built from is reported after the first MIB
// stage; the daemon still starts, without traps.
TEST_F(LoadTest, MibProblemsAreReportedAndTheDaemonRunsWithoutTraps) {
  const std::string definitions =
      "t table 0 { absent, gain }\n"
      "gain 0 { range 0 { 1..5, 3..8 } }\n";
  DaemonResult r =
      rig.runDaemon({.args = {"-d", rig.writeFile("defs.kdl", definitions)}});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.err, kParsing + kGeneratingTables + kGeneratingTraps +
                       "Error on line 1\nParameter not found\n"
                       "t table 0 { absent, gain }\n"
                       "            ^\n"
                       "Error on line 2\nInvalid parameter range definition\n"
                       "gain 0 { range 0 { 1..5, 3..8 } }\n"
                       "                         ^\n");
  EXPECT_EQ(r.out, kConnecting + kCreatingProxy + kStartingLoop);
}

// The MIB stages report each problem under a prefix naming the index or
// parameter and stop there; the daemon starts without traps.
TEST_F(LoadTest, MibStageMessagesNameTheirItem) {
  const std::string indexed =
      "t table 0 { v }\nv 0 { index 0 { a, b } range 0 { 0 } }\n"
      "a 0 { range 0 { 0..255 } }\n";
  const std::string upToIndices = kParsing + kGeneratingTables +
                                  kGeneratingTraps + "Converting to QX MIB.\n" +
                                  "Processing MIB indices.\n";
  struct Case {
    std::string definitions;
    std::string err;
  };
  const std::vector<Case> cases = {
      {indexed + "b 0 { range 0 { 0..255 } }\n", kLoaded},
      {indexed + "b 0 { range 0 { 0..256 } }\n",
       upToIndices + "Processing MIB index a,b,: Number of index values is "
                     "larger than 65536\n"},
      {"t table 0 { v }\nv 0 { range 0 { ?, 5 } }\n",
       upToIndices + "Processing MIB variables.\n"
                     "Processing MIB parm v: Adjacent integer ranges did not "
                     "have incrementing values\n"},
      {"t table 0 { v }\nv 0 { index 2147483647 { i } range 0 { 0 } }\n"
       "i 0 { range 0 { 0 } }\n",
       upToIndices + "Processing MIB variables.\nGenerating MIB tables.\n"
                     "Generating MIB: Processing parameter v: Extracting "
                     "index versions: Invalid index range 2147483647 to "
                     "2147483647\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.definitions);
    DaemonResult r = rig.runDaemon(
        {.args = {"-d", rig.writeFile("defs.kdl", c.definitions)}});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, kConnecting + kCreatingProxy + kStartingLoop);
  }
}

// "abc {x" fails at its `{` (column 4).
TEST_F(LoadTest, FirstParseErrorIsReportedAndStopsTheLoad) {
  const std::string bad = "abc {x";
  const std::string caret4 = "    ^\n";
  struct Case {
    const char* name;
    std::string content;
    uint32_t line;         // reported line number
    std::string quote;     // the quoted line and caret
  };
  const std::vector<Case> cases = {
      {"third line; nothing after it is read",
       "  # indented comment\nt table 1 { a, b }\n" + bad + "\nzzz {\n", 3,
       bad + "\n" + caret4},
      {"last line without newline", "\n\n" + bad, 3, bad + "\n" + caret4},
      {"a line of 1500 characters counts twice",
       std::string(1500, ' ') + "\n" + bad + "\n", 3, bad + "\n" + caret4},
      {"1024 characters and the newline are two pieces",
       std::string(kPieceSize, ' ') + "\n" + bad + "\n", 3, bad + "\n" + caret4},
      {"error in the second piece of a long line",
       std::string(1100, ' ') + bad + "\n", 2,
       std::string(76, ' ') + bad + "\n" + std::string(80, ' ') + "^\n"},
      {"NUL ends the line's text", bad + std::string("\0 tail\n", 7), 1,
       bad + "\n" + caret4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DaemonResult r =
        rig.runDaemon({.args = {"-d", rig.writeFile("defs.kdl", c.content)}});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, kParsing + "Error on line " +
                         std::to_string(c.line) + "\nSyntax error\n" + c.quote);
    EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy);
  }
}

}  // namespace
