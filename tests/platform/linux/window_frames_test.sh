#!/usr/bin/env bash
# The real window under Xvfb shows the frames the display draws, in the
# blocking loop and in the polling loop, and the program maps no GL driver:
# it draws with Cairo only.
source "$(dirname "$0")/window_test_steps.bash"

# How many pixels of the window are exactly the colour (#RRGGBB).
pixels_of() {
  import -window "$1" -depth 8 txt:- 2>/dev/null | grep -c " $2 " || true
}

for period in 100 0; do
  write_profile WindowPosX=0 WindowPosY=0 WindowWidth=400 WindowHeight=400 MenuVisible=0 TimerPeriod=$period
  start_program
  window=$(wait_for_window "A320 CFM E/WD")
  sleep 0.5

  # No simulator runs: the page is black with the not-connected screen's red
  # boxes at the top.
  red=$(pixels_of "$window" "#FF0000")
  black=$(pixels_of "$window" "#000000")
  [ "$red" -gt 1000 ] || fail "period $period: the window shows $red red pixels, not the not-connected boxes"
  [ "$black" -gt 100000 ] || fail "period $period: the window shows $black black pixels, not the black page"

  if grep -E "libGL|_dri\.so|libLLVM" "/proc/$program_pid/maps" >/dev/null; then
    fail "period $period: a GL driver is mapped: $(grep -oE "[^/ ]*(libGL|_dri\.so|libLLVM)[^ ]*" "/proc/$program_pid/maps" | sort -u | tr '\n' ' ')"
  fi

  kill -TERM "$program_pid"
  wait_for_exit
done
echo "window frames: ok"
