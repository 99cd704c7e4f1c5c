#!/usr/bin/env bash
# Checks the packages scripts/package.sh made, as a user meets them: the .deb
# unpacked into a throw-away folder runs, shows its man pages and passes
# lintian without errors; the .zip holds the programs, the layouts and the
# README.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

deb=$(ls build/packages/tarnex_*.deb 2>/dev/null | head -n 1)
zip=$(ls build/packages/tarnex-*-windows-x64.zip 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb in build/packages; run scripts/package.sh"
[ -n "$zip" ] || fail "no .zip in build/packages; run scripts/package.sh"

# The .deb's dependencies come from its binaries' libraries.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libgtk-3-0 libcairo2 libc6 libstdc++6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
for file in bin/tarnex bin/tarnex-sim bin/tarnex-layout \
    share/tarnex/layouts/a320cfm.ini share/tarnex/layouts/a320iae.ini share/tarnex/aircraft/default.ini share/tarnex/flightgear/Protocol/tarnex.xml \
    share/applications/tarnex.desktop share/doc/tarnex/copyright \
    share/icons/hicolor/16x16/apps/tarnex.png share/icons/hicolor/32x32/apps/tarnex.png \
    share/icons/hicolor/48x48/apps/tarnex.png; do
  [ -e "$usr/$file" ] || fail "the .deb lacks /usr/$file"
done
[ "$(identify -format '%w' "$usr/share/icons/hicolor/48x48/apps/tarnex.png")" = 48 ] || fail "the 48x48 icon is not 48 wide"

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" FSUIPC_IPC_DIR="$work/ipc"
[ "$("$usr/bin/tarnex" --version)" = "Tarnex Version 1.0" ] || fail "the installed tarnex --version"
(cd "$work" && env -u DISPLAY "$usr/bin/tarnex" --snapshot "$work/shot.png" --size 400x300) || fail "the installed tarnex --snapshot"
[ "$(identify -format '%w %h' "$work/shot.png")" = "400 300" ] || fail "the snapshot is not 400x300"
"$usr/bin/tarnex-layout" check "$work/missing.bin" 2>/dev/null && fail "tarnex-layout checked a missing file"

# Each man page renders, and is what the installed program's --help makes
# of it now (all but the title line with its date, and the name line).
body() { awk 'sections >= 2; /^\.SH/ { sections++ }'; }
for program in tarnex tarnex-sim tarnex-layout; do
  page="$usr/share/man/man1/$program.1.gz"
  [ -e "$page" ] || fail "no man page for $program"
  MANWIDTH=200 man -l "$page" >"$work/$program.txt" 2>"$work/man.err" || fail "man -l $program: $(cat "$work/man.err")"
  [ ! -s "$work/man.err" ] || fail "man -l $program complains: $(cat "$work/man.err")"
  env -u DISPLAY help2man --no-info --no-discard-stderr --version-string=1.0 --name=x "$usr/bin/$program" \
    | body >"$work/$program.now"
  zcat "$page" | body >"$work/$program.shipped"
  [ -s "$work/$program.now" ] || fail "help2man made nothing of $program --help"
  cmp -s "$work/$program.now" "$work/$program.shipped" \
    || fail "the man page of $program differs from its --help: $(diff "$work/$program.shipped" "$work/$program.now" | head -n 6)"
done

lintian --fail-on error "$deb" >"$work/lintian" 2>&1 \
  || fail "lintian finds errors: $(grep '^E:' "$work/lintian" | head -n 10)"

listing=$(unzip -Z1 "$zip")
for file in tarnex.exe tarnex-sim.exe tarnex-layout.exe layouts/a320cfm.ini layouts/a320iae.ini aircraft/default.ini README.txt; do
  grep -q "/$file\$" <<<"$listing" || fail "the .zip lacks $file"
done
echo "packages: ok ($(basename "$deb"), $(basename "$zip"); lintian: $(grep -c '^W:' "$work/lintian" || true) warnings)"
