#!/usr/bin/env bash
# Makes the private Wine prefix the Windows tests run in, once per test run:
# boots it and maps the Windows font names to metric-compatible faces so GDI+
# measures text with real fonts. "Microsoft Sans Serif" is the face behind
# GDI+'s generic sans-serif family, which the font fallback relies on.
# Windows are left unmanaged: Xvfb runs no window manager, and Wine would wait
# for one at every window that is hidden or destroyed.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEDEBUG=-all
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
fonts=$(mktemp --suffix=.reg)
cat >"$fonts" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"
"Courier"="Liberation Mono"
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
wine regedit "$fonts" >/dev/null 2>&1
rm -f "$fonts"
wineserver -w
