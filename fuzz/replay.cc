// fuzz_replay TARGET DIRECTORY: runs every file of DIRECTORY through the
// entry point of TARGET (load, expr, signal or trapdecode), in name order,
// so that every input a fuzzer ever kept is tried again by each build. An
// input that breaks the code ends the run as it would end the fuzzer; the
// file being replayed is named on standard error first.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fuzz_entries.h"

namespace {

using Entry = int (*)(const uint8_t*, size_t);

const std::map<std::string, Entry>& entries() {
  static const std::map<std::string, Entry> all = {
      {"load", fuzzOneLoad},
      {"expr", fuzzOneExpr},
      {"signal", fuzzOneSignal},
      {"trapdecode", fuzzOneTrapdecode}};
  return all;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "fuzz_replay: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return fail("usage: fuzz_replay TARGET DIRECTORY");
  const auto entry = entries().find(argv[1]);
  if (entry == entries().end()) {
    return fail(std::string("no target ") + argv[1]);
  }
  const std::filesystem::path directory = argv[2];
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (const auto& item :
       std::filesystem::directory_iterator(directory, error)) {
    if (item.is_regular_file()) files.push_back(item.path());
  }
  if (error) {
    return fail("cannot read " + directory.string() + ": " + error.message());
  }
  // A replay of nothing would pass whatever the code does.
  if (files.empty()) return fail(directory.string() + " holds no input");
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)),
                            std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return fail("cannot read " + file.string());
    std::fprintf(stderr, "%s\n", file.filename().c_str());
    entry->second(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("fuzz_replay: %s: %zu inputs\n", argv[1], files.size());
  return 0;
}
