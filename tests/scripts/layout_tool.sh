#!/usr/bin/env bash
# tarnex-layout: pack and unpack give back the input byte for byte; damaged
# files fail with the program's own error text; lint finds each kind of
# mistake on its line and passes the shipped layouts; usage errors are one
# sentence.
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
cp "$TARNEX_SOURCE_DIR/layouts/a320cfm-basic.ini" shipped.ini
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
cmp shipped.bin "$TARNEX_BUILD_DIR/layouts/a320cfm-basic.bin" || fail "the build packed the layout differently"

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
expect_failure 1 "Cannot read missing.ini: no such file." "$tool" pack missing.ini out.bin
expect_failure 1 "Cannot open missing.bin: no such file." "$tool" check missing.bin
expect_failure 1 "Cannot write no-such-dir/out.bin." "$tool" pack shipped.ini no-such-dir/out.bin
# A FIFO is no layout file: refused at once, never waited on.
mkfifo fifo.bin
expect_failure 1 "Unable to read fifo.bin" timeout 60 "$tool" check fifo.bin
# Neither is a FIFO or an endless device a plain layout: one sentence, at once.
not_regular="it is not a regular file, and a pipe or a device could block or never end."
for special in fifo.bin /dev/zero; do
    expect_failure 1 "Cannot read $special: $not_regular" timeout 60 "$tool" lint "$special"
    expect_failure 1 "Cannot read $special: $not_regular" timeout 60 "$tool" pack "$special" special.bin
done

# lint: the shipped layouts, plain and packed, are clean.
for layout in a320cfm-basic a320cfm a320iae; do
    cp "$TARNEX_SOURCE_DIR/layouts/$layout.ini" "$layout.ini"
    "$tool" pack "$layout.ini" "$layout.bin"
    for file in "$layout.ini" "$layout.bin"; do
        status=0
        "$tool" lint "$file" >lint.txt 2>&1 || status=$?
        [ "$status" -eq 0 ] && [ ! -s lint.txt ] || fail "lint of $file exited $status: $(cat lint.txt)"
    done
done

