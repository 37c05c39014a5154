#!/bin/bash
# Runs the fuzz targets of fuzz/ and measures what their corpora reach.
#
#   scripts/fuzz.sh TARGET SECONDS [LIBFUZZER-OPTION...]
#       runs fuzz_TARGET (load, expr, signal, trapdecode) for SECONDS on one
#       core, from the seeds of fuzz/corpus/TARGET and the inputs of earlier
#       runs in build-fuzz/work/TARGET, where the new inputs go; a crash
#       goes to build-fuzz/crashes/TARGET/. Prints the inputs run, and their
#       total over every run kept in build-fuzz/work/TARGET.runs (one line
#       per run: inputs, seconds asked, end). An interrupted run counts too.
#       Different targets may run at once, one per core; one target runs
#       once at a time.
#   scripts/fuzz.sh --merge TARGET
#       adds to fuzz/corpus/TARGET the inputs of build-fuzz/work/TARGET that
#       reach a code edge the seeds do not (edges only, to keep it small).
#   scripts/fuzz.sh --coverage TARGET
#       line coverage per srcs/ directory of the replay of fuzz/corpus/TARGET
#       and build-fuzz/work/TARGET, from a clang coverage build (build-cov).
#
# The builds need clang and the llvm tools; each is configured on first use.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

targets="load expr signal trapdecode"
known() { [[ " $targets " == *" $1 "* ]] || { echo "fuzz.sh: no target $1" >&2; usage; }; }

configure() {  # DIR CMAKE-OPTION...
  local dir=$1
  shift
  [ -f "$dir/CMakeCache.txt" ] && return
  CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF "$@" >/dev/null
}

# Builds TARGET in DIR, configured with the options after it; runs started
# at once take turns, as two builds in one tree would break each other's.
build() {  # DIR TARGET CMAKE-OPTION...
  local dir=$1 target=$2
  shift 2
  mkdir -p "$dir"
  (
    flock 9
    configure "$dir" "$@"
    nice -n 10 cmake --build "$dir" -j 2 --target "$target" >/dev/null
  ) 9>"$dir/.build.lock"
}

# libFuzzer's choices for every run, before the caller's own: a slow input
# (a large index range enumerates up to 65537 values) is picked less often,
# which triples the inputs run per second of the load target.
fuzzer_options=(-timeout=25 -max_len=4096 -print_final_stats=1
  -entropic_scale_per_exec_time=1)

run() {
  local target=$1 seconds=$2
  shift 2
  build build-fuzz "fuzz_$target" -DOSTRAND_FUZZ=ON
  local work=build-fuzz/work/$target crashes=build-fuzz/crashes/$target
  mkdir -p "$work" "$crashes"
  exec 8>"$work.lock"
  flock -n 8 || { echo "fuzz.sh: fuzz_$target is running already" >&2; exit 1; }
  local dict=()
  [ -f "fuzz/$target.dict" ] && dict=("-dict=fuzz/$target.dict")
  # An interrupt ends the fuzzer, which prints its count first; the copy
  # to the log ignores it, so that the count reaches the log, and the
  # script goes on as the fuzzer ended by itself.
  local log=$work.log
  set +e
  nice -n 10 "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" \
    "${fuzzer_options[@]}" -artifact_prefix="$crashes/" "${dict[@]}" "$@" \
    "$work" "fuzz/corpus/$target" 2>&1 |
    (trap '' INT; tee "$log" | grep --line-buffered -v '^#[0-9]')
  local status=${PIPESTATUS[0]}
  set -e
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "${runs:-0} $seconds $(date -Is)" >>"$work.runs"
  echo "fuzz_$target: inputs run: ${runs:-0}" \
    "($(sed -n 's/^stat::average_exec_per_sec: *//p' "$log") per second);" \
    "over every run kept: $(awk '{ s += $1 } END { print s }' "$work.runs")"
  return "$status"
}

merge() {
  local target=$1
  build build-fuzz "fuzz_$target" -DOSTRAND_FUZZ=ON
  mkdir -p "build-fuzz/work/$target"
  nice -n 10 "build-fuzz/fuzz/fuzz_$target" -merge=1 -use_counters=0 -timeout=25 \
    "fuzz/corpus/$target" "build-fuzz/work/$target"
}

coverage() {
  local target=$1 flags="-fprofile-instr-generate -fcoverage-mapping"
  build build-cov fuzz_replay -DCMAKE_C_FLAGS="$flags" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate
  local profiles=build-cov/profiles/$target
  rm -rf "$profiles"
  mkdir -p "$profiles"
  local dir
  for dir in "fuzz/corpus/$target" "build-fuzz/work/$target"; do
    [ -d "$dir" ] && [ -n "$(ls -A "$dir")" ] || continue
    LLVM_PROFILE_FILE="$profiles/%p.profraw" \
      build-cov/fuzz/fuzz_replay "$target" "$dir" 2>/dev/null
  done
  llvm-profdata merge -sparse -o "$profiles/merged.profdata" "$profiles"/*.profraw
  llvm-cov export -summary-only -instr-profile="$profiles/merged.profdata" \
    build-cov/fuzz/fuzz_replay "$PWD/srcs" |
    python3 -c '
import collections, json, os, sys
lines = collections.defaultdict(lambda: [0, 0])
for entry in json.load(sys.stdin)["data"][0]["files"]:
    part = os.path.relpath(entry["filename"], sys.argv[1]).split(os.sep)
    directory = "srcs/" + (part[0] if len(part) > 1 else "")
    summary = entry["summary"]["lines"]
    lines[directory][0] += summary["covered"]
    lines[directory][1] += summary["count"]
print("%-24s %7s %7s %7s" % ("line coverage", "lines", "covered", "%"))
for directory, (covered, count) in sorted(lines.items()):
    print("%-24s %7d %7d %6.1f%%" % (directory, count, covered, 100.0 * covered / max(count, 1)))
' "$PWD/srcs"
}

case "${1:-}" in
  --merge) [ $# -eq 2 ] || usage; known "$2"; merge "$2" ;;
  --coverage) [ $# -eq 2 ] || usage; known "$2"; coverage "$2" ;;
  -*|'') usage ;;
  *) [ $# -ge 2 ] || usage; known "$1"; run "$@" ;;
esac
