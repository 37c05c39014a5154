#!/bin/bash
# Builds ostrand and runs it on the bundled example card definition, the way
# it runs on the card but entirely inside this machine: a private D-Bus
# session bus, and a stand-in for the trap device at /dev/usb-cs-trap (in a
# private mount namespace, so the machine's /dev is not touched) whose
# records are shown when the daemon stops. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if [ "$(id -u)" -ne 0 ]; then
  echo "the demo needs root for its stand-in trap device" >&2
  exit 1
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" >/dev/null

work=$(mktemp -d /tmp/ostrand-demo-XXXXXX)
bus_pid=
daemon_pid=
cleanup() {
  [ -n "$daemon_pid" ] && kill -KILL "$daemon_pid" 2>/dev/null || true
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

dbus-daemon --session --fork --address="unix:path=$work/bus" \
  --print-address=3 --print-pid=4 3>"$work/bus.address" 4>"$work/bus.pid"
bus_pid=$(cat "$work/bus.pid")
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus.address")
echo "== private session bus: $DBUS_SESSION_BUS_ADDRESS"

mkdir "$work/scratch"
: >"$work/records"
definitions=examples/card.kdl
echo "== ostrand -d $definitions"
build/tools/trapdev --scratch "$work/scratch" --device "$work/records" -- \
  build/ostrand -d "$definitions" &
daemon_pid=$!

# The daemon is running once it has announced its main loop and installed
# its handler for signal 28 (bit 27 of the caught-signals mask).
for _ in $(seq 1 600); do
  mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$daemon_pid/status" 2>/dev/null || true)
  [ -n "$mask" ] && (( (0x$mask >> 27) & 1 )) && break
  kill -0 "$daemon_pid" 2>/dev/null || break
  sleep 0.05
done

echo "== signal 28"
kill -28 "$daemon_pid" 2>/dev/null || true
status=0
wait "$daemon_pid" || status=$?
daemon_pid=
echo "== ostrand exited with status $status"
echo "== $(stat -c %s "$work/records") bytes of trap records written to /dev/usb-cs-trap"
exit "$status"
