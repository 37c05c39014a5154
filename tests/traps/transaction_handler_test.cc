// The real daemon turning transaction signals into trap records: signals
// emitted by the service stand-in on the rig's bus, the records caught at
// the stand-in device and the calls the service received, both compared
// exactly after every signal.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frame/progress_lines.h"
#include "support/private_bus.h"
#include "support/process.h"
#include "support/record_bytes.h"
#include "support/rig.h"
#include "support/service_control.h"

namespace {

std::string trap(const std::string& name, const std::string& items) {
  return name + " trap 0 { description { d } action_true { a } " +
         "action_false { b } " + items + " }\n";
}

// temp is raised above limit and sends its own value, limit and name; each
// input's loss is raised by "lost" and sends src; raster is raised when it
// differs from the lines of the standard std names. sync[k] is the rig's
// marker: it reads tick[k], and the service holds no value for it, so a signal
// carrying tick[k] makes the daemon ask for sync[k] and write nothing.
const std::string kCard =
    "c table 0 { limit, name, src, std, tick }\n"
    "inputs 0 { range 0 { 1..2 } }\n"
    "limit 0 { range 0 { 0..200 } }\n"
    "name 0 { range 0 { string32:none } }\n"
    "src 0 { range 0 { string32:none } }\n"
    "std 0 { range 0 { string32:none } }\n"
    "std vidstd 0 { alpf }\n"
    "temp 0 { range 0 { 0..200 } }\n" +
    trap("temp",
         "bindings { temp, limit, name } true_trap { (temp > limit) }") +
    "loss 0 { index 0 { inputs } range 0 { \"ok\", \"lost\" } }\n" +
    trap("loss", "bindings { src } true_trap { \"lost\" }") +
    "raster 0 { range 0 { 0..2000 } }\n" +
    trap("raster", "true_trap { (raster != vidStd::std::alpf) }") +
    "probe 0 { range 0 { 1..64 } }\n"
    "tick 0 { index 0 { probe } range 0 { 0..1 } }\n"
    "sync 0 { index 0 { probe } range 0 { 0..1 } }\n" +
    trap("sync", "true_trap { (tick == 1) }");

const char kServiceValues[] =
    "limit=50\ntemp=90\nloss[1]=ok\nloss[2]=ok\nraster=1080\n"
    "std=1080i/50\n";

// Identifiers of the card: the parameters of table c, the constant and the
// flags numbered by name from 34, so loss's flag inputsV0FaultPresent is 34
// and the scalar traps' v0FaultPresent 41 (after limit, name,
// probeV0FaultPresent, src, std and tick); raster and temp are the scalar
// row's positions 0 and 1.
constexpr uint16_t kScalarFault = 41;
constexpr uint16_t kInputsFault = 34;
constexpr uint16_t kRaster = 0;
constexpr uint16_t kTemp = 1;

struct Record {
  uint16_t fault;
  uint16_t instance;
  uint32_t value;
  std::vector<std::string> bound;  // none: header only
};

std::string recordBytes(const std::vector<Record>& records) {
  std::string out;
  for (const Record& r : records) {
    out += recordHeader(r.fault, r.instance, r.value);
    for (const std::string& text : r.bound) out += recordEntry(text);
  }
  return out;
}

class TransactionHandlerTest : public RigTest {
 protected:
  void SetUp() override {
    RigTest::SetUp();
    ASSERT_GT(
        rig.startService({"--values", rig.writeFile("v", kServiceValues)}), 0)
        << rig.error();
    std::string error;
    DBusGConnection* connection = connectToBus(rig.busAddress(), &error);
    ASSERT_NE(connection, nullptr) << error;
    control = serviceControl(connection);
    ASSERT_TRUE(
        rig.startDaemon({.args = {"-d", rig.writeFile("c.kdl", kCard)}}));
    ASSERT_TRUE(rig.waitForMainLoop());
    // The daemon's subscription reaches the bus on its own time: markers
    // go out until one is answered; those before it were handled first.
    int last = 0;
    ASSERT_TRUE(waitUntil([&] {
      emitTransaction(control, {marker(++last)});
      return waitForMarker(last, 200).has_value();
    })) << "the daemon never reacted to a transaction signal";
    nextMarker = last + 1;
  }

  void TearDown() override {
    if (control != nullptr) g_object_unref(control);
  }

  static std::string marker(int k) {
    return "tick[" + std::to_string(k) + "]=1";
  }

  // The calls received until the daemon's fetch for marker k, which is left
  // out, and the record cleared (the daemon is idle then); none when the
  // fetch did not come within `patienceMs` (0: the guard).
  std::optional<std::vector<std::string>> waitForMarker(int k, int patienceMs) {
    const std::string call = "single_get ('sync[" + std::to_string(k) + "]',)";
    for (int waited = 0; patienceMs == 0 || waited < patienceMs; waited += 10) {
      std::vector<std::string> calls = serviceCalls(control);
      if (!calls.empty() && calls.back() == call) {
        clearServiceCalls(control);
        calls.pop_back();
        return calls;
      }
      if (waited / 1000 > kGuardSeconds) break;
      usleep(10000);
    }
    return std::nullopt;
  }

