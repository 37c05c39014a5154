#include "tables/video_standard_table.h"

#include <set>
#include <utility>

#include "language/reserved_names.h"
#include "language/status_codes.h"

namespace {

// Generated table name to version to the declared names listing its
// constant in a statement of that version.
using ListingsByTable =
    std::map<std::string, std::map<uint32_t, std::set<std::string>>>;

// Records one known constant of the statement `key`.
void recordConstant(const VidStdKey& key, const std::string& constant,
                    const char* tableName, VideoStandardTable& table,
                    ListingsByTable& listings) {
  const auto& [declaredName, version] = key;
  auto [smallest, inserted] = table[declaredName].try_emplace(constant, version);
  if (!inserted && smallest->second > version) smallest->second = version;
  listings[tableName][version].insert(declaredName);
}

// The table of one constant from the statements that list it.
TableDef buildConstantTable(
    const std::string& tableName,
    const std::map<uint32_t, std::set<std::string>>& namesByVersion,
    const DefinitionModel& model) {
  const std::string constant = vidStdConstantOf(tableName);
  TableDef generated;
  // Versions come from the parser's non-negative 32-bit numbers and fit the
  // table's signed version.
  generated.version = static_cast<int32_t>(namesByVersion.begin()->first);
  for (const auto& [version, names] : namesByVersion) {
    for (const std::string& declaredName : names) {
      const NameList& statement = model.vidStds.at({declaredName, version});
      for (const NameRef& ref : statement.items) {
        if (ref.name != constant) continue;
        generated.params.items.push_back(
            NameRef{ref.line, ref.column, declaredName});
        auto text = statement.sourceLines.find(ref.line);
        if (text != statement.sourceLines.end()) {
          addSourceLine(generated.params.sourceLines, ref.line,
                        text->second.c_str());
        }
        break;
      }
    }
  }
  return generated;
}

}  // namespace

int generateVideoStandardTable(DiagnosticsList& diagnostics,
                               VideoStandardTable& table,
                               DefinitionModel& model) {
  int status = kStatusOk;
  ListingsByTable listings;
  for (const auto& [key, statement] : model.vidStds) {
    for (const NameRef& ref : statement.items) {
      const char* tableName = vidStdTableNameOf(ref.name);
      if (tableName == nullptr) {
        addErrorAt(diagnostics, kInvalidVidStdConstant, ref.line, ref.column,
                   statement.sourceLines);
        status = kGeneratorFailed;
        continue;
      }
      recordConstant(key, ref.name, tableName, table, listings);
    }
  }
  for (const auto& [tableName, namesByVersion] : listings) {
    TableDef generated = buildConstantTable(tableName, namesByVersion, model);
    model.tables.erase(tableName);
    model.tables.emplace(tableName, std::move(generated));
  }
  return status;
}
