#!/usr/bin/env bash
# tarnex-layout lint-aircraft: silent and 0 on the shipped aircraft files,
# one FILE:LINE: message per problem and 1 on bad ones, across several files.
set -euo pipefail
tool="$TARNEX_BUILD_DIR/tools/layout/tarnex-layout"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tool" lint-aircraft "$TARNEX_SOURCE_DIR"/aircraft/*.ini >"$work/out" 2>&1 || fail "the shipped aircraft files: $(cat "$work/out")"
[ ! -s "$work/out" ] || fail "lint-aircraft spoke about the shipped files: $(cat "$work/out")"

printf '[OilPres]\noffset = 0x66C0\ntype = u8\n' >"$work/one.ini"
printf '; fine so far\n[FlexTemp]\noffset = 0xFFFF\ntype = f32\n' >"$work/two.ini"
status=0
"$tool" lint-aircraft "$work/one.ini" "$work/missing.ini" "$work/two.ini" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "lint-aircraft of bad files exited $status"
[ ! -s "$work/err" ] || fail "lint-aircraft wrote to stderr: $(cat "$work/err")"
diff - "$work/out" <<OUT || fail "lint-aircraft said the above"
$work/one.ini:1: unknown value "OilPres"; did you mean "OilPress"?
$work/missing.ini: cannot be read.
$work/two.ini:3: offset 0xFFFF with type f32 ends beyond the 64 KiB offset space (0x0000 to 0xFFFF).
OUT
echo "aircraft lint: ok"
