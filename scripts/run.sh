#!/usr/bin/env bash
# Builds the Linux program and runs it against the simulator stand-in's demo.
# Without a display it writes a snapshot (build/snapshot.png) instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux

bin="$root/build/linux"
export FSUIPC_IPC_DIR="${FSUIPC_IPC_DIR:-$(mktemp -d)}"
"$bin/tools/sim/tarnex-sim" --scenario demo &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true' EXIT
sleep 0.5

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$bin/src/platform/linux/tarnex"
else
  "$bin/src/platform/linux/tarnex" --snapshot "$root/build/snapshot.png"
  echo "No display: wrote $root/build/snapshot.png"
fi
