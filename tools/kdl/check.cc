#include "kdl/check.h"

#include <cstdint>
#include <map>
#include <utility>

#include "common/card_compile.h"
#include "common/source_pieces.h"
#include "frame/load.h"

namespace {

size_t instanceCount(const TrapRegistry& registry) {
  size_t count = 0;
  for (const auto& [name, group] : registry.groups) {
    count += group.instances.size();
  }
  return count;
}

// A record carries the low 16 bits of each identifier only: an index of
// 256 values or more reaches into the next trap's positions, 65536 into its
// own, and the far end can no longer tell those instances' records apart.
// One warning per trap that meets an earlier instance's identifiers.
void warnSharedIdentifiers(const TrapRegistry& registry,
                           std::vector<Finding>& findings) {
  std::map<std::pair<uint16_t, uint16_t>, std::string> owners;
  for (const auto& [trapName, group] : registry.groups) {
    size_t shared = 0;
    std::string first;
    for (const auto& [indexValues, instance] : group.instances) {
      const std::string name = instanceParameterName(trapName, indexValues);
      const auto [owner, fresh] = owners.emplace(
          std::pair{static_cast<uint16_t>(group.faultId),
                    static_cast<uint16_t>(instance.id)},
          name);
      if (!fresh && shared++ == 0) first = name + " as " + owner->second;
    }
    if (shared == 0) continue;
    findings.push_back(
        {Finding::kWarning, 0, 0,
         std::to_string(shared) + " instance(s) of trap " + trapName +
             " carry the record identifiers of another (" + first +
             "): their records cannot be told apart",
         {}});
  }
}

int checkWithDaemonText(const std::string& path) {
  // The daemon takes a directory for an empty file; the check calls it
  // unreadable, whichever text it prints.
  SourcePieces pieces;
  const bool readable = pieces.read(path) == 0;
  TrapRegistry registry;
  const LoadResult loaded =
      compileDefinitions(path, standardErrorReport(), registry, -1);
  if (!readable) return kCardUnreadable;
  return loaded.status == 0 && loaded.trapsGenerated ? kCardLoads : kCardFails;
}

}  // namespace

int runCheck(const std::string& path, bool daemonText) {
  if (daemonText) return checkWithDaemonText(path);
  TrapRegistry registry;
  std::vector<Finding> findings;
  const CardStatus status = compileCard(path, registry, &findings);
  if (status == kCardLoads && instanceCount(registry) == 0) {
    findings.push_back({Finding::kWarning, 0, 0,
                        "no trap instance: the daemon would never send a "
                        "trap record",
                        {}});
  }
  warnSharedIdentifiers(registry, findings);
  printFindings(path, findings, stderr);
  return status;
}
