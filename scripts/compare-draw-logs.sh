#!/usr/bin/env bash
# Checks that a change leaves a layout's page as it was: draws the demo flight
# at ten moments with the display of each build, against one stand-in (the
# first build's, so only the display differs), and compares the draw logs.
# Usage: scripts/compare-draw-logs.sh BEFORE_BUILD AFTER_BUILD [--layout FILE]
#   BEFORE_BUILD, AFTER_BUILD: Linux build folders (build/linux of two trees).
# Without --layout the page is the built-in layout's. Prints each moment's
# draw-call count; exits 1 at the first moment whose logs differ.
set -euo pipefail
[ $# -ge 2 ] || { sed -n '5,8p' "$0" >&2; exit 2; }
before=$(realpath "$1") after=$(realpath "$2")
shift 2
work=$(mktemp -d)
sim=
cleanup() {
  [ -z "$sim" ] || { kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
export FSUIPC_IPC_DIR="$work/ipc" XDG_CONFIG_HOME="$work/config"
mkdir -p -m 0700 "$FSUIPC_IPC_DIR"

for at in 5 40 80 134 155 180 230 300 350 395; do
  "$before/tools/sim/tarnex-sim" --scenario demo --at "$at" --seconds-per-exchange 0 & sim=$!
  for _ in $(seq 3000); do [ -S "$FSUIPC_IPC_DIR/UIPCMAIN" ] && break; sleep 0.01; done
  for build in before after; do
    folder=$before
    [ "$build" = after ] && folder=$after
    (cd "$work" && env -u DISPLAY "$folder/src/platform/linux/tarnex" "$@" \
      --snapshot "$work/$build.png" --draw-log "$work/$build.log" 2>/dev/null)
  done
  kill "$sim"; wait "$sim" 2>/dev/null || true; sim=
  if ! cmp -s "$work/before.log" "$work/after.log"; then
    echo "at $at s the draw logs differ:"
    diff "$work/before.log" "$work/after.log" | head -n 20
    exit 1
  fi
  echo "at $at s: $(wc -l <"$work/after.log") draw calls, identical"
done
