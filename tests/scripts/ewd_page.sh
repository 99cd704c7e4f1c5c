#!/usr/bin/env bash
# The E/WD page end to end: tarnex-sim holds a situation still, tarnex takes a
# snapshot of it with the shipped layout, and the draw log shows the messages,
# their colours and the flap configuration the situation calls for. The IAE
# layout, given with --layout, shows the demo flight's EPR as it changes.
source "$(dirname "$0")/sim_steps.bash"

green='#FF00FF00'
amber='#FFFF9600'
red='#FFFF0000'

# A powered A320 at the gate: two engines, 6,700 lb in each wing tank, on the
# ground, no pushback, strobe on, autopilot engaged, autobrake off.
aircraft=(
  --set 0x0AEC:u16=2 --set 0x0AF4:u16=1715
  --set 0x0B7C:u32=8388608 --set 0x0B80:u32=1000
  --set 0x0B94:u32=8388608 --set 0x0B98:u32=1000
  --set 0x0366:u16=1 --set 0x31F0:u32=3 --set 0x0D0C:u16=16
  --set 0x07BC:u32=1 --set 0x2F80:u8=1
)

# page NAME SIM-ARGS...: the draw log of one snapshot of that situation.
# TARNEX_ARGS adds arguments to tarnex.
page() {
  local name=$1; shift
  export FSUIPC_IPC_DIR="$work/ipc-$name"
  start_sim "$@"
  # From the work directory, so no layout file beside it replaces the shipped one.
  # shellcheck disable=SC2086
  (cd "$work" && "$tarnex" --snapshot "$work/$name.png" --draw-log "$work/$name.log" ${TARNEX_ARGS:-}) \
    || fail "the snapshot of $name failed"
  kill "$server"; wait "$server" 2>/dev/null || true; server=
  [ -s "$work/$name.png" ] || fail "no picture for $name"
}

# expect_text NAME TEXT COLOUR [STYLE]: the log draws TEXT in that colour.
expect_text() {
  local name=$1 text=$2 colour=$3 style=${4:-0}
  grep -qF "\"$text\" font=\"Arial\"" "$work/$name.log" || fail "$name: \"$text\" is not drawn"
  grep -F "\"$text\" font=\"Arial\"" "$work/$name.log" | grep -qF "style=$style brush=$colour" \
    || fail "$name: \"$text\" is not drawn in $colour style $style: $(grep -F "\"$text\"" "$work/$name.log")"
}
expect_no_text() {
  ! grep -qF "\"$2\"" "$work/$1.log" || fail "$1: \"$2\" is drawn"
}

# Parked with the engines at idle: the parking brake is a green memo, and
# nothing else is said.
page parked --scenario static "${aircraft[@]}" --set 0x0BC8:u32=1 --set 0x2000:f64=20 --set 0x2100:f64=20
expect_text parked "PARK BRK" "$green"
expect_no_text parked "A/P OFF"
expect_no_text parked "LAND ASAP"
# Fuel on board: "FOB :" white, 13,400 lb (6,078 kg, shown in tens) green,
# "KG" cyan.
expect_text parked "FOB :" '#FFFFFFFF'
expect_text parked "6070" "$green"

# Fuel a scenario gives in round figures is what the page shows: 2,500 kg in
# each wing tank is "5000", not 4990.
printf '0 engines=2 on_ground=1 fuel_left_main=2500 fuel_right_main=2500 n1=20\n' >"$work/round-fuel.txt"
page round-fuel --scenario "$work/round-fuel.txt" --seconds-per-exchange 0
expect_text round-fuel "5000" "$green"
expect_text parked "KG" '#FF00FFFF'

# Running up with the parking brake set turns it amber.
page runup --scenario static "${aircraft[@]}" --set 0x0BC8:u32=1 --set 0x2000:f64=85 --set 0x2100:f64=20
expect_text runup "PARK BRK" "$amber"

