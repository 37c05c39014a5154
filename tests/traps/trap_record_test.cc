#include "traps/trap_record.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/record_bytes.h"
#include "traps/registry_text.h"

namespace {

// What the daemon's handler does with an instance of a signal.
void writeTrapRecord(TrapGroup& group, const TrapIndexValues& indexValues,
                     const std::string& own, ValueMap& values, int fd) {
  std::string record;
  if (nextTrapRecord(group, indexValues, own, values, &record)) {
    sendTrapRecord(fd, record);
  }
}

// t is raised by 5..9 and sends limit's text, then its own value.
const std::string kCard =
    "t 0 { range 0 { 0..9 } }\nlimit 0 { range 0 { string32:none } }\n"
    "c table 0 { limit }\n"
    "t trap 0 { description { d } action_true { a } action_false { b } "
    "bindings { limit, t } true_trap { 5..9 } }\n";

// The identifiers go out in host order (this machine's: little-endian),
// the state and each binding's identifier big-endian.
TEST(TrapRecord, WrittenOnceForEachChangeOfState) {
  BuiltDefinition built;
  buildDefinition(kCard, built);
  TrapGroup& group = built.registry.groups.at("t");
  group.faultId = 0x10123;  // only the low 16 bits go out
  group.instances.at({}).id = 0x0201;
  int pipeFds[2];
  ASSERT_EQ(pipe2(pipeFds, O_NONBLOCK), 0);
  const std::string header = "23 01 01 02 00 00 00 ";
  const std::string longText(300, 'a');
  const struct {
    std::string own;
    ValueMap values;
    std::string record;  // hex; "" for nothing written
    int fd;
  } calls[] = {
      // Raised, every binding known.
      {"7", {{"limit", "x"}},
       header + "01 00 00 00 00 02 78 00 00 00 00 00 02 37 00 ", pipeFds[1]},
      {"8", {{"limit", "x"}}, "", pipeFds[1]},  // still raised
      {"1", {}, header + "00 ", pipeFds[1]},  // limit unknown: header only
      // A text too long for its length byte is cut to 254 bytes.
      {"6", {{"limit", longText}},
       header + "01 00 00 00 00 ff " + hexBytes(longText.substr(0, 254)) +
           "00 00 00 00 00 02 36 00 ",
       pipeFds[1]},
      // The state is kept when the device fails, so it is not sent again.
      {"2", {}, "", -1},
      {"3", {}, "", pipeFds[1]},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(call.own);
    ValueMap values = call.values;
    writeTrapRecord(group, {}, call.own, values, call.fd);
    EXPECT_EQ(values.at("sw::this"), call.own);
    char buffer[1024];
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    EXPECT_EQ(hexBytes(std::string(buffer, got > 0 ? got : 0)), call.record);
  }
  ValueMap values;
  writeTrapRecord(group, {"1"}, "7", values, pipeFds[1]);
  EXPECT_TRUE(values.empty()) << "an index value without instance";
  close(pipeFds[0]);
  close(pipeFds[1]);
}

}  // namespace
