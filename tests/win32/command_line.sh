#!/usr/bin/env bash
# tarnex.exe's command line under Wine, as a user types it: a GUI program
# that still answers on standard output and standard error.
set -euo pipefail
: "${TARNEX_BUILD_DIR:?}" "${WINEPREFIX:?set WINEPREFIX to the test prefix}"
export WINEDEBUG=-all
tarnex=$TARNEX_BUILD_DIR/src/platform/win32/tarnex.exe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

version=$(wine "$tarnex" --version)
[ "$version" = "Tarnex Version 1.0" ] || fail "--version printed: $version"

wine "$tarnex" --help >"$work/help"
grep -q -- '--snapshot OUT.png \[--size WxH\] \[--frames N\] \[--draw-log FILE\]' "$work/help" || fail "--help printed: $(cat "$work/help")"

status=0
wine "$tarnex" --frames 2 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -ne 0 ] || fail "--frames without --snapshot was accepted"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "expected one sentence on standard error, got: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "an error also wrote to standard output: $(cat "$work/out")"

# A snapshot of the size asked for, and the one sentence when its folder is missing.
wine "$tarnex" --snapshot "Z:${work//\//\\}\\shot.png" --size 320x200 --frames 1
python3 - "$work/shot.png" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG file'
width, height = struct.unpack('>II', data[16:24])
assert (width, height) == (320, 200), f'PNG is {width}x{height}'
PY
status=0
wine "$tarnex" --snapshot "Z:${work//\//\\}\\missing\\shot.png" --frames 1 2>"$work/err" || status=$?
[ "$status" -ne 0 ] || fail "a snapshot into a missing folder reported success"
grep -q 'Cannot write the snapshot' "$work/err" || fail "unexpected error text: $(cat "$work/err")"

# --aircraft: the display reads an aircraft's own values at FSUIPC's user
# offsets, where tarnex-sim.exe pins them. A text gauge bound to ApuEGT draws
# the float at 0x66C0, one bound to OilTemp the signed word at 0x66C4 (engine
# 1) scaled by a half.
winpath() { echo "Z:${1//\//\\}"; }
printf '[ApuEGT]\r\noffset = 0x66C0\r\ntype = f32\r\n[OilTemp]\r\noffset = 0x66C4\r\nstride = 2\r\ntype = s16\r\nscale = 0.5\r\n' \
  >"$work/aircraft.ini"
printf '[EICAS]\r\nApuEGTDisplayType=TEXT\r\nApuEGTBox=0,0,400,40\r\nApuEGTMax=1000\r\nApuEGTDecimals=1\r\n''OilTempDisplayType=TEXT\r\nOilTempBox=0,100,400,140\r\nOilTempMax=1000\r\nOilTempDecimals=1\r\n' \
  >"$work/rows.ini"
wine "$TARNEX_BUILD_DIR/tests/run_on_private_desktop.exe" \
  --server UIPCMAIN "$(winpath "$TARNEX_BUILD_DIR/tools/sim/tarnex-sim.exe")" \
  --scenario static --set 0x0AEC:u16=2 --set 0x0AF4:u16=1715 --set 0x66C0:f32=412.5 --set 0x66C4:s16=-40 \
  -- "$(winpath "$tarnex")" --snapshot "$(winpath "$work/aircraft.png")" --frames 3 --layout "$(winpath "$work/rows.ini")" \
  --aircraft "$(winpath "$work/aircraft.ini")" --draw-log "$(winpath "$work/aircraft.log")"
grep -qF '"412.5" font=' "$work/aircraft.log" || fail "ApuEGT does not draw the user offset's 412.5: $(grep '^text' "$work/aircraft.log")"
grep -qF '"-20.0" font=' "$work/aircraft.log" || fail "OilTemp does not draw the user offset's -20.0: $(grep '^text' "$work/aircraft.log")"
echo "command line answers as it should"
