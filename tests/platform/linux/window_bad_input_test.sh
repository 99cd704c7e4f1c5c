#!/usr/bin/env bash
# Junk in the window profile, a window far off every screen and wider than
# all of them, a client area of nothing and a layout file that fails to load:
# the window still opens on the screen, runs, and saves sane settings.
source "$(dirname "$0")/window_test_steps.bash"

write_profile WindowPosX=-100000 WindowPosY=-7x WindowWidth=100000 WindowHeight=-40 \
  MenuVisible=maybe AlwaysOnTop=2 TimerPeriod=fast NoBorder=
printf 'not a packed layout' >"$work/A320CFM.bin"
start_program

# The layout fails while the window is made: one "Parsing Error" box, before
# the window shows; OK closes it and the window opens.
wait_for_window "Parsing Error" >/dev/null
screenshot tarnex-parsing-error.png
keys Return
window=$(wait_for_window "A320 CFM E/WD")
screenshot tarnex-window-bad-input.png
# Nowhere near a screen: it comes up at the screen's corner, as wide as it.
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Position: 0,0" || fail "window not brought onto the screen: $geometry"
echo "$geometry" | grep -q "Geometry: 1280x" || fail "window not cut to the screen's width: $geometry"

# The junk period reads as 0: the polling loop paints on and on.
keys m m
kill -TERM "$program_pid"
wait_for_exit

expect_key TimerPeriod 0
expect_key AlwaysOnTop 1
expect_key MenuVisible 0
expect_key WindowPosX 0
expect_key WindowPosY 0
expect_key WindowWidth 1280
echo "window bad input: ok"
