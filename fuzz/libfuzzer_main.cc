// The libFuzzer binary of one target: FUZZ_ENTRY names its entry point.

#include "fuzz_entries.h"

namespace {

// The load target loads one input in sixteen twice (the other targets do
// not read this): the check costs a sixteenth of a load per input.
constexpr unsigned kLoadRecheckInterval = 16;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setLoadRecheckInterval(kLoadRecheckInterval);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FUZZ_ENTRY(data, size);
}
