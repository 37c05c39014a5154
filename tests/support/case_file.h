// The data files of the runners under tests/cases: cases separated by blank
// lines, each line a keyword and the rest of the line ("record 41 1 0");
// the first "#" line of a case names it, and a case of comments only is
// not played.

#ifndef OSTRAND_TESTS_SUPPORT_CASE_FILE_H_
#define OSTRAND_TESTS_SUPPORT_CASE_FILE_H_

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/record_bytes.h"

// The whole file; empty when it cannot be read.
inline std::string readFile(const std::string& path) {
  g_autofree gchar* content = nullptr;
  gsize size = 0;
  if (!g_file_get_contents(path.c_str(), &content, &size, nullptr)) return "";
  return std::string(content, size);
}

inline bool writeFile(const std::string& path, const std::string& content) {
  return g_file_set_contents(path.c_str(), content.data(), content.size(),
                             nullptr);
}

struct Case {
  std::string what;
  std::vector<std::pair<std::string, std::string>> lines;  // keyword, rest
};

// The cases of the file at `path`, each key of `names` ("$DIR") replaced
// by its value; a file without any fails the test.
inline std::vector<Case> readCases(
    const std::string& path,
    const std::map<std::string, std::string>& names = {}) {
  std::vector<Case> cases(1);
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    for (const auto& [name, value] : names) {
      for (size_t at = 0; (at = line.find(name, at)) != std::string::npos;
           at += value.size()) {
        line.replace(at, name.size(), value);
      }
    }
    const size_t blank = std::min(line.find(' '), line.size());
    std::string word = line.substr(0, blank), rest = line.substr(blank);
    rest.erase(0, 1);
    if (line.empty()) {
      cases.emplace_back();
    } else if (word != "#") {
      cases.back().lines.emplace_back(word, rest);
    } else if (cases.back().what.empty()) {
      cases.back().what = rest;
    }
  }
  std::erase_if(cases, [](const Case& c) { return c.lines.empty(); });
  EXPECT_FALSE(cases.empty()) << "no cases in " << path;
  return cases;
}

// `text` split into words as the shell splits them; none for unbalanced
// quotes.
inline std::vector<std::string> caseWords(const std::string& text) {
  gchar** words = nullptr;
  if (!g_shell_parse_argv(text.c_str(), nullptr, &words, nullptr)) return {};
  const std::vector<std::string> out(words, words + g_strv_length(words));
  g_strfreev(words);
  return out;
}

// The bytes of a record written as `FAULT INSTANCE VALUE ["TEXT"...]`, the
// texts quoted as in the shell; none when `text` does not read so.
inline std::optional<std::string> recordFromText(const std::string& text) {
  const std::vector<std::string> words = caseWords(text);
  guint64 id[3];
  for (size_t i = 0; i < 3; ++i) {
    if (words.size() < 3 || !g_ascii_string_to_unsigned(
                                words[i].c_str(), 10, 0,
                                i < 2 ? 0xffff : 0xffffffff, &id[i], nullptr)) {
      return std::nullopt;
    }
  }
  std::string bytes = recordHeader(id[0], id[1], id[2]);
  for (size_t i = 3; i < words.size(); ++i) bytes += recordEntry(words[i]);
  return bytes;
}

// The names, without `extension`, of the files of `dir` that end in it,
// sorted: the scripts a runner plays, one test each.
inline std::vector<std::string> caseNames(const std::string& dir,
                                          const std::string& extension) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ignored)) {
    if (entry.path().extension() == extension)
      names.push_back(entry.path().stem());
  }
  std::sort(names.begin(), names.end());
  return names;
}

#endif  // OSTRAND_TESTS_SUPPORT_CASE_FILE_H_
