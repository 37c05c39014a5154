// The Debian package on this machine: `dpkg -i` installs it, its programs
// run from where it put them, `dpkg -r` removes all but the configuration
// and `dpkg -P` that too. Needs root; changes the machine's package set
// (the package is purged at the end, also when a check fails).

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>

#include "packaging/package_files.h"

namespace {

bool exists(const char* path) { return std::filesystem::exists(path); }

TEST(PackageE2eTest, InstallsRunsAndGoesCleanly) {
  ASSERT_EQ(geteuid(), 0u) << "dpkg -i needs root";
  const std::string dir = scratchDir();
  ASSERT_NE(dir, "") << "no scratch directory";
  std::string why;
  const std::string deb = makePackage(dir, &why);
  ASSERT_NE(deb, "") << why;
  std::shared_ptr<void> purge(nullptr, [&](void*) {
    runTool({"dpkg", "--purge", "ostrand"});
    std::filesystem::remove_all(dir);
  });
  const ToolRun installed = runTool({"dpkg", "--install", deb});
  ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
  EXPECT_EQ(runTool({"/usr/sbin/ostrand", "--version"}).out,
            "ostrand 2.11 quarry trunk 399\n");
  const ToolRun checked = runTool({"/usr/bin/ostrand-kdl", "check",
                                   "/usr/share/doc/ostrand/examples/card.kdl"});
  EXPECT_EQ(checked.status, 0) << checked.err;
  EXPECT_TRUE(exists("/usr/lib/systemd/system/ostrand.service"));

  EXPECT_EQ(runTool({"dpkg", "--remove", "ostrand"}).status, 0);
  EXPECT_FALSE(exists("/usr/sbin/ostrand"));
  EXPECT_FALSE(exists("/usr/share/doc/ostrand"));
  EXPECT_TRUE(exists("/etc/default/ostrand")) << "a removal keeps the configuration";
  EXPECT_EQ(runTool({"dpkg", "--purge", "ostrand"}).status, 0);
  EXPECT_FALSE(exists("/etc/default/ostrand"));
  EXPECT_NE(runTool({"dpkg", "--status", "ostrand"}).status, 0);
}

}  // namespace
