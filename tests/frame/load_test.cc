// Black-box reading of the definition file by the real daemon: progress
// line, the line numbers of the pieces the file is read in, the report of
// the first parse error, and files of arbitrary bytes.

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/rig.h"

namespace {

const char kParsing[] = "Parsing KDL definition file.\n";
const char kConnecting[] = "ostrand: Connecting to Session D-Bus.\n";
const char kCreatingProxy[] = "ostrand: Creating a GLib proxy object for Value.\n";
const char kStartingLoop[] = "ostrand: Starting main loop.\n";
const size_t kPieceSize = 1024;

class LoadTest : public RigTest {};

// The pieces the daemon reads `content` in: up to and including a newline,
// at most kPieceSize bytes each.
std::vector<std::string> pieces(const std::string& content) {
  std::vector<std::string> result;
  size_t start = 0;
  while (start < content.size()) {
    size_t newline = content.find('\n', start);
    size_t end = newline == std::string::npos ? content.size() : newline + 1;
    if (end - start > kPieceSize) end = start + kPieceSize;
    result.push_back(content.substr(start, end - start));
    start = end;
  }
  return result;
}

// How a piece is quoted under an error: its text ends at its first NUL, and
// always with a newline.
std::string quotedText(const std::string& piece) {
  std::string text = piece.substr(0, piece.find('\0'));
  if (text.empty() || text.back() != '\n') text += '\n';
  return text;
}

TEST_F(LoadTest, FileWithoutStatementsReachesTheMainLoop) {
  for (const std::string& content :
       {std::string(), std::string("# a comment\n\n   \t\n"),
        std::string(1500, ' ') + "\n# last line without newline"}) {
    SCOPED_TRACE(content.size());
    DaemonResult r =
        rig.runDaemon({.args = {"-d", rig.writeFile("defs.kdl", content)}});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, kParsing);
    EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy + kStartingLoop);
  }
}

// The example the demo runs must stay a definition the daemon loads.
TEST_F(LoadTest, BundledExampleLoads) {
  DaemonResult r = rig.runDaemon({.args = {"-d", EXAMPLE_CARD}});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.err, kParsing);
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
    EXPECT_EQ(r.err, std::string(kParsing) + "Error on line " +
                         std::to_string(c.line) + "\nSyntax error\n" + c.quote);
    EXPECT_EQ(r.out, std::string(kConnecting) + kCreatingProxy);
  }
}

// Even rounds: any byte at all. Odd rounds: the words and marks of the
// language in random order, so that the error lies deeper in the file and
// in the readers.
std::string randomDefinitions(std::mt19937& random, int round) {
  static const char* const kTokens[] = {
      "p ", "3 ", "5 ", "{", "}", "(", ")", "\"", ",", "..", "index ",
      "range ", "ctrlValid ", "greyOut ", "description ", "label ",
      "display ", "trap ", "table ", "vidstd ", "rw ", "bindings ",
      "true_trap ", "action_true ", "action_false ", "\n", "#", "==", "[",
      "]", "?", "string4:", "-", "\xff", "\t", "branch ", "x::y "};
  const size_t length = 200 + random() % 3000;
  std::string content;
  while (content.size() < length) {
    if (round % 2 == 1) {
      content += kTokens[random() % std::size(kTokens)];
    } else {
      content += random() % 40 == 0 ? '\n' : static_cast<char>(random() % 256);
    }
  }
  return content;
}

// Whatever the bytes, the load either succeeds or reports one error that
// quotes the offending piece unchanged; anything else on standard error
// (a crash, a sanitizer's report) fails.
TEST_F(LoadTest, ArbitraryBytesAreReportedOrAccepted) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    std::string content = randomDefinitions(random, round);
    DaemonResult r =
        rig.runDaemon({.args = {"-d", rig.writeFile("random.kdl", content)}});
    ASSERT_TRUE(r.exitStatus == 0 || r.exitStatus == 1)
        << "exit status " << r.exitStatus << "\n" << r.err;
    if (r.exitStatus == 0) {
      EXPECT_EQ(r.err, kParsing);
      continue;
    }
    // "Error on line N", a one-line message, the piece, the caret line.
    const std::string head = std::string(kParsing) + "Error on line ";
    ASSERT_EQ(r.err.compare(0, head.size(), head), 0) << r.err;
    size_t line = std::strtoul(r.err.c_str() + head.size(), nullptr, 10);
    std::vector<std::string> read = pieces(content);
    ASSERT_TRUE(line >= 1 && line <= read.size()) << r.err;
    size_t numberEnd = r.err.find('\n', head.size());
    std::string rest = r.err.substr(r.err.find('\n', numberEnd + 1) + 1);
    std::string quote = quotedText(read[line - 1]);
    ASSERT_EQ(rest.compare(0, quote.size(), quote), 0) << r.err;
    std::string caret = rest.substr(quote.size());
    EXPECT_TRUE(caret.ends_with("^\n") &&
                caret.find_first_not_of(' ') == caret.size() - 2)
        << r.err;
  }
}

}  // namespace
