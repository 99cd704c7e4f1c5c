# Shared steps of the scripts that fly tarnex-sim for tarnex: the programs,
# a work folder removed at the end, and one server at a time in
# $FSUIPC_IPC_DIR.
set -euo pipefail
sim="$TARNEX_BUILD_DIR/tools/sim/tarnex-sim"
tarnex="$TARNEX_BUILD_DIR/src/platform/linux/tarnex"
work=$(mktemp -d)
server=
cleanup() {
  [ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# start_sim ARGS...: tarnex-sim with ARGS, once it listens in $FSUIPC_IPC_DIR.
start_sim() {
  "$sim" "$@" & server=$!
  for _ in $(seq 3000); do [ -S "$FSUIPC_IPC_DIR/UIPCMAIN" ] && break; sleep 0.01; done
  [ -S "$FSUIPC_IPC_DIR/UIPCMAIN" ] || fail "tarnex-sim $* did not come up"
}
