// The installed tree and the Debian package of this build, for the tests
// of what a packager gets.

#ifndef OSTRAND_TESTS_PACKAGING_PACKAGE_FILES_H_
#define OSTRAND_TESTS_PACKAGING_PACKAGE_FILES_H_

#include <glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/run_tool.h"

// A new empty directory of the test's own; empty when it cannot be made.
inline std::string scratchDir() {
  gchar* made = g_dir_make_tmp("ostrand-package-XXXXXX", nullptr);
  const std::string dir = made == nullptr ? "" : made;
  g_free(made);
  return dir;
}

// Every file below `root` but directories, as "MODE /PATH" ("0755
// /usr/sbin/ostrand"), in path order.
inline std::vector<std::string> treeFiles(const std::string& root) {
  std::vector<std::string> files;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_directory() && !entry.is_symlink()) continue;
    struct stat info = {};
    lstat(entry.path().c_str(), &info);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", info.st_mode & 07777);
    files.push_back(std::string(mode) + " /" +
                    entry.path().lexically_relative(root).string());
  }
  std::sort(files.begin(), files.end(),
            [](const std::string& a, const std::string& b) {
              return a.substr(5) < b.substr(5);
            });
  return files;
}

// The lines of a data file of tests/cases/install, comments left out.
inline std::vector<std::string> expectedLines(const std::string& name) {
  std::vector<std::string> lines;
  std::istringstream text(readFile(CASES_DIR "/install/" + name));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// Makes the package of this build in `dir` and returns its path; empty,
// with `why`, when cpack fails.
inline std::string makePackage(const std::string& dir, std::string* why) {
  const ToolRun made = runTool({CPACK_COMMAND, "--config",
                                BUILD_DIR "/CPackConfig.cmake", "-B", dir});
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() == ".deb") return entry.path().string();
  }
  *why = "cpack made no package: " + made.out + made.err;
  return "";
}

#endif  // OSTRAND_TESTS_PACKAGING_PACKAGE_FILES_H_
