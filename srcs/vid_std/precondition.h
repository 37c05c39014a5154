// The checks of the video standard library. A violated precondition means
// a caller passed a line outside its frame or a reversed extent, or the
// built-in table contradicts itself; either would silently corrupt values
// that trap conditions compare against, so the process stops.

#ifndef OSTRAND_VID_STD_PRECONDITION_H_
#define OSTRAND_VID_STD_PRECONDITION_H_

// Prints "<file>:<line>: <function>: Precondition `<condition>' failed."
// to standard error and aborts.
[[noreturn]] void vidStdPreconditionFailed(const char* condition,
                                           const char* file, unsigned line,
                                           const char* function);

// Checks `holds`; `condition` is the text the report names.
#define VID_STD_REQUIRE(holds, condition)                                \
  do {                                                                   \
    if (!(holds)) {                                                      \
      vidStdPreconditionFailed(condition, __FILE__, __LINE__, __func__); \
    }                                                                    \
  } while (0)

#endif  // OSTRAND_VID_STD_PRECONDITION_H_
