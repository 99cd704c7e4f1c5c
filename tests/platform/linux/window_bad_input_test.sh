#!/usr/bin/env bash
# Junk in the window profile, a client area of nothing and a layout file that
# fails to load: the window still opens, runs, and saves sane settings.
source "$(dirname "$0")/window_test_steps.bash"

write_profile WindowPosX=left WindowPosY=-7x WindowWidth=0 WindowHeight=-40 \
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

# The junk period reads as 0: the polling loop paints on and on.
keys m m
kill -TERM "$program_pid"
wait_for_exit

expect_key TimerPeriod 0
expect_key AlwaysOnTop 1
expect_key MenuVisible 0
# The window stood above the screen's top edge: its geometry is not saved.
expect_key WindowPosY -7x
expect_key WindowWidth 0
echo "window bad input: ok"
