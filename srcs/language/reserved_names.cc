#include "language/reserved_names.h"

const char* vidStdTableNameOf(const std::string& constant) {
  for (const VidStdConstantName& entry : kVidStdConstants) {
    if (constant == entry.constant) return entry.tableName;
  }
  return nullptr;
}

const char* vidStdConstantOf(const std::string& tableName) {
  for (const VidStdConstantName& entry : kVidStdConstants) {
    if (tableName == entry.tableName) return entry.constant;
  }
  return nullptr;
}

namespace {
constexpr char kVidStdPrefix[] = "vidStd::";
constexpr size_t kVidStdPrefixLength = sizeof(kVidStdPrefix) - 1;
}  // namespace

std::string vidStdConstantName(const std::string& parameter,
                               const std::string& constant) {
  return kVidStdPrefix + parameter + "::" + constant;
}

bool splitVidStdConstantName(const std::string& name, std::string& parameter,
                             std::string& constant) {
  if (name.compare(0, kVidStdPrefixLength, kVidStdPrefix) != 0) return false;
  const size_t separator = name.find("::", kVidStdPrefixLength);
  if (separator == std::string::npos) return false;
  parameter = name.substr(kVidStdPrefixLength, separator - kVidStdPrefixLength);
  constant = name.substr(separator + 2);
  return true;
}

const std::set<std::string>& reservedTableNames() {
  static const std::set<std::string> names = [] {
    std::set<std::string> all = {kTrapsTableName};
    for (const VidStdConstantName& entry : kVidStdConstants) {
      all.insert(entry.tableName);
    }
    return all;
  }();
  return names;
}
