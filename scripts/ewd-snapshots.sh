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

# Each phase starts six demo seconds before its moment and flies them in
# frames of a twentieth of a demo second each, whatever the machine's pace:
# a display that starts with the autopilot off shows "A/P OFF" for its first
# five demo seconds, and the last frame is past them.
# snapshot NAME MOMENT [TARNEX-ARGS...]
snapshot() {
  local name=$1 moment=$2
  shift 2
  local ipc="$work/ipc-$name"
  mkdir -m 700 "$ipc"
  FSUIPC_IPC_DIR="$ipc" "$sim" --scenario demo --at $((moment - 6)) --seconds-per-exchange 0.05 &
  local server=$!
  # The display connects once the stand-in's socket is there.
  for _ in $(seq 1 600); do
    [ -S "$ipc/UIPCMAIN" ] && break
    sleep 0.05
  done
  (cd "$work" && FSUIPC_IPC_DIR="$ipc" "$tarnex" --snapshot "$root/docs/ewd-$name.png" --frames 121 \
    --draw-log "$work/$name.log" "$@")
  kill "$server"
  wait "$server" 2>/dev/null || true
  if grep -q '"A/P OFF"' "$work/$name.log"; then
    echo "ewd-$name.png still shows the start-up \"A/P OFF\"." >&2
    return 1
  fi
}

snapshot cold 12
snapshot engine-start 46
snapshot takeoff 260
snapshot cruise 340
snapshot approach 410
# The V2500's EGT limit lies below the demo's cruise and take-off EGT; the
# approach shows the IAE page in its normal colours.
snapshot iae-approach 410 --layout "$root/layouts/a320iae.ini"
echo "Wrote docs/ewd-{cold,engine-start,takeoff,cruise,approach,iae-approach}.png"
