# Shared steps of the window tests: a private X server, a private profile
# folder, the program started in it, and waiting for its window.
set -euo pipefail

: "${TARNEX_BUILD_DIR:?set TARNEX_BUILD_DIR}"
tarnex="$TARNEX_BUILD_DIR/src/platform/linux/tarnex"
artifacts="$TARNEX_BUILD_DIR/test-artifacts"
mkdir -p "$artifacts"

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
export XDG_DATA_HOME="$work/data"
export FSUIPC_IPC_DIR="$work/ipc"
# No accessibility bus runs here: GTK's bridge to it would only try, and
# keep a few allocations that the sanitizer build reports as leaks.
export NO_AT_BRIDGE=1
profile="$XDG_CONFIG_HOME/tarnex/QuorvelEFIS.cfg"
program_pid=""
xvfb_pid=""

cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill -KILL "$program_pid" 2>/dev/null || true
  fi
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Each window test runs on its own X server, so keys go to its window only.
# The server picks a free display number itself, so parallel tests never
# race for one. It must not reset when its last client leaves: a program
# connecting during the reset is refused.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 600); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
# On a busy machine the server may name its display a moment before it
# takes connections.
for _ in $(seq 1 600); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.05
done

fail() {
  echo "FAIL: $*" >&2
  [ -f "$profile" ] && { echo "profile:" >&2; cat "$profile" >&2; }
  exit 1
}

write_profile() {
  mkdir -p "$XDG_CONFIG_HOME/tarnex"
  printf '[ExternalEWD]\n' >"$profile"
  printf '%s\n' "$@" >>"$profile"
}

# Starts tarnex in $work, with the arguments given.
start_program() {
  (cd "$work" && exec "$tarnex" "$@") >"$work/program.log" 2>&1 &
  program_pid=$!
}

# Prints the id of the visible window titled $1 once it shows, and gives it
# the keyboard.
wait_for_window() {
  local found=""
  for _ in $(seq 1 300); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    kill -0 "$program_pid" 2>/dev/null || fail "tarnex ended before \"$1\" showed: $(cat "$work/program.log")"
    sleep 0.1
  done
  [ -n "$found" ] || fail "no window titled \"$1\" appeared"
  sleep 0.5
  xdotool windowfocus --sync "$found" 2>/dev/null
  echo "$found"
}

no_window_titled() {
  [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)" ]
}

keys() {
  for key in "$@"; do
    xdotool key --clearmodifiers "$key" 2>/dev/null
    sleep 0.3
  done
}

# Waits for the program to end by itself and checks its exit code.
wait_for_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && fail "tarnex did not end"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "tarnex ended with status $status: $(cat "$work/program.log")"
}

expect_key() {
  local key=$1 expected=$2 actual
  actual=$(sed -n "s/^$key=//p" "$profile")
  [ "$actual" = "$expected" ] || fail "$key is \"$actual\", expected \"$expected\""
}

# Runs the command $2... until it succeeds, for at most $1 seconds; fails
# when it never does. Waits on what the program shows, not on the clock.
eventually() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

screenshot() {
  import -window root "$artifacts/$1" 2>/dev/null || fail "cannot take the screenshot $1"
}
