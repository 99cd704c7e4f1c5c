#!/usr/bin/env bash
# tarnex-sim as a user runs it: help, one-sentence errors with a non-zero
# exit, a private IPC directory, a clean stop on SIGTERM or after --duration.
set -euo pipefail
sim="$TARNEX_BUILD_DIR/tools/sim/tarnex-sim"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export FSUIPC_IPC_DIR="$work/ipc"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the sim expecting failure with exactly one line on stderr containing $1.
expect_error() {
  local wanted=$1; shift
  local status=0
  "$sim" "$@" 2>"$work/err" >/dev/null || status=$?
  [ "$status" -ne 0 ] || fail "tarnex-sim $* succeeded"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "tarnex-sim $* wrote more than one line: $(cat "$work/err")"
  grep -qF -- "$wanted" "$work/err" || fail "tarnex-sim $* said: $(cat "$work/err")"
}

# Through a file: grep -q leaving a pipe early would kill a help text longer
# than one pipe write.
"$sim" --help >"$work/help"
grep -q -- "--no-answer" "$work/help" || fail "--help does not list the fault options"
grep -q -- "--write-protocol DIR" "$work/help" || fail "--help does not list --write-protocol"

expect_error "Unknown option --fly" --fly
expect_error "must be u8, s8, u16, s16, u32, s32, i32, f32 or f64" --set 0x0BC8:u64=1
expect_error "Cannot read the scenario file" --scenario "$work/missing.txt"
expect_error "--write-protocol goes with --source flightgear." --source xplane:127.0.0.1 --write-protocol "$work/fg"
touch "$work/plain"
expect_error "Cannot write the protocol file $work/plain/Protocol/tarnex.xml" --source flightgear --write-protocol "$work/plain"
"$sim" --source flightgear:5600 --write-protocol "$work/fg" >"$work/out" || fail "--write-protocol failed"
grep -qxF -- "    --data=$work/fg --generic=socket,out,20,localhost,5600,udp,tarnex" "$work/out" \
  || fail "--write-protocol printed: $(cat "$work/out")"
cmp -s "$work/fg/Protocol/tarnex.xml" "$TARNEX_SOURCE_DIR/tools/sim/flightgear/tarnex.xml" \
  || fail "--write-protocol without an aircraft file wrote another protocol than the shipped one"
printf '0 n1=10\n5 thrust=2\n' >"$work/bad.txt"
expect_error "bad.txt, line 2: there is no value called \"thrust\"." --scenario "$work/bad.txt"
printf '0 apu_n=100\n5 engine_mode_selector=3\n' >"$work/bad.txt"
expect_error "bad.txt, line 2: engine_mode_selector=3 is out of range: engine_mode_selector takes a whole number from 0 to 2." \
  --scenario "$work/bad.txt"
printf '0 left_fuel=100\n' >"$work/bad.txt"
expect_error "there is no value called \"left_fuel\". Give fuel_left_main and fuel_left_aux instead." --scenario "$work/bad.txt"

# A bad or unreadable aircraft file is refused like a bad option: one
# sentence naming the file and line, status 2.
"$sim" --help >"$work/aircraft-help.txt"
grep -q -- "--aircraft FILE" "$work/aircraft-help.txt" || fail "--help does not list --aircraft"
printf '[ApuEGT]\noffset = 0x66C0\ntype = u64\n' >"$work/bad.ini"
for case in "bad.ini|$work/bad.ini:3: type \"u64\" is not one of" "missing.ini|$work/missing.ini: cannot be read"; do
  file=$work/${case%%|*}
  status=0
  "$sim" --aircraft "$file" --duration 5 2>"$work/err" >/dev/null || status=$?
  [ "$status" -eq 2 ] || fail "--aircraft $file ended with status $status"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "--aircraft $file wrote more than one line: $(cat "$work/err")"
  grep -qF -- "${case#*|}" "$work/err" || fail "--aircraft $file said: $(cat "$work/err")"
done

# A recording never overwrites the flight it plays, however the file is named.
printf '0 n1=10\n5 n1=20\n' >"$work/flight.txt"
cp "$work/flight.txt" "$work/flight.copy"
expect_error "would overwrite the scenario it plays" --scenario "$work/flight.txt" --record "$work/./flight.txt"
cmp -s "$work/flight.txt" "$work/flight.copy" || fail "a refused --record touched the scenario"
expect_error "Cannot write the recording file $work/missing/r.txt." --record "$work/missing/r.txt"
expect_error "serves no flight to record" --scenario static --record "$work/r.txt"
expect_error "--record-rate goes with --record." --record-rate 5

