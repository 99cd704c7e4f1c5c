#!/usr/bin/env bash
# Checks the packages scripts/package.sh made, as a user meets them: the .deb
# unpacked into a throw-away folder runs, shows readable man pages and passes
# lintian without errors; the .zip holds the programs, the layouts and the
# README.txt. Both carry the project's version.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$(sed -n 's/^project(Tarnex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project VERSION in CMakeLists.txt"
deb=$(ls build/packages/tarnex_"$version"_*.deb 2>/dev/null | head -n 1)
zip=$(ls build/packages/tarnex-"$version"-windows-x64.zip 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb in build/packages; run scripts/package.sh"
[ -n "$zip" ] || fail "no .zip in build/packages; run scripts/package.sh"

# The .deb's dependencies come from its binaries' libraries.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libgtk-3-0 libcairo2 libc6 libstdc++6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
# Without the metric-compatible faces the page draws wider than on Windows.
grep -q fonts-liberation <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks fonts-liberation"

dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
for file in bin/tarnex bin/tarnex-sim bin/tarnex-layout \
    share/tarnex/layouts/a320cfm-basic.ini share/tarnex/layouts/a320cfm.ini share/tarnex/layouts/a320iae.ini share/tarnex/aircraft/default.ini share/tarnex/aircraft/flightgear-a320-family.ini share/tarnex/flightgear/Protocol/tarnex.xml \
    share/applications/tarnex.desktop share/doc/tarnex/copyright \
    share/icons/hicolor/16x16/apps/tarnex.png share/icons/hicolor/32x32/apps/tarnex.png \
    share/icons/hicolor/48x48/apps/tarnex.png; do
  [ -e "$usr/$file" ] || fail "the .deb lacks /usr/$file"
done
[ "$(identify -format '%w' "$usr/share/icons/hicolor/48x48/apps/tarnex.png")" = 48 ] || fail "the 48x48 icon is not 48 wide"
# The menu opens the full page from the installed layouts.
grep -qx "Exec=tarnex --layout /usr/share/tarnex/layouts/a320cfm.ini" "$usr/share/applications/tarnex.desktop" \
  || fail "the desktop entry does not open the full page: $(grep Exec "$usr/share/applications/tarnex.desktop")"

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" FSUIPC_IPC_DIR="$work/ipc"
for program in tarnex tarnex-sim tarnex-layout; do
  [ "$(env -u DISPLAY "$usr/bin/$program" --version)" = "Tarnex Version $version" ] || fail "the installed $program --version"
done
(cd "$work" && env -u DISPLAY "$usr/bin/tarnex" --snapshot "$work/shot.png" --size 400x300) || fail "the installed tarnex --snapshot"
[ "$(identify -format '%w %h' "$work/shot.png")" = "400 300" ] || fail "the snapshot is not 400x300"
"$usr/bin/tarnex-layout" check "$work/missing.bin" 2>/dev/null && fail "tarnex-layout checked a missing file"

# Each man page renders, reads as a page, and is what the installed
# program's --help makes of it now (all but the title line with its date, and
# the name line). Rendered wide and unhyphenated, so each line is whole, and
# at a terminal's 80 columns for the headings.
body() { awk 'sections >= 2; /^\.SH/ { sections++ }'; }
# The rendered text of section NAME of a page.
section() { awk -v name="$1" '/^[A-Z]/ { inside = ($0 == name); next } inside'; }
for program in tarnex tarnex-sim tarnex-layout; do
  page="$usr/share/man/man1/$program.1.gz"
  [ -e "$page" ] || fail "no man page for $program"
  MANWIDTH=200 MANROFFOPT=-rHY=0 man -l "$page" >"$work/$program.txt" 2>"$work/man.err" \
    || fail "man -l $program: $(cat "$work/man.err")"
  [ ! -s "$work/man.err" ] || fail "man -l $program complains: $(cat "$work/man.err")"
  MANWIDTH=80 man -l "$page" >"$work/$program.80" 2>/dev/null
  env -u DISPLAY help2man --no-info --no-discard-stderr --version-string="$version" --name=x "$usr/bin/$program" \
    | body >"$work/$program.now"
  zcat "$page" | body >"$work/$program.shipped"
  [ -s "$work/$program.now" ] || fail "help2man made nothing of $program --help"
  cmp -s "$work/$program.now" "$work/$program.shipped" \
    || fail "the man page of $program differs from its --help: $(diff "$work/$program.shipped" "$work/$program.now" | head -n 6)"

  section DESCRIPTION <"$work/$program.txt" | grep -q '^ \+[^[:space:]]' || fail "man $program has an empty DESCRIPTION"
  # An option starts a line of its own: the option and at most its argument,
  # or an option short enough to share its line with its text ("--help show
  # this text").
  env -u DISPLAY "$usr/bin/$program" --help >"$work/$program.help"
  grep -E '^ {7}-' "$work/$program.txt" | grep -Ev '^ {7}-[^ ]+( [^ ]+)?$|^ {7}-[^ ]{1,5} [^ ]' >"$work/run-together" \
    && fail "man $program runs an option into its text: $(head -n 1 "$work/run-together")"
  # Every option of --help has its own line on the page.
  { grep -oE '^  -[^ ]+( [^ ]+)?' "$work/$program.help" || true; } | sed 's/^  //' | while read -r option; do
    grep -qE "^ {7}$(sed 's/[][|.*^$+(){}?]/\\&/g' <<<"$option")( |\$)" "$work/$program.txt" \
      || fail "man $program has no line for the option $option"
  done
  # Every heading of --help is a heading on the page, on one line.
  { grep -E '^[A-Z][^:]*:$' "$work/$program.help" || true; } | while read -r heading; do
    grep -qxF "   $heading" "$work/$program.80" || grep -qxF "$(tr '[:lower:]' '[:upper:]' <<<"${heading%:}")" "$work/$program.80" \
      || fail "man $program garbles the heading \"$heading\""
  done
  # The files a page names are named where the package puts them.
  { grep -oE '/usr/[^ )]*[^ ).,;]' "$work/$program.txt" || true; } | sort -u | while read -r path; do
    [ -e "$work/root$path" ] || fail "man $program names $path, which the .deb does not install"
  done
done
for path in /usr/share/doc/tarnex/README-scenario.md /usr/share/doc/tarnex/README-bridge.md \
    /usr/share/tarnex/flightgear/Protocol/tarnex.xml; do
  grep -qF "$path" "$work/tarnex-sim.txt" || fail "man tarnex-sim does not name $path"
done
section DESCRIPTION <"$work/tarnex.txt" | tr -s ' \n' ' ' | grep -q 'On Linux the data comes from tarnex-sim' \
  || fail "man tarnex does not say where the data comes from on Linux"

lintian --fail-on error "$deb" >"$work/lintian" 2>&1 \
  || fail "lintian finds errors: $(grep '^E:' "$work/lintian" | head -n 10)"

listing=$(unzip -Z1 "$zip")
for file in tarnex.exe tarnex-sim.exe tarnex-layout.exe layouts/a320cfm-basic.ini layouts/a320cfm.ini layouts/a320iae.ini aircraft/default.ini README.txt; do
  grep -q "/$file\$" <<<"$listing" || fail "the .zip lacks $file"
done
echo "packages: ok ($(basename "$deb"), $(basename "$zip"); lintian: $(grep -c '^W:' "$work/lintian" || true) warnings)"
