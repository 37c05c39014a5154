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