# One of each mistake, each reported on its own line, in line order; the
# packed form names the same lines.
cat > mistakes.ini <<'LAYOUT'
Units=METRIC
[EICAS]
; a comment is not a key
N1TickIntervall=10
N1Max=abc
N1DisplayType=QUADRANTE
LabelColor=WHIT
ForegroundColor=255,300,0
N1Box=300,40,100,220
EGTBox=20,260,540,1420
InfoSATPosition=1200,50
DigitFontSize=0
N2DisplayType=BAR
N2Min=50
N2Max=50
EGTDisplayType=RING
EGTMax=1000
EGTTickInterval=0.05
N1Frame=maybe
N1Max=110
Line0=0-400-560
FFDisplayType=TEXT
FFValueOffset=0,10
SeperatorY=700
FlapIndicatorScale=0
AlphaLockOffset=40,200
ThrustLeverN1=0:19,50:80,40:70
AvailOfset=0,40
[EICAS]
SizeX=2000
[EICSA]
N1Max=5
N2Max=5
LAYOUT
cat > mistakes.expected <<'EXPECTED'
mistakes.ini:1: key Units is outside [EICAS]; Tarnex reads only that section
mistakes.ini:4: unknown key N1TickIntervall; did you mean N1TickInterval?
mistakes.ini:5: N1Max=abc is not a number; it reads as 0
mistakes.ini:6: N1DisplayType=QUADRANTE is not one of NONE, QUADRANT, RING, BAR, STACK, TEXT; the default is kept
mistakes.ini:7: LabelColor=WHIT is neither a colour (BLACK, WHITE, GREY, RED, GREEN, BLUE, CYAN, YELLOW, MAGENTA, AMBER, TRANSPARENT) nor red,green,blue from 0 to 255
mistakes.ini:8: ForegroundColor=255,300,0 is neither a colour (BLACK, WHITE, GREY, RED, GREEN, BLUE, CYAN, YELLOW, MAGENTA, AMBER, TRANSPARENT) nor red,green,blue from 0 to 255
mistakes.ini:9: N1Box=300,40,100,220: the right edge 100 is not beyond the left edge 300
mistakes.ini:10: EGTBox=20,260,540,1420 is outside the 1000 x 1000 page
mistakes.ini:11: InfoSATPosition=1200,50 is outside the 1000 x 1000 page
mistakes.ini:12: DigitFontSize=0 is not a font size; a size must be above 0
mistakes.ini:15: N2Max equals N2Min (50); the scale cannot be drawn
mistakes.ini:18: EGTTickInterval=0.05 needs 20001 ticks; a scale draws at most 10000
mistakes.ini:19: N1Frame=maybe is not one of YES, TRUE, 1, ON, NO, FALSE, 0, OFF; the default is kept
mistakes.ini:20: N1Max is given again; the first one, on line 5, wins
mistakes.ini:21: Line0=0-400-560 needs four numbers separated by '-'
mistakes.ini:23: FFValueOffset has no effect on a TEXT gauge
mistakes.ini:24: unknown key SeperatorY; did you mean SeparatorY?
mistakes.ini:25: FlapIndicatorScale=0 is not a scale above 0; the default is kept
mistakes.ini:26: AlphaLockOffset has no effect unless FlapIndicatorMode=FULL
mistakes.ini:27: ThrustLeverN1=0:19,50:80,40:70: x does not rise at 40:70 (pairs x:y separated by ',', x rising); the table is not used
mistakes.ini:28: unknown key AvailOfset; did you mean AvailOffset?
mistakes.ini:29: [EICAS] is given again (first on line 2); only the first one is read
mistakes.ini:31: section [EICSA] is never read; did you mean [EICAS]?
EXPECTED
status=0
"$tool" lint mistakes.ini >lint.txt 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "lint of mistakes.ini exited $status, expected 1"
diff mistakes.expected lint.txt >&2 || fail "lint of mistakes.ini reported otherwise than expected"
"$tool" pack mistakes.ini mistakes.bin
status=0
"$tool" lint mistakes.bin >lint.txt 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "lint of mistakes.bin exited $status, expected 1"
sed 's/^mistakes\.ini:/mistakes.bin:/' mistakes.expected | diff - lint.txt >&2 || fail "lint of mistakes.bin reported other lines"
# Several files at once: every problem of each, clean files silent.
status=0
"$tool" lint a320cfm.ini mistakes.ini a320iae.bin >lint.txt 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "lint of three files exited $status, expected 1"
diff mistakes.expected lint.txt >&2 || fail "lint of three files reported otherwise than the one bad file"
status=0
"$tool" lint altered.bin >lint.txt 2>&1 || status=$?
[ "$status" -eq 1 ] && [ "$(cat lint.txt)" = "altered.bin:1: Checksum Error" ] || fail "lint of a damaged file said: $(cat lint.txt)"

# The worked example of docs/layout.md, followed as written on the shipped
# layout: the moves replace their keys' lines, the typo replaces the line
# that holds its value, and lint says exactly what the example shows.
doc="$TARNEX_SOURCE_DIR/docs/layout.md"
example() {
    awk -v mark="<!-- example: $1 -->" 'index($0, mark) { found = 1; next }
        found && /```/ { if (inside) exit; inside = 1; next }
        inside { sub(/^ +/, ""); print }' "$doc"
}
cp "$TARNEX_SOURCE_DIR/layouts/a320cfm-basic.ini" my.ini
while IFS='=' read -r key value; do
    [ "$(grep -c "^$key=" my.ini)" -eq 1 ] || fail "the example moves $key, which the shipped layout does not hold once"
    sed -i "s|^$key=.*|$key=$value|" my.ini
done < <(example move)
typo=$(example typo)
[ "$(grep -c "=${typo#*=}\$" my.ini)" -eq 1 ] || fail "the example's typo $typo matches no single line"
sed -i "s|^[A-Za-z0-9]*=${typo#*=}\$|$typo|" my.ini
example lint > shown.txt
[ "$(head -n 1 shown.txt)" = '$ tarnex-layout lint my.ini' ] || fail "the example's lint command is $(head -n 1 shown.txt)"
"$tool" lint my.ini > lint.txt || true
tail -n +2 shown.txt | diff - lint.txt >&2 || fail "lint of the worked example says otherwise than docs/layout.md"

# Usage errors.
usage="Usage: tarnex-layout pack IN.ini OUT.bin | unpack IN.bin OUT.ini | check IN.bin | lint FILE..."
expect_failure 2 "$usage" "$tool"
expect_failure 2 "$usage" "$tool" frobnicate a b
expect_failure 2 "$usage" "$tool" pack only-one.ini
"$tool" --help >help.txt
grep -q "^Usage: tarnex-layout" help.txt || fail "--help printed no usage"
echo "tarnex-layout: all checks passed"
