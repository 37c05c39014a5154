#include "kdl/check.h"

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
  printFindings(path, findings, stderr);
  return status;
}
