#!/usr/bin/env bash
# Takes the E/WD pictures in docs/ from the simulator stand-in's demo flight:
# cold aircraft, engine start, take-off, cruise and approach with full flaps.
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

# Each phase starts six demo seconds before its moment, at ten demo seconds
# per second. A display that starts with the autopilot off shows "A/P OFF"
# for its first five demo seconds, so the snapshot must span more than that:
# how many frames that takes depends on the machine, so a phase whose last
# frame still shows the warning is taken again with twice the frames.
snapshot() {
  local name=$1 moment=$2
  local frames=250
  for _ in 1 2 3 4 5 6 7; do
    local ipc="$work/ipc-$name-$frames"
    mkdir -m 700 "$ipc"
    FSUIPC_IPC_DIR="$ipc" "$sim" --scenario demo --at $((moment - 6)) --time-scale 10 &
    local server=$!
    # The display connects once the stand-in's socket is there.
    for _ in $(seq 1 100); do
      [ -S "$ipc/UIPCMAIN" ] && break
      sleep 0.05
    done
    (cd "$work" && FSUIPC_IPC_DIR="$ipc" "$tarnex" --snapshot "$root/docs/ewd-$name.png" --frames "$frames" \
      --draw-log "$work/$name.log")
    kill "$server"
    wait "$server" 2>/dev/null || true
    grep -q '"A/P OFF"' "$work/$name.log" || { echo "ewd-$name.png: $frames frames"; return 0; }
    frames=$((frames * 2))
  done
  echo "ewd-$name.png still shows the start-up \"A/P OFF\" after $((frames / 2)) frames." >&2
  return 1
}

snapshot cold 12
snapshot engine-start 46
snapshot takeoff 150
snapshot cruise 230
snapshot approach 300
echo "Wrote docs/ewd-{cold,engine-start,takeoff,cruise,approach}.png"
