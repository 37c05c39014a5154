// Black-box tests of the trap record decoder: the real program on record
// bytes built here, read from a file, standard input and a FIFO, with and
// without a definition file naming the instances.

#include <errno.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "support/process.h"
#include "support/record_bytes.h"

namespace {

// Identifiers: level 34, mode 35, then the fault-present flags
// slotV1FaultPresent 36 (lost) and v0FaultPresent 37 (hot); a trap gets none
// of its own. Each trap is first in its row: hot is instance 0, lost[1] to
// lost[3] are instances 0 to 2.
const char kCard[] = R"(ctrl table 1 { mode, level }
mode 1 { range 1 { "off", "on" } }
slot 1 { range 1 { 1..3 } }
level 1 { index 1 { slot } range 1 { 0..9 } }
hot 1 { range 1 { 0..1 } }
hot trap 1 { description { Hot } action_true { a } action_false { b }
  bindings { mode, hot } true_trap { 1 } }
lost 1 { index 1 { slot } range 1 { 0..1 } }
lost trap 1 { description { Lost } action_true { a } action_false { b }
  bindings { level } true_trap { 1 } }
)";

std::string leftOver(int bytes) {
  return "trapdecode: " + std::to_string(bytes) +
         " bytes at the end form no whole record\n";
}

// Standard output, standard error and exit status.
using Outcome = std::tuple<std::string, std::string, int>;

struct Case {
  const char* name;
  std::string records;
  std::string out;
  std::string err = "";
  int status = 0;
};

class TrapDecodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/trapdecode_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr) << std::strerror(errno);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string path(const std::string& name) { return dir_ + "/" + name; }
  std::string write(const std::string& name, const std::string& content) {
    EXPECT_TRUE(writeFile(path(name), content)) << path(name);
    return path(name);
  }

  pid_t start(const std::vector<std::string>& argv) {
    std::string error;
    pid_t pid =
        spawnProcess(argv, {}, write("out", ""), write("err", ""), &error);
    EXPECT_GT(pid, 0) << error;
    return pid;
  }
  Outcome finish(pid_t pid) {
    const int status = pid < 0 ? -1 : waitForExit(pid);
    return {readFile(path("out")), readFile(path("err")), status};
  }
  Outcome run(std::vector<std::string> args) {
    args.insert(args.begin(), TRAPDECODE_BINARY);
    return finish(start(args));
  }

  void expectCases(std::vector<std::string> options,
                   const std::vector<Case>& cases) {
    options.push_back(path("records"));
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      write("records", c.records);
      EXPECT_EQ(run(options), Outcome(c.out, c.err, c.status));
    }
  }

  std::string dir_;
};

TEST_F(TrapDecodeTest, RecordsAreFramedAndPrintedAsWritten) {
  const std::string hot = recordHeader(37, 0, 1);
  const std::string hotLine = "fault 37 instance 0 value 1";
  expectCases(
      {},
      {
          {"identifiers in host order, value big-endian and unsigned",
           std::string("\x23\x01\x01\x00\x00\x00\x00\x01", 8) +
               recordHeader(0xffff, 0x8000, 0xfffffffe),
           "fault 291 instance 1 value 1\n"
           "fault 65535 instance 32768 value 4294967294\n"},
          {"back to back, entries without limit",
           hot + recordEntry("on") + recordEntry("") + recordEntry("x") +
               recordHeader(36, 2, 0) + recordHeader(36, 1, 1) +
               recordEntry("5"),
           hotLine + " \"on\" \"\" \"x\"\nfault 36 instance 2 value 0\n" +
               "fault 36 instance 1 value 1 \"5\"\n"},
          {"escapes",
           hot + recordEntry(std::string("a\"b\\c \x01\x7f\x80\xff~\0z", 13)),
           hotLine + R"( "a\"b\\c \x01\x7f\x80\xff~\x00z")" + "\n"},
          {"length byte 0 reads as an empty text",
           hot + std::string(6, '\0') + recordEntry("y"),
           hotLine + " \"\" \"y\"\n"},
          {"empty input", "", ""},
          {"partial header",
           hot + recordEntry("on") + std::string("\x25\0\0", 3),
           hotLine + " \"on\"\n", leftOver(3), 1},
          {"partial entry", hot + recordEntry("on").substr(0, 6),
           hotLine + "\n", leftOver(6), 1},
          {"zeros that may begin an entry", hot + std::string(3, '\0'),
           hotLine + "\n", leftOver(3), 1},
      });
}

