#!/usr/bin/env bash
# A flight recorded and played back: tarnex-sim records the demo's approach
# while a display reads it, fast; then at moments the recording holds, the
# display draws the replayed flight exactly as it draws the demo itself.
source "$(dirname "$0")/sim_steps.bash"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
unset DISPLAY

export FSUIPC_IPC_DIR="$work/ipc"
stop_sim() {
  kill -TERM "$server"
  local status=0
  wait "$server" || status=$?
  server=
  [ "$status" -eq 0 ] || fail "tarnex-sim ended with status $status"
}
last_time() { awk '!/^#/ && NF { t = $1 } END { print t + 0 }' "$1"; }

# Thirty seconds of the approach, flaps and thrust moving, a tenth of a
# second per frame of the display, however slowly this machine runs.
start_sim --at 390 --seconds-per-exchange 0.1 --record "$work/flight.txt"
(cd "$work" && "$tarnex" --snapshot "$work/drive.png" --frames 310) || fail "the display could not read the recorded flight"
stop_sim
awk -v t="$(last_time "$work/flight.txt")" 'BEGIN { exit !(t >= 420) }' || fail "the recording stops at $(last_time "$work/flight.txt") s"

# One line per moment, no moment closer than a tenth of a second to the one
# before (but the last, the moment the display saw last), and after the first
# line only what changed.
awk '!/^#/ && NF {
       if (n && $1 - t < 0.1 - 1e-9) close_pair = t " and " $1; else close_pair = ""
       if (previous_close != "") { print "moments too close: " previous_close; bad = 1 }
       previous_close = close_pair
       t = $1; n++
       if (n == 1) first = NF; else if (NF >= first) { print "a full line after the first: " $0; bad = 1 }
     } END { exit bad }' "$work/flight.txt" || fail "the recording breaks its format"

# The shipped page with the full warning computer, whose LDG memo reads the
# named values (radio altitude, gear, signs), so that they are compared too.
sed 's/^\[EICAS\]/&\nWarningMode=FULL/' "$TARNEX_SOURCE_DIR/layouts/a320cfm.ini" >"$work/full.ini"

# draw_at LOG SIM-ARGS...: the display's draw log with the flight held at one moment.
draw_at() {
  local log=$1; shift
  start_sim "$@" --seconds-per-exchange 0
  (cd "$work" && "$tarnex" --snapshot "$work/moment.png" --layout "$work/full.ini" --draw-log "$log") \
    || fail "the snapshot for $log failed"
  stop_sim
}

compared=0
for wanted in 394 401 406 413 419; do
  moment=$(awk -v w="$wanted" '!/^#/ && NF && $1 >= w { print $1; exit }' "$work/flight.txt")
  [ -n "$moment" ] || fail "no recorded moment after $wanted s"
  # The demo as it was served while being recorded.
  draw_at "$work/live-$wanted.log" --at "$moment" --record "$work/scratch.txt"
  draw_at "$work/replay-$wanted.log" --scenario "$work/flight.txt" --at "$moment"
  grep -q "Cannot link" "$work/live-$wanted.log" && fail "the display was not linked at $moment s"
  cmp -s "$work/live-$wanted.log" "$work/replay-$wanted.log" \
    || fail "the replay draws differently at $moment s: $(diff "$work/live-$wanted.log" "$work/replay-$wanted.log" | head -n 6)"
  compared=$((compared + 1))
done
# The moments compared are different pictures, so equal logs mean something.
grep -qF '" GEAR DN" font="Arial"' "$work/live-401.log" || fail "the LDG memo's gear line is not drawn at 401 s"
! cmp -s "$work/live-394.log" "$work/live-406.log" || fail "the approach drew the same at 394 and 406 s"
echo "record and replay: $compared moments drawn alike"
