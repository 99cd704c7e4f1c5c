#!/usr/bin/env bash
# The real window under Xvfb: it opens where the profile says, takes the keys
# and the menu, and saves its settings when closed through File > Exit.
source "$(dirname "$0")/window_test_steps.bash"

write_profile WindowPosX=40 WindowPosY=30 WindowWidth=640 WindowHeight=480 \
  MenuVisible=1 AlwaysOnTop=0 TimerPeriod=100 NoBorder=0
start_program
window=$(wait_for_window "A320 CFM E/WD")

geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Position: 40,30" || fail "window not at 40,30: $geometry"
echo "$geometry" | grep -q "Geometry: 640x480" || fail "window not 640x480: $geometry"
screenshot tarnex-window.png

# M hides the menu bar, F (with Ctrl held) drops the border, C re-arms nothing yet.
keys shift+m ctrl+f c
# Always on top from the View menu while the bar is back: M, then F10 View.
keys m F10 Right Down Down Down Return
screenshot tarnex-window-after-keys.png
# File > Exit.
keys F10 Down Down Return
wait_for_exit

expect_key WindowPosX 40
expect_key WindowPosY 30
expect_key WindowWidth 640
expect_key WindowHeight 480
expect_key MenuVisible 1
expect_key AlwaysOnTop 1
expect_key TimerPeriod 100
expect_key NoBorder 1

# The next start applies the saved flags; the refresh rate slider moved to
# the fast end and confirmed asks for a restart and saves 0.
start_program
window=$(wait_for_window "A320 CFM E/WD")
keys F10 Right Down Return
wait_for_window "Refresh Rate" >/dev/null
keys Home Return
wait_for_window "Warning" >/dev/null
screenshot tarnex-refresh-warning.png
keys Return
# Back in the main window once the box has gone.
eventually 30 no_window_titled "Warning" || fail "the warning box did not close"
xdotool windowfocus --sync "$window" 2>/dev/null
keys F10 Down Down Return
wait_for_exit
expect_key TimerPeriod 0
expect_key NoBorder 1
expect_key MenuVisible 1
echo "window settings: ok"
