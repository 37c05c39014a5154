#include "trapdecode/instance_labels.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>

#include "expr/expr_value.h"
#include "frame/load.h"

namespace {

void copyToStandardError(int fd) {
  if (lseek(fd, 0, SEEK_SET) != 0) return;
  char buffer[4096];
  ssize_t size = 0;
  while ((size = read(fd, buffer, sizeof buffer)) > 0) {
    for (ssize_t done = 0; done < size;) {
      const ssize_t written = write(STDERR_FILENO, buffer + done, size - done);
      if (written <= 0) return;
      done += written;
    }
  }
}

// The load with standard error sent to an anonymous file, shown only when
// the load fails: the engineer reading records wants the records, not the
// compiler's progress, unless something went wrong.
int loadWithProgressHeld(const std::string& definitionFile) {
  std::fflush(stderr);
  const int held = memfd_create("trapdecode-load", MFD_CLOEXEC);
  const int saved = held < 0 ? -1 : dup(STDERR_FILENO);
  if (saved < 0 || dup2(held, STDERR_FILENO) < 0) {
    // Nowhere to hold the progress: showing it beats refusing to decode.
    if (saved >= 0) close(saved);
    if (held >= 0) close(held);
    return loadDefinitions(definitionFile, nullptr, -1);
  }
  const int status = loadDefinitions(definitionFile, nullptr, -1);
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  if (status != 0) copyToStandardError(held);
  close(held);
  return status;
}

}  // namespace

InstanceLabels labelInstances(const TrapRegistry& registry) {
  InstanceLabels labels;
  for (const auto& [trapName, group] : registry.groups) {
    for (const auto& [indexValues, instance] : group.instances) {
      InstanceLabel label;
      label.name = instanceParameterName(trapName, indexValues);
      for (const TrapBinding& binding : instance.bindings) {
        label.bindingNames.push_back(binding.name == kThisName ? label.name
                                     : binding.name.empty()    ? "?"
                                                               : binding.name);
      }
      labels.emplace(std::pair{static_cast<uint16_t>(group.faultId),
                               static_cast<uint16_t>(instance.id)},
                     std::move(label));
    }
  }
  return labels;
}

int loadInstanceLabels(const std::string& definitionFile,
                       InstanceLabels* labels) {
  if (loadWithProgressHeld(definitionFile) != 0) return 1;
  *labels = labelInstances(trapRegistry());
  return 0;
}
