// Every definition case (definition_cases.h) loaded by the real daemon: it
// ends with the case's status, 1 at the load or 0 from its main loop on
// signal 28, having printed exactly the case's stderr section and its
// banners, and written nothing to the device.

#include <string>

#include "frame/definition_cases.h"
#include "support/rig.h"

namespace {

const std::string kBanners =
    "ostrand: Connecting to Session D-Bus.\n"
    "ostrand: Creating a GLib proxy object for Value.\n";

class DefinitionDaemonTest : public RigTest {};

// One rig for all cases: a bus of its own per case would cost more than
// the daemon's whole run.
TEST_F(DefinitionDaemonTest, LoadsEveryCaseAsItsOutputSays) {
  const auto names = caseNames(kDefinitionCases, ".kdl");
  ASSERT_FALSE(names.empty()) << "no case in " << kDefinitionCases;
  for (const std::string& name : names) {
    SCOPED_TRACE(kDefinitionCases + name + ".kdl");
    const CaseOutput expected =
        CaseOutput::parse(readFile(kDefinitionCases + name + ".out"));
    ASSERT_NE(expected.section("stderr"), nullptr);
    const DaemonResult r =
        rig.runDaemon({.args = {"-d", kDefinitionCases + name + ".kdl"}});
    EXPECT_EQ(r.exitStatus, expected.status);
    EXPECT_EQ(r.err, *expected.section("stderr"));
    EXPECT_EQ(r.out, expected.status == 0
                         ? kBanners + "ostrand: Starting main loop.\n"
                         : kBanners);
    EXPECT_EQ(r.device, "");
  }
}

}  // namespace