  // Emits `changes`, waits until the daemon has handled them and returns
  // the service calls they caused; `records` receives what was written.
  std::vector<std::string> handle(const std::vector<std::string>& changes,
                                  std::string& records) {
    const size_t before = readFile(rig.dir() + "/device").size();
    emitTransaction(control, changes);
    const int k = nextMarker++;
    emitTransaction(control, {marker(k)});
    const auto calls = waitForMarker(k, 0);
    EXPECT_TRUE(calls.has_value()) << "the daemon did not handle the signal";
    records = readFile(rig.dir() + "/device").substr(before);
    return calls.value_or(std::vector<std::string>{});
  }

  // `records` as the decoder shows them, for the message of a mismatch.
  std::string decoded(const std::string& records) {
    const std::string out = rig.writeFile("decoded", "");
    std::string error;
    const pid_t pid =
        spawnProcess({TRAPDECODE_BINARY, "--definitions", rig.dir() + "/c.kdl",
                      rig.writeFile("records", records)},
                     {}, out, out, &error);
    if (pid < 0 || waitForExit(pid) < 0) return "not decoded: " + error;
    return "decoded:\n" + readFile(out);
  }

  DBusGProxy* control = nullptr;
  int nextMarker = 1;
};

struct Step {
  const char* what;
  std::vector<std::string> changes;
  std::vector<std::string> calls;
  std::vector<Record> records;
  const char* refuse = nullptr;  // the service refuses this method once
};

TEST_F(TransactionHandlerTest, SignalsGiveExactlyTheRecordsOfChangedStates) {
  const std::vector<Step> steps = {
      {"first evaluation sends even 0; name has no value: header only",
       {"temp=42"},
       {"single_get_bulk (2, ['limit', 'name'])"},
       {{kScalarFault, kTemp, 0, {}}}},
      {"unchanged state sends nothing",
       {"temp=43"},
       {"single_get_bulk (2, ['limit', 'name'])"},
       {}},
      {"a dependency alone: the trap's own value is fetched",
       {"limit=30"},
       {"single_get_bulk (2, ['name', 'temp'])"},
       {{kScalarFault, kTemp, 1, {}}}},
      {"the first of a name twice; bindings in order, an empty text",
       {"temp=20", "temp=99", "name=", "name=late"},
       {"single_get ('limit',)"},
       {{kScalarFault, kTemp, 0, {"20", "50", ""}}}},
      // The dependency came first, so the trap's value is asked for as
      // well; the signal's value still wins.
      {"own value and dependency in one signal: one evaluation",
       {"limit=10", "temp=60", "name=hot"},
       {"single_get ('temp',)"},
       {{kScalarFault, kTemp, 1, {"60", "10", "hot"}}}},
      {"malformed strings skipped; one instance of an indexed trap",
       {"no equals", "loss[1=lost", "loss[2]=lost"},
       {"single_get ('src',)"},
       {{kInputsFault, 1, 1, {}}}},
      {"a bound parameter concerns every instance binding it",
       {"loss[2]=ok", "src=in2"},
       {"single_get ('loss[1]',)"},
       {{kInputsFault, 0, 0, {"in2"}}, {kInputsFault, 1, 0, {"in2"}}}},
      {"an index value without instance", {"loss[3]=lost"}, {}, {}},
      {"a standard change: its constant read by the trap",
       {"std=720p/50"},
       {"single_get ('raster',)"},
       {{kScalarFault, kRaster, 1, {}}}},
      {"the standard fetched for its constant",
       {"raster=1080"},
       {"single_get ('std',)"},
       {{kScalarFault, kRaster, 0, {}}}},
      {"a refused fetch sends nothing",
       {"limit=0"},
       {"single_get_bulk (2, ['name', 'temp'])"},
       {},
       "single_get_bulk"},
      {"nothing concerned, no call", {"unknown=1", "=", "limit"}, {}, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.refuse != nullptr) failNextCalls(control, step.refuse, 1);
    std::string records;
    EXPECT_EQ(handle(step.changes, records), step.calls);
    const std::string expected = recordBytes(step.records);
    EXPECT_EQ(hexBytes(records), hexBytes(expected))
        << "written " << decoded(records) << "expected " << decoded(expected);
  }
  // Nothing else was said on the way: no report of a fault in the daemon.
  rig.signalDaemon();
  const DaemonResult result = rig.finishDaemon();
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out, kStarted);
  EXPECT_EQ(result.err, kLoaded);
}

}  // namespace
