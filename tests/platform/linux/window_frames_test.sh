#!/usr/bin/env bash
# The real window under Xvfb shows the frames the display draws, in the
# blocking loop and in the polling loop, and the program maps no GL driver:
# it draws with Cairo only.
source "$(dirname "$0")/window_test_steps.bash"

# How many pixels of the window are exactly the colour (#RRGGBB).
pixels_of() {
  import -window "$1" -depth 8 txt:- 2>/dev/null | grep -c " $2 " || true
}

shows_not_connected_page() {
  red=$(pixels_of "$1" "#FF0000")
  black=$(pixels_of "$1" "#000000")
  [ "$red" -gt 1000 ] && [ "$black" -gt 100000 ]
}

for period in 100 0; do
  write_profile WindowPosX=0 WindowPosY=0 WindowWidth=400 WindowHeight=400 MenuVisible=0 TimerPeriod=$period
  start_program
  window=$(wait_for_window "A320 CFM E/WD")

  # No simulator runs: the page comes to be black with the not-connected
  # screen's red boxes at the top.
  eventually 30 shows_not_connected_page "$window" ||
    fail "period $period: the window shows $red red and $black black pixels, not the not-connected page"

  if grep -E "libGL|_dri\.so|libLLVM" "/proc/$program_pid/maps" >/dev/null; then
    fail "period $period: a GL driver is mapped: $(grep -oE "[^/ ]*(libGL|_dri\.so|libLLVM)[^ ]*" "/proc/$program_pid/maps" | sort -u | tr '\n' ' ')"
  fi

  kill -TERM "$program_pid"
  wait_for_exit
done
echo "window frames: ok"
