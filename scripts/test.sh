#!/bin/bash
# Builds ostrand and runs its test suite.
#
# As root: the whole suite twice, an optimised build (build/, the daemon at
# build/ostrand) and a debug build under the address and undefined-behaviour
# sanitizers (build-san/). The end-to-end tests need root: the trap device
# stand-in mounts over /dev/usb-cs-trap in a private mount namespace.
#
# As any other user: the optimised build and the unit tests (ctest -L unit)
# only; the run then ends non-zero, saying that the end-to-end tests were
# not run, so that it is never taken for a whole pass.
set -euo pipefail
cd "$(dirname "$0")/.."

root=yes
if [ "$(id -u)" -ne 0 ]; then
  root=no
  echo "Not running as root: only the unit tests will run (ctest -L unit)." >&2
fi

scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
if [ "$root" = no ]; then
  ctest --test-dir build -j "$jobs" --output-on-failure -L unit
  echo "The end-to-end tests (ctest -L e2e) need root and were not run." >&2
  exit 1
fi
ctest --test-dir build -j "$jobs" --output-on-failure

cmake -S . -B build-san -DCMAKE_BUILD_TYPE=Debug -DOSTRAND_SANITIZE=ON
cmake --build build-san -j "$jobs"
ctest --test-dir build-san -j "$jobs" --output-on-failure
