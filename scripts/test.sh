#!/bin/bash
# Builds ostrand and runs the whole test suite twice: an optimised build
# (build/, the daemon at build/ostrand) and a debug build under the address
# and undefined-behaviour sanitizers (build-san/). Needs root: the end-to-end
# tests put a stand-in trap device over /dev/usb-cs-trap in a private mount
# namespace.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure

cmake -S . -B build-san -DCMAKE_BUILD_TYPE=Debug -DOSTRAND_SANITIZE=ON
cmake --build build-san -j "$jobs"
ctest --test-dir build-san -j "$jobs" --output-on-failure