# Flap lever at detent 2 with slats at 18 and flaps at 10: "1+F", settled.
page flaps --scenario static "${aircraft[@]}" --set 0x0BDC:u32=6554 --set 0x30F0:u16=2560 --set 0x30F8:u16=4608
expect_text flaps "1+F" "$green"
expect_text flaps "FLAP" '#FFFFFFFF'
# The flaps still travelling to 10: the label takes the handle colour.
page flaps-travelling --scenario static "${aircraft[@]}" --set 0x0BDC:u32=6554 --set 0x30F0:u16=1280 --set 0x30F8:u16=4608
expect_text flaps-travelling "1+F" '#FF00FFFF'

# The full flap indicator on the demo's approach, slats and flaps on their way
# from configuration 2 to 3 (the label, cyan, says 2 until they are there),
# with the alpha lock that an aircraft file reads: the dot
# each surface goes to in cyan, the other five white, and "A LOCK" green (a
# held moment is the first of the pulse, which starts bright).
{ cat "$TARNEX_SOURCE_DIR/layouts/a320cfm.ini"; printf 'FlapIndicatorMode=FULL\n'; } >"$work/full-flaps.ini"
printf '[SlatAlphaLock]\noffset = 0x66C8\ntype = u8\n' >"$work/alpha-lock.ini"
export TARNEX_ARGS="--layout $work/full-flaps.ini --aircraft $work/alpha-lock.ini"
page full-flaps --scenario demo --at 396 --seconds-per-exchange 0 --set 0x66C8:u8=1
unset TARNEX_ARGS
expect_text full-flaps "2" '#FF00FFFF'
expect_text full-flaps "A LOCK" "$green"
dots() { grep -c "^ellipse .* brush=$2\$" "$work/$1.log" || true; }
[ "$(dots full-flaps '#FF00FFFF')" -eq 2 ] && [ "$(dots full-flaps '#FFFFFFFF')" -eq 5 ] \
  || fail "full-flaps: not two cyan target dots among five white ones: $(grep '^ellipse' "$work/full-flaps.log")"

# Autobrake at maximum.
page autobrake --scenario static "${aircraft[@]}" --set 0x2F80:u8=5
expect_text autobrake "AUTO BRK MAX" "$green"

# Airborne with empty wing tanks: the red fuel warning with its underlined
# title, and the request to land.
page nofuel --scenario static --set 0x0AEC:u16=2 --set 0x0AF4:u16=1715 --set 0x31F0:u32=3 --set 0x0D0C:u16=16 \
  --set 0x07BC:u32=1 --set 0x2F80:u8=1 --set 0x2000:f64=80 --set 0x2100:f64=80
expect_text nofuel "FUEL" "$red" 4
expect_text nofuel " L + R WING TK LO LVL" "$red"
expect_text nofuel "LAND ASAP" "$red"
expect_no_text nofuel " L WING TK LO LVL"

# The IAE layout against the demo flight, taxiing (EPR 1.0, N1 21 %) and in
# cruise (EPR 1.33, N1 80 %): three-decimal EPR readouts that follow the
# flight, N1 as digits, and the commanded EPR mark beside each EPR needle.
export TARNEX_ARGS="--layout $TARNEX_SOURCE_DIR/layouts/a320iae.ini"
page iae-taxi --scenario demo --at 120 --seconds-per-exchange 0
page iae-cruise --scenario demo --at 340 --seconds-per-exchange 0
unset TARNEX_ARGS
for name in iae-taxi iae-cruise; do
  expect_text "$name" "EPR" '#FFFFFFFF'
  expect_no_text "$name" "FOB : "
done
[ "$(grep -cF '"1.000" font="Arial"' "$work/iae-taxi.log")" -eq 2 ] || fail "iae-taxi: not two EPR readouts of 1.000"
[ "$(grep -cF '"1.330" font="Arial"' "$work/iae-cruise.log")" -eq 2 ] || fail "iae-cruise: not two EPR readouts of 1.330"
expect_text iae-taxi "21.0" "$green"
expect_text iae-cruise "80.0" "$green"
# Each engine's dials draw their needles with the needle pens (green, red
# in danger): EPR, the commanded EPR mark and EGT, six lines for two engines.
needles() { grep -E '^line .* pen=#FF(00FF00|FF0000)/4.00$' "$work/$1.log"; }
for name in iae-taxi iae-cruise; do
  [ "$(needles "$name" | wc -l)" -eq 6 ] || fail "$name: not six needles and marks: $(needles "$name")"
