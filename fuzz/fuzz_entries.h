// The fuzz targets' entry points. Each takes one input as libFuzzer hands
// it over and returns 0; an input that breaks a promise of the code under
// test aborts, so that the fuzzer keeps it as a crash and the corpus replay
// fails on it. The same functions run under libFuzzer (fuzz_<target>) and
// in the replay of fuzz/corpus/<target>/ that every build tests.

#ifndef OSTRAND_FUZZ_FUZZ_ENTRIES_H_
#define OSTRAND_FUZZ_FUZZ_ENTRIES_H_

#include <cstddef>
#include <cstdint>

// The bytes are a definition file, loaded as the daemon loads one, with no
// bus and no device. An input is loaded a second time, and the two loads
// must say and build the same: a reader state left over from an earlier
// input would show as a difference.
int fuzzOneLoad(const uint8_t* data, size_t size);

// Which inputs fuzzOneLoad loads twice: every one (the default, as the
// replay runs), or only every `every`th one. The fuzzer checks a sample,
// as the second load would nearly halve its speed; the replay then checks
// every input the fuzzer kept.
void setLoadRecheckInterval(unsigned every);

// The bytes are the lines of one expression, read from just behind its
// opening parenthesis, then converted to postfix and evaluated. The first
// byte's low bit says whether names may carry index suffixes. A converted
// list must pass the postfix check, and its infix text must read back as
// the same list.
int fuzzOneExpr(const uint8_t* data, size_t size);

// The bytes are transaction signals to the example card (examples/), loaded
// once: one "name=value" change per line, signals separated by an empty
// line. The service stand-in starts from examples/card.values, takes every
// change, and answers each fetch from what it holds; a line "-" makes it
// refuse the next fetch. Records go to /dev/null. Every input starts from
// the state after the load: no instance has sent a record.
int fuzzOneSignal(const uint8_t* data, size_t size);

// The first byte gives the size of the pieces (1 to 128) in which the rest,
// a stream of trap records, reaches the record framing; its high bit says
// whether records are named after the example card's instances. The lines
// printed must be those of the stream given whole.
int fuzzOneTrapdecode(const uint8_t* data, size_t size);

#endif  // OSTRAND_FUZZ_FUZZ_ENTRIES_H_
