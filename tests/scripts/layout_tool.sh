#!/usr/bin/env bash
# tarnex-layout: pack and unpack give back the input byte for byte; damaged
# files fail with the program's own error text; usage errors are one sentence.
set -euo pipefail
tool="$TARNEX_BUILD_DIR/tools/layout/tarnex-layout"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# expect_failure STATUS "STDERR" COMMAND...: the command exits with STATUS and
# prints exactly STDERR.
expect_failure() {
    local want_status=$1 want_err=$2 status=0
    shift 2
    "$@" >out.txt 2>err.txt || status=$?
    [ "$status" -eq "$want_status" ] || fail "$* exited $status, expected $want_status"
    [ "$(cat err.txt)" = "$want_err" ] || fail "$* said '$(cat err.txt)', expected '$want_err'"
    [ ! -s out.txt ] || fail "$* wrote to stdout: $(cat out.txt)"
}

# Round trips: the shipped layout, every byte value, CRLF without a final
# newline, and an empty layout.
cp "$TARNEX_SOURCE_DIR/layouts/a320cfm.ini" shipped.ini
printf '[EICAS]\r\nSizeX=1000\r\nTitle=N1_\260C' > crlf.ini
for i in $(seq 0 255); do printf "\\$(printf %o "$i")"; done > bytes.ini
: > empty.ini
for layout in shipped crlf bytes empty; do
    "$tool" pack "$layout.ini" "$layout.bin"
    [ "$(stat -c %s "$layout.bin")" -eq $(( $(stat -c %s "$layout.ini") + 2 )) ] || fail "$layout.bin has the wrong size"
    cmp -s "$layout.ini" "$layout.bin" && fail "$layout.bin is not scrambled"
    "$tool" check "$layout.bin" >check.txt
    grep -q "intact" check.txt || fail "check of $layout.bin said: $(cat check.txt)"
    "$tool" unpack "$layout.bin" "$layout.out"
    cmp "$layout.ini" "$layout.out" || fail "$layout did not round-trip"
done

# The build packs the same bytes.
cmp shipped.bin "$TARNEX_BUILD_DIR/layouts/a320cfm.bin" || fail "the build packed the layout differently"

# Damaged files.
last=$(( $(stat -c %s shipped.bin) - 1 ))
byte=$(od -An -tu1 -j "$last" -N1 shipped.bin)
cp shipped.bin altered.bin
printf "\\$(printf %o $(( byte ^ 1 )))" | dd of=altered.bin bs=1 seek="$last" conv=notrunc 2>/dev/null
cmp -s altered.bin shipped.bin && fail "altering the last byte did not work"
head -c $(( $(stat -c %s shipped.bin) - 1 )) shipped.bin > truncated.bin
: > empty.bin
printf 'x' > one.bin
{ cat shipped.bin; head -c 40960 /dev/zero; } > oversized.bin
for damaged in altered truncated empty one oversized; do
    expect_failure 1 "Checksum Error" "$tool" check "$damaged.bin"
    expect_failure 1 "Checksum Error" "$tool" unpack "$damaged.bin" "$damaged.unpacked"
    [ ! -e "$damaged.unpacked" ] || fail "unpack of $damaged.bin left an output file"
done

# A layout too large to pack, and files that are not there.
head -c 40959 /dev/zero | tr '\0' 'x' > huge.ini
expect_failure 1 "huge.ini holds 40959 bytes; a layout may hold at most 40958." "$tool" pack huge.ini huge.bin
[ ! -e huge.bin ] || fail "a refused pack left an output file"
expect_failure 1 "Cannot read missing.ini." "$tool" pack missing.ini out.bin
expect_failure 1 "Cannot open missing.bin: no such file." "$tool" check missing.bin
expect_failure 1 "Cannot write no-such-dir/out.bin." "$tool" pack shipped.ini no-such-dir/out.bin
# A FIFO is no layout file: refused at once, never waited on.
mkfifo fifo.bin
expect_failure 1 "Unable to read fifo.bin" timeout 60 "$tool" check fifo.bin

# Usage errors.
usage="Usage: tarnex-layout pack IN.ini OUT.bin | unpack IN.bin OUT.ini | check IN.bin."
expect_failure 2 "$usage" "$tool"
expect_failure 2 "$usage" "$tool" frobnicate a b
expect_failure 2 "$usage" "$tool" pack only-one.ini
"$tool" --help | grep -q "^Usage: tarnex-layout" || fail "--help printed no usage"
echo "tarnex-layout: all checks passed"
