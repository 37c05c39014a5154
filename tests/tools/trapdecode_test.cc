// Black-box tests of the trap record decoder, the real program. Records,
// command lines and what the decoder prints for them are played from
// tests/cases/trapdecode: each NAME.records (its format described in
// plain.records) is decoded with NAME.kdl as the definition file when there
// is one.

#include <gio/gio.h>
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/case_file.h"
#include "support/record_bytes.h"

namespace {

const std::string kCases = CASES_DIR "/trapdecode";

// Standard output, standard error and exit status.
using Outcome = std::tuple<std::string, std::string, int>;

// The decoder with `args`, standard input from `input`.
GSubprocess* start(const std::vector<std::string>& args,
                   const std::string& input = "/dev/null") {
  std::vector<const char*> argv = {TRAPDECODE_BINARY};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  GSubprocessLauncher* launcher = g_subprocess_launcher_new(GSubprocessFlags(
      G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE));
  g_subprocess_launcher_set_stdin_file_path(launcher, input.c_str());
  GSubprocess* decoder =
      g_subprocess_launcher_spawnv(launcher, argv.data(), nullptr);
  g_object_unref(launcher);
  EXPECT_NE(decoder, nullptr) << "cannot run " << TRAPDECODE_BINARY;
  return decoder;
}

Outcome finish(GSubprocess* decoder) {
  if (decoder == nullptr) return {"", "", -1};
  g_autofree gchar *out = nullptr, *err = nullptr;
  EXPECT_TRUE(g_subprocess_communicate_utf8(decoder, nullptr, nullptr, &out,
                                            &err, nullptr));
  const int status = g_subprocess_get_exit_status(decoder);
  g_object_unref(decoder);
  return {out, err, status};
}

class TrapDecodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_autofree gchar* dir = g_dir_make_tmp("trapdecode_test-XXXXXX", nullptr);
    ASSERT_NE(dir, nullptr) << "cannot create a directory in /tmp";
    dir_ = dir;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string dir_;
};

TEST_F(TrapDecodeTest, RecordsAndCommandLinesGiveWhatTheCasesSay) {
  const std::string records = dir_ + "/records";
  for (const std::string name : {"plain", "named"}) {
    const std::string card = kCases + "/" + name + ".kdl";
    const std::vector<Case> cases = readCases(
        kCases + "/" + name + ".records", {{"$DIR", dir_}, {"$CASES", kCases}});
    for (const Case& c : cases) {
      SCOPED_TRACE(name + ": " + c.what);
      std::vector<std::string> args = {records};
      if (std::filesystem::exists(card))
        args.insert(args.begin(), "--definitions=" + card);
      std::string bytes, out, err;
      int status = 0;
      for (const auto& [word, rest] : c.lines) {
        std::istringstream hex(rest);
        std::optional<std::string> record;
        if (word == "bytes") {
          for (unsigned byte; hex >> std::hex >> byte;) bytes += char(byte);
        } else if (word == "record" && (record = recordFromText(rest))) {
          bytes += *record;
        } else if (word == "args") {
          args = caseWords(rest);
        } else if (word == "out" || word == "err") {
          (word == "out" ? out : err) += rest + "\n";
        } else if (word == "status") {
          status = std::stoi(rest);
        } else {
          ADD_FAILURE() << "cannot read: " << word << " " << rest;
        }
      }
      std::ofstream(records, std::ios::binary) << bytes;
      EXPECT_EQ(finish(start(args, records)), Outcome(out, err, status));
    }
  }
}

// The second record is written only once the first one's line is out: a
// record is printed when it is known to be complete (here, once the input
// has been quiet), not when the input ends.
TEST_F(TrapDecodeTest, FifoRecordsArePrintedAsTheyArrive) {
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  GSubprocess* decoder = start({fifo});
  ASSERT_NE(decoder, nullptr);
  std::ofstream writer(fifo, std::ios::binary);
  writer << recordHeader(37, 0, 1) + recordEntry("on") << std::flush;
  auto* out = G_POLLABLE_INPUT_STREAM(g_subprocess_get_stdout_pipe(decoder));
  std::string first;
  char buffer[256];
  // Only a guard against a hung decoder, never a measurement.
  for (gint64 end = g_get_monotonic_time() + 30 * G_USEC_PER_SEC;
       first.find('\n') == std::string::npos && g_get_monotonic_time() < end;
       g_usleep(5000)) {
    const gssize size = g_pollable_input_stream_read_nonblocking(
        out, buffer, sizeof buffer, nullptr, nullptr);
    if (size > 0) first.append(buffer, size);
  }
  EXPECT_EQ(first, "fault 37 instance 0 value 1 \"on\"\n")
      << "the decoder held back a complete record";
  writer << recordHeader(36, 1, 0);
  writer.close();
  EXPECT_EQ(finish(decoder), Outcome("fault 36 instance 1 value 0\n", "", 0));
}

}  // namespace
