#!/usr/bin/env bash
# tarnex's command line: --version, --help, bad arguments, and the snapshot
# with its PNG and its draw log, which must follow the draw-log contract line
# by line. No simulator runs, so the page shows the not-connected screen.
set -euo pipefail
tarnex="$TARNEX_BUILD_DIR/src/platform/linux/tarnex"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" FSUIPC_IPC_DIR="$work/ipc"
unset DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }
# With no simulator every snapshot shows the not-connected page, which is
# still a true picture: it succeeds and says so in this one line.
note="tarnex: no simulator data: Cannot link to FSUIPC or WideClient (No tarnex-sim answers at $FSUIPC_IPC_DIR: start tarnex-sim); the snapshot shows the not-connected page."

[ "$("$tarnex" --version)" = "Tarnex Version 1.0" ] || fail "--version"
# Read from a file: grep -q leaving a pipe early would kill the writer.
"$tarnex" --help >"$work/help.txt"
grep -q -- "--snapshot OUT.png \[--size WxH\] \[--frames N\] \[--draw-log FILE\]" "$work/help.txt" || fail "--help"

# A bad command line: non-zero status, one plain sentence on stderr.
for arguments in "--bogus" "--snapshot" "--snapshot $work/a.png --size 0x10" "--snapshot $work/a.png --frames many" "--frames 2"; do
  status=0
  # shellcheck disable=SC2086
  "$tarnex" $arguments >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -ne 0 ] || fail "\"$arguments\" succeeded"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "\"$arguments\" printed: $(cat "$work/err")"
  grep -q '\.$' "$work/err" || fail "\"$arguments\" is not a sentence: $(cat "$work/err")"
done

# Without a window system: the snapshot of the real pipeline.
(cd "$work" && "$tarnex" --snapshot "$work/frame.png" --size 640x320 --frames 4 --draw-log "$work/frame.log") 2>"$work/err" \
  || fail "snapshot failed: $(cat "$work/err")"
[ "$(cat "$work/err")" = "$note" ] || fail "snapshot complained: $(cat "$work/err")"
[ "$(identify -format '%w %h' "$work/frame.png")" = "640 320" ] || fail "the PNG is not 640x320"
[ ! -e "$XDG_CONFIG_HOME/tarnex/QuorvelEFIS.cfg" ] || fail "the snapshot wrote the user profile"

n='-?[0-9]+\.[0-9]{2}'
c='#[0-9A-F]{8}'
pen="pen=$c/$n(/dash)?"
align='(near|center|far)'
grammar=(
  "^clear $c\$"
  "^line( $n){4} $pen\$"
  "^rect( $n){4} $pen\$"
  "^fillrect( $n){4} brush=$c\$"
  "^arc( $n){6} $pen\$"
  "^pie( $n){6} brush=$c\$"
  "^ellipse( $n){4} brush=$c\$"
  "^polygon( $n $n)+ $pen\$"
  "^text $n $n \"(\\\\.|[^\"\\\\])*\" font=\"[^\"]*\" size=$n style=[0-9]+ brush=$c halign=$align valign=$align\$"
  "^clip( $n){4}\$"
  "^noclip\$"
)
patterns=()
for rule in "${grammar[@]}"; do patterns+=(-e "$rule"); done
if grep -Ev "${patterns[@]}" "$work/frame.log" >"$work/bad"; then
  fail "draw-log lines outside the contract: $(head -n 5 "$work/bad")"
fi
[ "$(head -n 1 "$work/frame.log")" = "clear #FF000000" ] || fail "the frame does not start with a black clear"
grep -qx 'text 500.00 100.00 "Cannot link to FSUIPC or WideClient" font="Arial" size=30.00 style=1 brush=#FFFFFFFF halign=center valign=near' "$work/frame.log" \
  || fail "no link error line"
# Attempts come at most once a second: four quick frames make one to four.
grep -qxE 'text 500.00 150.00 "Attempt #[1-4]" font="Arial" size=30.00 style=1 brush=#FFFFFFFF halign=center valign=near' "$work/frame.log" \
  || fail "no attempt line for the fourth frame"
[ "$(grep -c '^fillrect .* brush=#FFFF0000$' "$work/frame.log")" -ge 2 ] || fail "no red boxes under the not-connected lines"

# A layout that fails to load is reported and the snapshot is taken all the same.
printf 'junk' >"$work/A320CFM.bin"
(cd "$work" && "$tarnex" --snapshot "$work/junk.png" --frames 1) 2>"$work/err" || fail "snapshot without a layout failed"
[ "$(cat "$work/err")" = "Parsing Error: Checksum Error"$'\n'"$note" ] || fail "layout failure reported as: $(cat "$work/err")"
[ -s "$work/junk.png" ] || fail "no PNG without a layout"

# --layout: a plain layout file replaces the one beside it; a file that is
# no layout stops the snapshot with one sentence.
printf '[EICAS]\nUserMessage3Label=PLAIN_LAYOUT\nUserMessage3Position=300,400\n' >"$work/plain.ini"
(cd "$work" && "$tarnex" --snapshot "$work/plain.png" --frames 1 --layout "$work/plain.ini" --draw-log "$work/plain.log") 2>"$work/err" \
  || fail "snapshot with --layout failed: $(cat "$work/err")"
[ "$(cat "$work/err")" = "$note" ] || fail "snapshot with --layout complained: $(cat "$work/err")"
grep -q '^text 300.00 400.00 "PLAIN LAYOUT"' "$work/plain.log" || fail "the plain layout was not used"
# A FIFO would wait for a writer and /dev/zero never ends: both are refused
# at once (timeout stops a hang with a status the loop reports).
mkfifo "$work/fifo.ini"
for bad in "$work/missing.ini" "$work/A320CFM.bin" "$work/fifo.ini" /dev/zero; do
  status=0
  timeout 60 "$tarnex" --snapshot "$work/bad.png" --layout "$bad" 2>"$work/err" || status=$?
  [ "$status" -ne 124 ] || fail "--layout $bad hung"
  [ "$status" -ne 0 ] || fail "--layout $bad succeeded"
  [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "^Cannot use the layout $bad: .*\.$" "$work/err" \
    || fail "--layout $bad reported as: $(cat "$work/err")"
done

# A page a ten-millionth of a unit wide stretches every glyph far beyond
# what FreeType draws, and a huge font would take gigabytes: such pages used
# to freeze on a failed Cairo context. The frames go on, with nothing to
# complain of, and the not-connected boxes still show.
printf '[EICAS]\nSizeX=0.0000001\nLabelFontSize=100000\n' >"$work/thin.ini"
"$TARNEX_BUILD_DIR/tools/layout/tarnex-layout" pack "$work/thin.ini" "$work/A320CFM.bin"
(cd "$work" && "$tarnex" --snapshot "$work/thin.png" --frames 4) 2>"$work/err" || fail "snapshot of a thin page failed"
[ "$(cat "$work/err")" = "$note" ] || fail "the thin page complained: $(cat "$work/err")"
[ "$(convert "$work/thin.png" -format '%[fx:maxima.r]' info:)" = "1" ] || fail "the thin page shows no red"

# An output that cannot be written.
status=0
"$tarnex" --snapshot "$work/missing/frame.png" 2>"$work/err" || status=$?
[ "$status" -ne 0 ] || fail "writing into a missing folder succeeded"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "unwritable PNG reported as: $(cat "$work/err")"
echo "snapshot command line: ok"
