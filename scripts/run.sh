#!/usr/bin/env bash
# Builds tarnex and tarnex-sim, nothing else, and runs the display, with the
# full page's layout, against the simulator stand-in's demo.
# Without a display it writes a snapshot (build/snapshot.png) instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/build.sh run

bin="$root/build/linux"
export FSUIPC_IPC_DIR="${FSUIPC_IPC_DIR:-$(mktemp -d)}"
"$bin/tools/sim/tarnex-sim" --scenario demo &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true' EXIT
# The display connects at once when the stand-in is already listening.
for _ in $(seq 1 600); do
  [ -S "$FSUIPC_IPC_DIR/UIPCMAIN" ] && break
  sleep 0.05
done

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$bin/src/platform/linux/tarnex" --layout "$root/layouts/a320cfm.ini"
else
  "$bin/src/platform/linux/tarnex" --layout "$root/layouts/a320cfm.ini" --snapshot "$root/build/snapshot.png"
  echo "No display: wrote $root/build/snapshot.png"
fi
