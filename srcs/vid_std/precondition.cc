#include "vid_std/precondition.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void vidStdPreconditionFailed(const char* condition, const char* file,
                              unsigned line, const char* function) {
  // The build gives full paths; the file's own name is enough to find it.
  const char* slash = std::strrchr(file, '/');
  std::fprintf(stderr, "%s:%u: %s: Precondition `%s' failed.\n",
               slash != nullptr ? slash + 1 : file, line, function, condition);
  std::fflush(stderr);
  std::abort();
}
