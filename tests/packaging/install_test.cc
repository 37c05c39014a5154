// What a packager gets from this build: `cmake --install` of each component
// into a scratch root, and the Debian package, checked file by file against
// tests/cases/install (the modes and paths of every file; the package's
// control fields, its dependencies by name, its configuration files).

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "packaging/package_files.h"

namespace {

class InstallTest : public testing::TestWithParam<std::string> {};

TEST_P(InstallTest, PutsExactlyTheListedFiles) {
  const std::string root = scratchDir();
  ASSERT_NE(root, "") << "no scratch directory";
  const ToolRun installed =
      runTool({"env", "DESTDIR=" + root, CMAKE_COMMAND, "--install", BUILD_DIR,
               "--component", GetParam()});
  ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
  EXPECT_EQ(treeFiles(root), expectedLines(GetParam() + ".files"));
  std::filesystem::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(Components, InstallTest,
                         testing::Values("ostrand", "standins"));

// "Depends: a (>= 1), b" as "Depends: a b": the versions follow the
// machine's libraries, the names do not.
std::string dependencyNames(const std::string& line) {
  std::set<std::string> names;
  std::istringstream entries(line.substr(line.find(':') + 1));
  for (std::string entry; std::getline(entries, entry, ',');) {
    std::istringstream words(entry);
    std::string name;
    words >> name;
    names.insert(name);
  }
  std::string out = "Depends:";
  for (const std::string& name : names) out += " " + name;
  return out;
}

TEST(PackageTest, HoldsTheDaemonsComponentWithItsFieldsAndDependencies) {
  const std::string dir = scratchDir();
  ASSERT_NE(dir, "") << "no scratch directory";
  std::string why;
  const std::string deb = makePackage(dir, &why);
  ASSERT_NE(deb, "") << why;
  std::string architecture = runTool({"dpkg", "--print-architecture"}).out;
  if (!architecture.empty()) architecture.pop_back();
  std::vector<std::string> fields;
  std::istringstream control(
      runTool({"dpkg-deb", "--field", deb, "Package", "Version",
               "Architecture", "Maintainer", "Section", "Priority", "Depends"})
          .out +
      "Conffiles: " + runTool({"dpkg-deb", "--info", deb, "conffiles"}).out);
  for (std::string line; std::getline(control, line);) {
    fields.push_back(line.starts_with("Depends:") ? dependencyNames(line)
                                                  : line);
  }
  std::vector<std::string> expected = expectedLines("package.fields");
  for (std::string& line : expected) {
    if (line.ends_with("$ARCH")) line.replace(line.size() - 5, 5, architecture);
  }
  EXPECT_EQ(fields, expected);
  EXPECT_EQ(std::filesystem::path(deb).filename(),
            "ostrand_2.11_" + architecture + ".deb");
  const ToolRun unpacked = runTool({"dpkg-deb", "--extract", deb, dir + "/root"});
  ASSERT_EQ(unpacked.status, 0) << unpacked.err;
  EXPECT_EQ(treeFiles(dir + "/root"), expectedLines("ostrand.files"));
  std::filesystem::remove_all(dir);
}

}  // namespace
