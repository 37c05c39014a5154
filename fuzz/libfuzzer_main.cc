// The libFuzzer binary of one target: FUZZ_ENTRY names its entry point.

#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FUZZ_ENTRY(data, size);
}
