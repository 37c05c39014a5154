#include "expr/constant_names.h"

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