# The IPC directory is made private, and one that others could use is refused.
"$sim" --duration 0.2 || fail "a --duration run did not end cleanly"
[ "$(stat -c %a "$FSUIPC_IPC_DIR")" = 700 ] || fail "the IPC directory is not mode 0700"
[ ! -e "$FSUIPC_IPC_DIR/UIPCMAIN" ] || fail "the socket outlived the server"
mkdir -m 0777 "$work/open"
FSUIPC_IPC_DIR="$work/open" expect_error "is open to other users" --duration 1
ln -s "$FSUIPC_IPC_DIR" "$work/link"
FSUIPC_IPC_DIR="$work/link" expect_error "is a symbolic link" --duration 1

# A second server of the same class is refused while the first serves.
"$sim" --class FS98MAIN & first=$!
for _ in $(seq 3000); do [ -S "$FSUIPC_IPC_DIR/FS98MAIN" ] && break; sleep 0.01; done
[ -S "$FSUIPC_IPC_DIR/FS98MAIN" ] || fail "the server did not come up"
expect_error "Another server already answers" --class FS98MAIN
kill -TERM "$first"
status=0; wait "$first" || status=$?
[ "$status" -eq 0 ] || fail "SIGTERM ended the server with status $status"
[ ! -e "$FSUIPC_IPC_DIR/FS98MAIN" ] || fail "the socket outlived the server"
# wait_for TEXT FILE: until FILE holds TEXT, for 30 s at most.
wait_for() {
  for _ in $(seq 3000); do grep -qF -- "$1" "$2" 2>/dev/null && return 0; sleep 0.01; done
  fail "$2 never held \"$1\": $(cat "$2" 2>/dev/null)"
}
stop_with_term() {
  kill -TERM "$1"
  local status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "SIGTERM ended the server with status $status"
}
last_time() { awk '!/^#/ && NF { t = $1 } END { print t + 0 }' "$1"; }

# No display connected: the flight is recorded all the same, at its rate,
# and the recording ends when it was stopped, not at its last change.
printf '0 n1=10\n0.3 n1=20\n' >"$work/short.txt"
"$sim" --scenario "$work/short.txt" --time-scale 0.25 --record "$work/alone.txt" & alone=$!
wait_for "n1.1=20" "$work/alone.txt"
stop_with_term "$alone"
awk -v t="$(last_time "$work/alone.txt")" 'BEGIN { exit !(t > 0.3) }' \
  || fail "the recording ends at $(last_time "$work/alone.txt") s, its last change: $(cat "$work/alone.txt")"
[ "$(grep -c '^0\.[12]' "$work/alone.txt")" -ge 1 ] || fail "no moment between the keyframes: $(cat "$work/alone.txt")"

# A bridge whose simulator has not sent says why beside its socket, and the
# display shows that line under the link error; both go when it stops.
port=$((20000 + $$ % 20000))
"$sim" --source "flightgear:$port" --record "$work/bridge.txt" 2>"$work/bridge.err" & bridge=$!
wait_for "Waiting for FlightGear at 127.0.0.1:$port" "$FSUIPC_IPC_DIR/UIPCMAIN.waiting"
(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" DISPLAY= \
  "$TARNEX_BUILD_DIR/src/platform/linux/tarnex" --snapshot "$work/page.png" --draw-log "$work/page.log") \
  || fail "the snapshot beside a waiting bridge failed"
grep -qF '"Cannot link to FSUIPC or WideClient"' "$work/page.log" || fail "the page is not the not-connected page"
grep -qF "text 500.00 200.00 \"Waiting for FlightGear at 127.0.0.1:$port\"" "$work/page.log" \
  || fail "the page does not say why: $(grep '^text' "$work/page.log")"
stop_with_term "$bridge"
[ ! -e "$FSUIPC_IPC_DIR/UIPCMAIN.waiting" ] || fail "the waiting file outlived the server"
[ "$(grep -cv '^#' "$work/bridge.txt")" -le 1 ] || fail "moments recorded with no simulator: $(cat "$work/bridge.txt")"

# With nothing there, the display says where it looked and what to start.
(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" DISPLAY= \
  "$TARNEX_BUILD_DIR/src/platform/linux/tarnex" --snapshot "$work/page.png" --draw-log "$work/page.log") 2>"$work/err" \
  || fail "the snapshot with no server failed"
[ "$(cat "$work/err")" = "tarnex: no simulator data: Cannot link to FSUIPC or WideClient (No tarnex-sim answers at $FSUIPC_IPC_DIR: start tarnex-sim); the snapshot shows the not-connected page." ] \
  || fail "the snapshot does not say why it has no data: $(cat "$work/err")"
grep -qF "text 500.00 200.00 \"No tarnex-sim answers at $FSUIPC_IPC_DIR: start tarnex-sim\"" "$work/page.log" \
  || fail "the page does not say what to start: $(grep '^text' "$work/page.log")"
echo "tarnex-sim command line: ok"
