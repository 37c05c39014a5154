// The names of the tables the generators add to a definition after it has
// been read: the traps table, where every trap becomes a parameter, and one
// table per video standard constant, listing the parameters whose value names
// the video standard that provides the constant. A definition file may not
// declare a table of any of these names.

#ifndef OSTRAND_LANGUAGE_RESERVED_NAMES_H_
#define OSTRAND_LANGUAGE_RESERVED_NAMES_H_

#include <array>
#include <set>
#include <string>

inline constexpr char kTrapsTableName[] = "mibtraps";

// A constant a `vidstd` statement may list, and the table generated for it.
struct VidStdConstantName {
  const char* constant;
  const char* tableName;  // "vidStd" followed by the constant
};

// The fourteen constants, in their fixed order.
inline constexpr std::array<VidStdConstantName, 14> kVidStdConstants = {{
    {"spal", "vidStdspal"},
    {"alpf", "vidStdalpf"},
    {"sptl", "vidStdsptl"},
    {"tlpf", "vidStdtlpf"},
    {"fr", "vidStdfr"},
    {"clkDiv", "vidStdclkDiv"},
    {"f0", "vidStdf0"},
    {"f1", "vidStdf1"},
    {"f0v0", "vidStdf0v0"},
    {"f0v1", "vidStdf0v1"},
    {"f1v0", "vidStdf1v0"},
    {"f1v1", "vidStdf1v1"},
    {"f0sw", "vidStdf0sw"},
    {"f1sw", "vidStdf1sw"},
}};

// The table generated for `constant` (compared byte by byte, so "SPAL" is
// no constant), or nullptr when it is none of the fourteen.
const char* vidStdTableNameOf(const std::string& constant);

// The constant whose generated table is `tableName`, or nullptr.
const char* vidStdConstantOf(const std::string& tableName);

// The traps table and the fourteen video standard tables, in byte order.
const std::set<std::string>& reservedTableNames();

#endif  // OSTRAND_LANGUAGE_RESERVED_NAMES_H_
