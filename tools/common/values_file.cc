#include "common/values_file.h"

#include <glib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isBlank(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

int cannotRead(const std::string& path, std::string* error) {
  *error = "cannot read " + path + ": " + std::strerror(errno);
  return 1;
}

}  // namespace

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

bool splitEntry(const std::string& entry, std::string* name,
                std::string* value) {
  size_t equals = entry.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  *name = entry.substr(0, equals);
  *value = entry.substr(equals + 1);
  return true;
}
