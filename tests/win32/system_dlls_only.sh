#!/usr/bin/env bash
# tarnex.exe and tarnex-sim.exe are linked statically: they import nothing
# but the DLLs every Windows installation has, so they run on a bare system.
set -euo pipefail
: "${TARNEX_BUILD_DIR:?}"
objdump=x86_64-w64-mingw32-objdump
if ! command -v "$objdump" >/dev/null; then
  echo "SKIPPED: $objdump is not installed."
  exit 77
fi
system='^(KERNEL32|USER32|GDI32|gdiplus|COMCTL32|SHELL32|ADVAPI32|ole32|msvcrt)\.dll$'
status=0
for program in src/platform/win32/tarnex.exe tools/sim/tarnex-sim.exe; do
  imports=$("$objdump" -p "$TARNEX_BUILD_DIR/$program" | awk '/DLL Name:/ { print $3 }')
  echo "$program imports: $(echo $imports)"
  for dll in $imports; do
    if ! [[ $dll =~ $system ]]; then
      echo "$program needs $dll, which is not part of Windows."
      status=1
    fi
  done
done
exit $status
