#!/bin/bash
# Builds ostrand and shows it at work on the bundled example card, entirely
# inside this machine: a private D-Bus session bus; the transaction service
# stand-in holding the card's parameter values (examples/card.values); and a
# stand-in for the trap device at /dev/usb-cs-trap (a FIFO, in a private
# mount namespace, so the machine's /dev is not touched) whose records are
# decoded as they arrive. A short series of parameter changes is then made
# through the service, as the card's other processes would make them.
# Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if [ "$(id -u)" -ne 0 ]; then
  echo "the demo needs root for its stand-in trap device" >&2
  exit 1
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" >/dev/null

definitions=examples/card.kdl
work=$(mktemp -d /tmp/ostrand-demo-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

dbus-daemon --session --fork --address="unix:path=$work/bus" \
  --print-address=3 --print-pid=4 3>"$work/bus.address" 4>"$work/bus.pid"
pids+=("$(cat "$work/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus.address")
echo "== private session bus: $DBUS_SESSION_BUS_ADDRESS"

build/tools/txservice/txservice --values examples/card.values \
  >"$work/txservice.out" 2>&1 &
pids+=($!)
for _ in $(seq 1 600); do
  grep -q '^txservice: ready$' "$work/txservice.out" && break
  sleep 0.05
done
echo "== transaction service stand-in, values from examples/card.values"

# The decoder reads the FIFO that the daemon writes as its trap device.
mkfifo "$work/records"
build/tools/trapdecode --definitions "$definitions" "$work/records" |
  sed -u 's/^/   record: /' &
decoder_pid=$!

mkdir "$work/scratch"
echo "== ostrand -d $definitions"
build/tools/trapdev --scratch "$work/scratch" --device "$work/records" -- \
  build/ostrand -d "$definitions" &
daemon_pid=$!
pids+=("$daemon_pid")

# The daemon is running once it has announced its main loop and installed
# its handler for signal 28 (bit 27 of the caught-signals mask).
for _ in $(seq 1 600); do
  mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$daemon_pid/status" 2>/dev/null || true)
  [ -n "$mask" ] && (( (0x$mask >> 27) & 1 )) && break
  kill -0 "$daemon_pid" 2>/dev/null || break
  sleep 0.05
done

# One change through the service, which announces it with a transaction
# signal; then a moment for the record to be shown under it.
change() {
  echo "== $1"
  shift
  gdbus call --session --dest org.velmor.transaction \
    --object-path /transaction --method "org.velmor.transaction.$1" \
    "${@:2}" >/dev/null
  sleep 0.5
}
change "input 2 loses its signal" single_set 'inputLoss[2]' lost
change "the board warms to 83 degrees with the output on" \
  single_set_bulk "['overTemp', 'temperature']" "['83', '83']"
change "the output is switched off" single_set outputMode off
change "input 2 comes back" single_set 'inputLoss[2]' present
change "the gain of input 1 changes: no trap reads it" single_set 'gain[1]' "'-6'"
change "a 720p/50 source on the input" single_set videoIn 720p/50
change "back to 1080i/50" single_set videoIn 1080i/50

echo "== signal 28"
kill -28 "$daemon_pid" 2>/dev/null || true
status=0
wait "$daemon_pid" || status=$?
wait "$decoder_pid" || true
echo "== ostrand exited with status $status"
exit "$status"
