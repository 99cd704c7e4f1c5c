#!/usr/bin/env bash
# Takes the E/WD pictures in docs/ from the simulator stand-in's demo flight:
# cold aircraft, engine start, take-off, cruise and approach with full flaps,
# and the IAE layout on the approach.
# Usage: scripts/ewd-snapshots.sh [BUILD_DIR]   (default build/linux)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(cd "${1:-$root/build/linux}" && pwd)
sim="$build/tools/sim/tarnex-sim"
tarnex="$build/src/platform/linux/tarnex"
for program in "$sim" "$tarnex"; do
  [ -x "$program" ] || { echo "Build $program first (cmake --build --preset linux)." >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each phase starts ten demo seconds before its moment and runs fast for a
# second, so transient memos of the display's own start-up have gone.
# snapshot NAME MOMENT [TARNEX-ARGS...]
snapshot() {
  local name=$1 moment=$2
  shift 2
  local ipc="$work/ipc-$name"
  mkdir -m 700 "$ipc"
  FSUIPC_IPC_DIR="$ipc" "$sim" --scenario demo --at $((moment - 10)) --time-scale 10 &
  local server=$!
  sleep 0.3
  (cd "$work" && FSUIPC_IPC_DIR="$ipc" "$tarnex" --snapshot "$root/docs/ewd-$name.png" --frames 100 "$@")
  kill "$server"
  wait "$server" 2>/dev/null || true
}

snapshot cold 12
snapshot engine-start 46
snapshot takeoff 150
snapshot cruise 230
snapshot approach 300
# The V2500's EGT limit lies below the demo's cruise and take-off EGT; the
# approach shows the IAE page in its normal colours.
snapshot iae-approach 300 --layout "$root/layouts/a320iae.ini"
echo "Wrote docs/ewd-{cold,engine-start,takeoff,cruise,approach,iae-approach}.png"
