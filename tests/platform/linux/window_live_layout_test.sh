#!/usr/bin/env bash
# tarnex --layout FILE follows the file as an editor saves it: written in
# place, and written beside it and renamed over it. A damaged save keeps the
# last layout and says why at the foot of the page; the next good save clears
# that. The simulator link stays up throughout (no not-connected screen).
source "$(dirname "$0")/window_test_steps.bash"

layout_tool="$TARNEX_BUILD_DIR/tools/layout/tarnex-layout"

pixels_of() {
  import -window "$window" -depth 8 txt:- 2>/dev/null | grep -c " $1 " || true
}

# A layout whose lines (the page's own and one rectangle) are drawn in the
# colour $1.
layout_in() {
  printf '[EICAS]\nForegroundColor=%s\nForegroundThickness=8\nRect0=100-100-400-400\n' "$1"
}

# Waits until the window shows more than 200 pixels of colour $1 (#RRGGBB),
# and prints how long that took. Once the link is up ($linked), a red pixel
# (the not-connected screen) fails the test; before, it is waited out. The
# deadline is generous: a loaded machine may take its time.
linked=no
wait_for_colour() {
  local started count red
  started=$(date +%s%N)
  for _ in $(seq 1 100); do
    count=$(pixels_of "$1")
    if [ "$count" -gt 200 ]; then
      red=$(pixels_of "#FF0000")
      if [ "$red" -eq 0 ]; then
        linked=yes
        echo "$2: seen after $((($(date +%s%N) - started) / 1000000)) ms"
        return
      fi
      [ "$linked" = no ] || fail "$2: the link went down ($red red pixels)"
    fi
    sleep 0.1
  done
  screenshot "live-layout-$2.png"
  fail "$2: the window never showed $1 (see $artifacts/live-layout-$2.png): $(cat "$work/program.log")"
}

cat >"$work/steady.txt" <<'SCENARIO'
0 engines=2 on_ground=1 parking_brake=1 autopilot=1 n1=20 n2=60 egt=400 ff=300
SCENARIO
mkdir -m 700 "$FSUIPC_IPC_DIR"
"$TARNEX_BUILD_DIR/tools/sim/tarnex-sim" --scenario "$work/steady.txt" >"$work/sim.log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; cleanup' EXIT

mkdir "$work/edit"
live="$work/edit/live.ini"
layout_in "255,0,255" >"$live"

write_profile WindowPosX=0 WindowPosY=0 WindowWidth=400 WindowHeight=400 MenuVisible=0 TimerPeriod=100
start_program --layout "$live"
window=$(wait_for_window "A320 CFM E/WD")
wait_for_colour "#FF00FF" "first layout"

# Written in place.
layout_in "0,255,255" >"$live"
wait_for_colour "#00FFFF" "saved in place"

# Written beside it, then renamed over it.
layout_in "255,255,0" >"$work/edit/live.ini.new"
mv "$work/edit/live.ini.new" "$live"
wait_for_colour "#FFFF00" "renamed over"

# A damaged packed save: the yellow layout stays, and the amber line at the
# foot of the page says why.
layout_in "0,0,255" >"$work/blue.ini"
"$layout_tool" pack "$work/blue.ini" "$work/blue.bin"
cp "$work/blue.bin" "$work/damaged.bin"
last=$(( $(stat -c %s "$work/damaged.bin") - 1 ))
byte=$(od -An -tu1 -j "$last" -N1 "$work/damaged.bin")
printf "\\$(printf %o $(( byte ^ 1 )))" | dd of="$work/damaged.bin" bs=1 seek="$last" conv=notrunc 2>/dev/null
cp "$work/damaged.bin" "$live"
wait_for_colour "#FF9600" "damaged save"
[ "$(pixels_of "#FFFF00")" -gt 200 ] || fail "damaged save: the last good layout is gone"
[ "$(pixels_of "#0000FF")" -eq 0 ] || fail "damaged save: part of the damaged layout shows"

# The next good save, packed this time, clears the line.
cp "$work/blue.bin" "$live"
wait_for_colour "#0000FF" "good save"
[ "$(pixels_of "#FF9600")" -eq 0 ] || fail "good save: the reason line is still shown"

kill -0 "$sim_pid" 2>/dev/null || fail "tarnex-sim ended: $(cat "$work/sim.log")"
kill -TERM "$program_pid"
wait_for_exit
echo "window live layout: ok"
