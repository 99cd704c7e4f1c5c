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
echo "command line answers as it should"