done
cmp -s <(needles iae-taxi) <(needles iae-cruise) && fail "the EPR needles and commanded EPR marks did not move"

# A simulator still loading reports no engines at first: the page shows the
# engines once it reports them, a tenth of a scenario second per frame.
printf '0 engines=0 n1=50 n2=60 on_ground=1\n1.0 engines=2\n' >"$work/late-engines.txt"
export TARNEX_ARGS="--frames 20"
page late-engines --scenario "$work/late-engines.txt" --seconds-per-exchange 0.1
unset TARNEX_ARGS
[ "$(grep -cF '"50.0" font="Arial"' "$work/late-engines.log")" -eq 2 ] || fail "late-engines: not two N1 readouts of 50.0"

# The full page's N1 exceedance, with the shipped layout and its peak mark:
# N1 above the red line (104 %) turns the digits red, and a red mark stays
# at the highest N1 once N1 falls back.
{ cat "$TARNEX_SOURCE_DIR/layouts/a320cfm.ini"; printf 'N1PeakMark=14\n'; } >"$work/peaks.ini"
peak_marks() { grep -cE '^line .* pen=#FFFF0000/5.00$' "$work/$1.log" || true; }
export TARNEX_ARGS="--layout $work/peaks.ini"
page n1-over --scenario static "${aircraft[@]}" --set 0x2000:f64=106 --set 0x2100:f64=106
printf '0 engines=2 on_ground=1 n1=106 n2=95 egt=700\n0.5 n1=106\n1.5 n1=80\n' >"$work/n1-over.txt"
export TARNEX_ARGS="--layout $work/peaks.ini --frames 30"
page n1-fallen --scenario "$work/n1-over.txt" --seconds-per-exchange 0.1
unset TARNEX_ARGS
expect_text n1-over "106.0" "$red"
[ "$(peak_marks n1-over)" -eq 2 ] || fail "n1-over: not a peak mark per engine"
expect_text n1-fallen "80.0" "$green"
[ "$(peak_marks n1-fallen)" -eq 2 ] || fail "n1-fallen: the peak marks went with the exceedance"
cmp -s <(grep -E '^line .* pen=#FFFF0000/5.00$' "$work/n1-over.log") <(grep -E '^line .* pen=#FFFF0000/5.00$' "$work/n1-fallen.log") \
  || fail "the peak marks moved as N1 fell"
# Without the key the same moment draws no mark.
page n1-plain --scenario static "${aircraft[@]}" --set 0x2000:f64=106 --set 0x2100:f64=106
[ "$(peak_marks n1-plain)" -eq 0 ] || fail "n1-plain: a peak mark without N1PeakMark"