TEST_F(TrapDecodeTest, DefinitionsNameInstancesAndBindings) {
  expectCases(
      {"--definitions", write("card.kdl", kCard)},
      {
          {"own value under the instance's name",
           recordHeader(37, 0, 1) + recordEntry("on") + recordEntry("1"),
           "hot fault 37 instance 0 value 1 mode=\"on\" hot=\"1\"\n"},
          {"indexed binding",
           recordHeader(36, 2, 0) + recordEntry("9") + recordHeader(36, 0, 1) +
               recordEntry("0"),
           "lost[3] fault 36 instance 2 value 0 level[3]=\"9\"\n"
           "lost[1] fault 36 instance 0 value 1 level[1]=\"0\"\n"},
          {"no more entries than bindings",
           recordHeader(36, 1, 1) + recordEntry("4") + std::string(8, '\0'),
           "lost[2] fault 36 instance 1 value 1 level[2]=\"4\"\n"
           "? fault 0 instance 0 value 0\n"},
          {"bound values missing",
           recordHeader(37, 0, 0) + recordHeader(36, 1, 0),
           "hot fault 37 instance 0 value 0 (bound values missing)\n"
           "lost[2] fault 36 instance 1 value 0 (bound values missing)\n"},
          // Both identifiers must match: 36 has no instance 3, 38 no
          // instance.
          {"unknown instances take any entries",
           recordHeader(36, 3, 1) + recordEntry("a") + recordEntry("b") +
               recordHeader(38, 0, 1),
           "? fault 36 instance 3 value 1 \"a\" \"b\"\n"
           "? fault 38 instance 0 value 1\n"},
      });
}

TEST_F(TrapDecodeTest, RandomBytesEndInAStatusAndAClearMessage) {
  const std::string card = write("card.kdl", kCard);
  std::mt19937 random(11);
  for (int round = 0; round < 16; ++round) {
    SCOPED_TRACE(round);
    // Half the bytes zero, so that entries and their lengths come up too.
    std::string bytes(random() % 8192, '\0');
    for (char& byte : bytes) byte = random() % 2 ? char(random()) : '\0';
    std::vector<std::string> args = {write("records", bytes)};
    if (round % 2 != 0) args.insert(args.begin(), {"--definitions", card});
    const auto [out, err, status] = run(args);
    EXPECT_TRUE(status == 0 || status == 1) << status << err;
    EXPECT_THAT(
        err,
        ::testing::MatchesRegex(
            "|trapdecode: [0-9]+ bytes at the end form no whole record\n"));
  }
}

TEST_F(TrapDecodeTest, InputsThatCannotBeUsedAreRefused) {
  const std::string records = write("records", recordHeader(37, 0, 1));
  const std::string bad = write("bad.kdl", "t table 1 { a }\nlevel 1 { 1x }\n");
  const std::string missing = path("missing");
  const std::string absent = ": No such file or directory\n";
  const Outcome usage = {
      "", "usage: trapdecode [--definitions FILE] [RECORDS]\n", 2};
  const std::vector<std::pair<std::vector<std::string>, Outcome>> cases = {
      {{"--bogus"}, usage},
      {{records, records}, usage},
      {{"--definitions"}, usage},
      {{missing}, {"", "trapdecode: cannot open " + missing + absent, 2}},
      {{dir_},
       {"", "trapdecode: cannot read " + dir_ + ": Is a directory\n", 1}},
      {{"--definitions", missing, records},
       {"",
        "Could not open file " + missing + absent + "trapdecode: cannot load " +
            missing + "\n",
        2}},
      {{"--definitions=" + bad, records},
       {"",
        "Parsing KDL definition file.\nError on line 2\nSyntax error\n"
        "level 1 { 1x }\n          ^\ntrapdecode: cannot load " +
            bad + "\n",
        2}},
  };
  for (const auto& [args, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(run(args), expected);
  }
  // Standard input, named "-" or not named at all.
  for (const std::string dash : {" -", ""}) {
    EXPECT_EQ(finish(start({"sh", "-c", "exec \"$0\"" + dash + " < " + records,
                            TRAPDECODE_BINARY})),
              Outcome("fault 37 instance 0 value 1\n", "", 0));
  }
}

// The second record is written only once the first one's line is out: a
// record is printed when it is known to be complete (here, once the input
// has been quiet), not when the input ends.
TEST_F(TrapDecodeTest, FifoRecordsArePrintedAsTheyArrive) {
  const std::string fifo = path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
  pid_t pid = start({TRAPDECODE_BINARY, fifo});
  ASSERT_GT(pid, 0);
  int fd = -1;
  // Opening without blocking fails until the decoder has opened its end.
  ASSERT_TRUE(waitUntil([&] {
    return (fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) >= 0;
  })) << std::strerror(errno);
  const std::string first = recordHeader(37, 0, 1) + recordEntry("on");
  const std::string second = recordHeader(36, 1, 0);
  const std::string firstLine = "fault 37 instance 0 value 1 \"on\"\n";
  ASSERT_EQ(::write(fd, first.data(), first.size()), ssize_t(first.size()));
  EXPECT_TRUE(waitUntil([&] { return readFile(path("out")) == firstLine; }))
      << readFile(path("out"));
  ASSERT_EQ(::write(fd, second.data(), second.size()), ssize_t(second.size()));
  close(fd);
  EXPECT_EQ(finish(pid),
            Outcome(firstLine + "fault 36 instance 1 value 0\n", "", 0));
}

}  // namespace
