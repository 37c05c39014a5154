#include "common/tool_options.h"

#include <argp.h>

#include <string>

#include "frame/release.h"

void useToolConvention(const char* program) {
  // argp keeps the pointer for the life of the process.
  static std::string version;
  version = std::string(program) + " (ostrand) " OSTRAND_RELEASE;
  argp_program_version = version.c_str();
  argp_program_bug_address = nullptr;
  argp_err_exit_status = kUsageStatus;
}
