#!/usr/bin/env bash
# Takes the E/WD pictures in docs/ from the simulator stand-in's demo flight:
# the full page cold, at engine start, with the T.O memo, on the take-off
# roll, in cruise, with the LDG memo and on the approach with full flaps; the
# IAE layout on the approach; the built-in basic page on the take-off roll.
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

# Each picture is flown to: the stand-in starts LEAD demo seconds before its
# moment and the display flies them in frames of a tenth of a demo second,
# whatever the machine's pace, so what waits or lasts on simulator time (the
# basic page's start-up "A/P OFF", the T.O memo's two minutes, AVAIL) is as
# in flight.
# snapshot NAME MOMENT LEAD [TARNEX-ARGS...]
snapshot() {
  local name=$1 moment=$2 lead=$3
  shift 3
  local ipc="$work/ipc-$name"
  mkdir -m 700 "$ipc"
  FSUIPC_IPC_DIR="$ipc" "$sim" --scenario demo --at $((moment - lead)) --seconds-per-exchange 0.1 "${sim_args[@]}" &
  local server=$!
  # The display connects once the stand-in's socket is there.
  for _ in $(seq 1 600); do
    [ -S "$ipc/UIPCMAIN" ] && break
    sleep 0.05
  done
  (cd "$work" && FSUIPC_IPC_DIR="$ipc" "$tarnex" --snapshot "$root/docs/ewd-$name.png" --frames $((lead * 10 + 1)) \
    --draw-log "$work/$name.log" "$@")
  kill "$server"
  wait "$server" 2>/dev/null || true
  if grep -q '"A/P OFF"' "$work/$name.log"; then
    echo "ewd-$name.png still shows the start-up \"A/P OFF\"." >&2
    return 1
  fi
}

# The full page, as run.sh shows it, with the thrust limit read through the
# FSUIPC7 aircraft file (served by the stand-in at its user offsets).
aircraft="$root/aircraft/a32nx-fsuipc7.ini"
sim_args=(--aircraft "$aircraft")
full=(--layout "$root/layouts/a320cfm.ini" --aircraft "$aircraft")
snapshot cold 12 6 "${full[@]}"
snapshot engine-start 46 30 "${full[@]}"
snapshot to-memo 205 150 "${full[@]}"
snapshot takeoff 265 15 "${full[@]}"
snapshot cruise 340 10 "${full[@]}"
snapshot ldg-memo 397 17 "${full[@]}"
snapshot approach 410 30 "${full[@]}"
# The V2500's EGT limit lies below the demo's cruise and take-off EGT; the
# approach shows the IAE page in its normal colours.
snapshot iae-approach 410 30 --layout "$root/layouts/a320iae.ini" --aircraft "$aircraft"
# The built-in layout: the basic page.
sim_args=()
snapshot basic-takeoff 265 15
echo "Wrote docs/ewd-{cold,engine-start,to-memo,takeoff,cruise,ldg-memo,approach,iae-approach,basic-takeoff}.png"
