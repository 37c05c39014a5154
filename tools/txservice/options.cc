#include "options.h"

#include <gio/gio.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "service.h"

namespace {

const char kUsage[] = "usage: txservice [--name NAME] [--values FILE]\n";
const int kUsageStatus = 2;

int usageError() {
  std::fputs(kUsage, stderr);
  return kUsageStatus;
}

// The value of option `option` at argv[*i], given as "--option VALUE" or
// "--option=VALUE"; false when argv[*i] is not that option or lacks its
// value.
bool optionValue(const std::string& option, int argc, char** argv, int* i,
                 std::string* value) {
  std::string arg = argv[*i];
  if (arg.rfind(option + "=", 0) == 0) {
    *value = arg.substr(option.size() + 1);
    return true;
  }
  if (arg != option || *i + 1 >= argc) return false;
  *value = argv[++*i];
  return true;
}

bool isBlank(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

int cannotRead(const std::string& path, std::string* error) {
  *error = "cannot read " + path + ": " + std::strerror(errno);
  return 1;
}

}  // namespace

int parseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    std::string value;
    if (optionValue("--name", argc, argv, &i, &value)) {
      options->name = value;
    } else if (optionValue("--values", argc, argv, &i, &value)) {
      options->valuesFile = value;
    } else {
      return usageError();
    }
  }
  // GLib would refuse to own such a name with no more than a warning; say
  // what is wrong before anything is connected.
  if (!g_dbus_is_name(options->name.c_str()) ||
      g_dbus_is_unique_name(options->name.c_str())) {
    std::fprintf(stderr, "txservice: not a well-known bus name: %s\n",
                 options->name.c_str());
    return kUsageStatus;
  }
  return kRun;
}

int readValues(const std::string& path,
               std::map<std::string, std::string>* values, std::string* error) {
  FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return cannotRead(path, error);
  char* buffer = nullptr;
  size_t capacity = 0;
  ssize_t length = 0;
  int status = 0;
  for (unsigned lineNumber = 1;
       status == 0 && (length = getline(&buffer, &capacity, file)) >= 0;
       ++lineNumber) {
    std::string line(buffer, length);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (isBlank(line) || line[0] == '#') continue;
    std::string where = path + ":" + std::to_string(lineNumber) + ": ";
    std::string name;
    std::string value;
    // D-Bus strings are UTF-8 without NUL; g_utf8_validate_len refuses both.
    if (!g_utf8_validate_len(line.data(), line.size(), nullptr)) {
      *error = where + "expected UTF-8 text";
      status = 1;
    } else if (!splitEntry(line, &name, &value)) {
      *error = where + "expected name=value";
      status = 1;
    } else {
      (*values)[name] = value;
    }
  }
  if (status == 0 && std::ferror(file)) status = cannotRead(path, error);
  std::free(buffer);
  std::fclose(file);
  return status;
}