# Every parameter-table row reads its own value (but TotalFuel, the tanks'
# sum, and CEPR, worked out from N1): a text gauge bound to each row draws
# what tarnex-sim serves at the row's offset, in pounds or
# kilograms by the layout's units. The aircraft file moves OilTemp to a
# user offset and gives ApuEGT, which has no standard offset.
rows=(
  # ROW  --set...  US-TEXT  METRIC-TEXT  SCENARIO-VALUES
  "N1 0x2000:f64=85.5 85.50 85.50 n1=85.5"
  "N2 0x2008:f64=95.25 95.25 95.25 n2=95.25"
  "EPR 0x2030:f64=1.25 1.25 1.25 epr=1.25"
  "EGT 0x08BE:u16=8192 430.00 430.00 egt=430"
  "FF 0x0918:f64=1000 1000.00 453.60 ff=453.6"
  "Torque 0x08F4:s32=8192 50.00 50.00 torque=50"
  "ITT 0x08F0:s32=9830400 600.00 600.00 itt=600"
  "OilQty 0x08D0:u32=12288 15.00 15.00 oil_qty=15"
  "OilPress 0x08BA:u16=8192 27.50 27.50 oil_press=27.5"
  "OilTemp 0x66C4:s16=-40 -20.00 -20.00 oil_temp=-20"
  "Vib 0x08D4:u32=4096 1.25 1.25 vib=1.25"
  "HydPress 0x08D8:u32=12000 3000.00 3000.00 hyd_press=3000"
  "HydQty 0x08DC:u32=12288 75.00 75.00 hyd_qty=75"
  "LeftFuel 0x0B7C:u32=8388608,0x0B80:u32=256 1715.00 777.92 fuel_left_main=700,fuel_left_aux=77.92"
  "RightFuel 0x0B94:u32=8388608,0x0B98:u32=512 3430.00 1555.85 fuel_right_main=1555.85"
  "CenterFuel 0x0B74:u32=8388608,0x0B78:u32=128 857.50 388.96 fuel_centre=388.96"
  "FlapHandle 0x0BDC:u32=16383 100.00 100.00 flap_detent=5"
  "FlapAngle 0x30F0:u16=2560 10.00 10.00 flap_angle=10"
  "SlatAngle 0x30F8:u16=4608 18.00 18.00 slat_angle=18"
  "ApuRPM 0x0B54:f32=99.5 99.50 99.50 apu_n=99.5"
  "ApuEGT 0x66C0:f32=412.5 412.50 412.50 apu_egt=412.5"
)
printf '[ApuEGT]\noffset = 0x66C0\ntype = f32\n[OilTemp]\noffset = 0x66C4\nstride = 2\ntype = s16\nscale = 0.5\n' >"$work/aircraft.ini"
served=(--set 0x0AEC:u16=2 --set 0x0AF4:u16=1715)
printf '[EICAS]\n' >"$work/rows.ini"
y=0
for row in "${rows[@]}"; do
  read -r name sets _ _ _ <<<"$row"
  for set in ${sets//,/ }; do served+=(--set "$set"); done
  printf '%sDisplayType=TEXT\n%sBox=0,%s,400,%s\n%sMax=100000\n%sDecimals=2\n' \
    "$name" "$name" "$y" $((y + 40)) "$name" "$name" >>"$work/rows.ini"
  y=$((y + 50))
done
{ cat "$work/rows.ini"; printf 'Units=METRIC\n'; } >"$work/rows-metric.ini"
for units in us metric; do
  layout="$work/rows.ini"; [ "$units" = us ] || layout="$work/rows-metric.ini"
  export TARNEX_ARGS="--layout $layout --aircraft $work/aircraft.ini --frames 4"
  page "rows-$units" --scenario static "${served[@]}"
  unset TARNEX_ARGS
  for row in "${rows[@]}"; do
    read -r name _ us metric _ <<<"$row"
    text=$us; [ "$units" = us ] || text=$metric
    grep -qF "\"$text\" font=" "$work/rows-$units.log" || fail "rows-$units: $name does not draw $text"
  done
done
# The same rows flown by tarnex-sim from the named values of a scenario, with
# the aircraft file given to both programs: the stand-in serves each value
# where, and as, the display reads it.
flown="0 engines=2"
for row in "${rows[@]}"; do
  read -r _ _ _ _ values <<<"$row"
  flown+=" ${values//,/ }"
done
printf '%s\n' "$flown" >"$work/flown.txt"
export TARNEX_ARGS="--layout $work/rows-metric.ini --aircraft $work/aircraft.ini --frames 4"
page rows-flown --scenario "$work/flown.txt" --aircraft "$work/aircraft.ini" --seconds-per-exchange 0
unset TARNEX_ARGS
for row in "${rows[@]}"; do
  read -r name _ _ metric _ <<<"$row"
  grep -qF "\"$metric\" font=" "$work/rows-flown.log" || fail "rows-flown: $name does not draw $metric"
done

# Without the aircraft file: OilTemp at its standard offset (nothing served
# there: 0), and ApuEGT not available, drawn as 0.
export TARNEX_ARGS="--layout $work/rows.ini --frames 4"
page rows-standard --scenario static "${served[@]}" --set 0x08B8:u16=8192
unset TARNEX_ARGS
grep -qF '"70.00" font=' "$work/rows-standard.log" || fail "rows-standard: OilTemp does not read its standard offset"
expect_no_text rows-standard "412.50"

# The full page along the demo flight, read through the FSUIPC7 aircraft file
# (the thrust limit, flex temperature and auto-thrust at user offsets, served
# there by tarnex-sim). fly NAME FROM STEP FRAMES: the display flies the demo
# from FROM in FRAMES frames of STEP demo seconds, the last at
# FROM + (FRAMES - 1) x STEP, so whatever waits or lasts on simulator time
# has run as in flight.
cyan='#FF00FFFF'
magenta='#FFFF00FF'
a32nx="$TARNEX_SOURCE_DIR/aircraft/a32nx-fsuipc7.ini"
fly() {
  local name=$1 from=$2 step=$3 frames=$4
  export TARNEX_ARGS="--layout $TARNEX_SOURCE_DIR/layouts/a320cfm.ini --aircraft $a32nx --frames $frames"
  page "$name" --scenario demo --at "$from" --seconds-per-exchange "$step" --aircraft "$a32nx"
  unset TARNEX_ARGS
}
count() { grep -cE "$2" "$work/$1.log" || true; }

# At the gate: signs on, the APU running, FLX 58 entered, no engine yet.
fly gate 10 0 1
for memo in "SEAT BELTS" "NO SMOKING" "APU AVAIL"; do expect_text gate "$memo" "$green"; done
expect_text gate "FLX" "$cyan"
expect_text gate "+58°C" "$cyan"
expect_text gate "85.8" "$green"
expect_no_text gate "AVAIL"
# Engine 2 starting (70-80 s): its N2 on grey, the amber EGT start-limit mark.
fly start2 70 0.1 101
[ "$(count start2 '^fillrect .* brush=#FF646464$')" -eq 1 ] || fail "start2: not one N2 on grey"
[ "$(count start2 '^line .* pen=#FFFF9600/5.00$')" -ge 1 ] || fail "start2: no amber EGT mark"
# Its start ends at 92 s: AVAIL over its N1 readout for 10 s, then gone.
fly avail 70 0.1 271
expect_text avail "AVAIL" "$green"
fly avail-gone 70 0.1 341
expect_no_text avail-gone "AVAIL"
# Two minutes after both engines run, the T.O memo: actions in cyan, then
# green as the crew arms the spoilers and sets flaps and autobrake (200 s).
fly to-memo 60 0.5 271
expect_text to-memo " AUTO BRK" "$green"
expect_text to-memo "MAX" "$cyan"
expect_text to-memo "ARM" "$cyan"
fly to-memo-done 60 0.5 311
for line in " AUTO BRK MAX" " SPLRS ARM" " FLAPS T.O"; do expect_text to-memo-done "$line" "$green"; done
# The flex take-off roll: T.O INHIBIT, the memo gone, FLX with its limit and
# temperature, and each lever's circle at the N1 it commands: on the line of
# the needle, which shows that N1.
fly roll 250 0.1 151
expect_text roll "T.O INHIBIT" "$magenta"
expect_no_text roll " AUTO BRK MAX"
expect_text roll "FLX" "$cyan"
expect_text roll "+58°C" "$cyan"
awk '/^line 150.00 130.00 .* pen=#FF00FF00\/4.00$/ { needle = atan2($5 - 130, $4 - 150) }
     /^arc .* 0.00 360.00 pen=#FF00FFFF\/3.00$/ && !circle { circle = atan2($3 + $5 / 2 - 130, $2 + $4 / 2 - 150) }
     END { d = needle - circle; exit !(circle != "" && d * d < 1e-4) }' "$work/roll.log" \
  || fail "roll: the lever circle is not at engine 1's N1"
# After thrust reduction: CL and its limit; idle descent: IDLE.
fly climb 290 0.1 101
expect_text climb "CL" "$cyan"
expect_text climb "89.5" "$green"
fly descent 355 0.1 71
expect_text descent "IDLE" "$green"
# Below 2000 ft the LDG memo, gear then flaps done in turn.
fly ldg 380 0.1 101
expect_text ldg " GEAR" "$green"
expect_text ldg "DN" "$cyan"
fly ldg-gear 380 0.1 171
expect_text ldg-gear " GEAR DN" "$green"
expect_text ldg-gear "FULL" "$cyan"
fly ldg-flaps 380 0.1 271
expect_text ldg-flaps " FLAPS FULL" "$green"
# The landing roll: LDG INHIBIT, MREV, REV amber while the doors move, then
# green; taxiing in, the memos of the landing are gone.
fly reversers 428 0.1 61
expect_text reversers "LDG INHIBIT" "$magenta"
expect_text reversers "MREV" "$cyan"
expect_text reversers "REV" "$amber"
fly reversed 428 0.1 121
expect_text reversed "REV" "$green"
fly taxi-in 450 0.5 21
expect_no_text taxi-in "LDG INHIBIT"
expect_no_text taxi-in " GEAR DN"

# Without the aircraft's thrust data (standard offsets): amber XX for the
# limit, the mode still from the levers (the FLX/MCT detent, no flex
# temperature: MCT).
export TARNEX_ARGS="--layout $TARNEX_SOURCE_DIR/layouts/a320cfm.ini"
page roll-standard --scenario demo --at 265 --seconds-per-exchange 0
unset TARNEX_ARGS
expect_text roll-standard "MCT" "$cyan"
expect_text roll-standard "XX" "$amber"

# EGT and N2 above their red lines: red digits, and the red EGT peak mark and
# N2 cross stay once both fall back.
printf '0 engines=2 on_ground=1 n1=90 n2=107 egt=1000\n0.5 n2=107 egt=1000\n1.5 n2=95 egt=800\n' >"$work/hot.txt"
export TARNEX_ARGS="--layout $TARNEX_SOURCE_DIR/layouts/a320cfm.ini --frames 30"
page hot --scenario "$work/hot.txt" --seconds-per-exchange 0
page cooled --scenario "$work/hot.txt" --seconds-per-exchange 0.1
unset TARNEX_ARGS
expect_text hot "1000" "$red"
expect_text hot "107.0" "$red"
expect_text cooled "800" "$green"
expect_text cooled "95.0" "$green"
# (The marks and crosses, not the red needles: 2 and 5 wide, not 4.)
marks='^line .* pen=#FFFF0000/[25].00$'
cmp -s <(grep -E "$marks" "$work/hot.log") <(grep -E "$marks" "$work/cooled.log") \
  || fail "the EGT peak marks and N2 crosses did not stay as EGT and N2 fell"
[ "$(count cooled "$marks")" -eq 6 ] || fail "cooled: not an EGT peak mark and an N2 cross per engine"

# The warning computer's take-off and landing warnings, from keyframe files
# held still: flaps at 0 at take-off power on the ground give CONFIG, which
# cannot first appear in flight; gear up below 750 ft without take-off power
# gives L/G GEAR NOT DOWN, which take-off power inhibits.
powered="engines=2 n2=95 egt=700 ff=2000 fuel_left_main=5000 fuel_right_main=5000 strobe=1 autobrake=1"
warning_page() {
  local name=$1; shift
  printf '0 %s %s\n' "$powered" "$*" >"$work/$name.txt"
  export TARNEX_ARGS="--layout $TARNEX_SOURCE_DIR/layouts/a320cfm.ini --frames 10"
  page "$name" --scenario "$work/$name.txt" --seconds-per-exchange 0
  unset TARNEX_ARGS
}
warning_page config on_ground=1 n1=85 throttle_lever=100 flap_detent=0 indicated_airspeed=30 radio_altitude=0 gear_lever=1 gear_position=1
expect_text config "CONFIG" "$red" 4
expect_text config " FLAPS NOT IN T.O CONFIG" "$red"
warning_page config-airborne on_ground=0 n1=85 throttle_lever=100 flap_detent=0 indicated_airspeed=200 radio_altitude=3000 gear_lever=1 gear_position=1
expect_no_text config-airborne " FLAPS NOT IN T.O CONFIG"
warning_page gear-up on_ground=0 n1=40 throttle_lever=30 flap_detent=3 indicated_airspeed=150 radio_altitude=600 gear_lever=0 gear_position=0
expect_text gear-up "L/G" "$red" 4
expect_text gear-up " GEAR NOT DOWN" "$red"
warning_page gear-up-at-toga on_ground=0 n1=85 throttle_lever=100 flap_detent=2 indicated_airspeed=170 radio_altitude=600 gear_lever=0 gear_position=0
expect_no_text gear-up-at-toga " GEAR NOT DOWN"

echo "E/WD page: ok"
