#!/usr/bin/env bash
# The same fixed situation drawn by tarnex.exe under Wine (GDI+) and by the
# Linux tarnex (Cairo), each against its own tarnex-sim: the two draw logs must
# agree call for call. Only what follows from text measurement may differ, by
# a few page units (text origins, and boxes and lines placed by a measured
# text); how much it differs is reported.
# Needs a Linux build beside the Windows one: TARNEX_LINUX_BUILD_DIR, by
# default <Windows build>/../linux.
set -euo pipefail
: "${TARNEX_BUILD_DIR:?}" "${WINEPREFIX:?set WINEPREFIX to the test prefix}"
windows=$TARNEX_BUILD_DIR
linux=${TARNEX_LINUX_BUILD_DIR:-$windows/../linux}
if [ ! -x "$linux/src/platform/linux/tarnex" ] || [ ! -x "$linux/tools/sim/tarnex-sim" ]; then
  echo "SKIPPED: no Linux build with tarnex and tarnex-sim at $linux; set TARNEX_LINUX_BUILD_DIR to one."
  exit 77
fi
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'kill "${sim:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# Two engines at take-off power on the ground, parking brake set, flaps at 1.
situation=(--scenario static
  --set 0x0AEC:u16=2 --set 0x0366:u16=1 --set 0x0BC8:u32=1
  --set 0x2000:f64=85.2 --set 0x2100:f64=84.7 --set 0x2008:f64=96.1 --set 0x2108:f64=95.8
  --set 0x08BE:u16=13000 --set 0x0956:u16=12800 --set 0x0918:f64=2650 --set 0x09B0:f64=2610
  --set 0x0BDC:u32=4096 --set 0x30F0:u16=2560 --set 0x30F8:u16=4480
  --set 0x0B7C:u32=6000000 --set 0x0B80:u32=1500 --set 0x0B94:u32=6000000 --set 0x0B98:u32=1500)
snapshot=(--size 1000x1000 --frames 3)

# Linux.
export FSUIPC_IPC_DIR=$work/ipc
mkdir -m 700 "$FSUIPC_IPC_DIR"
"$linux/tools/sim/tarnex-sim" "${situation[@]}" &
sim=$!
for _ in $(seq 600); do [ -S "$FSUIPC_IPC_DIR/UIPCMAIN" ] && break; sleep 0.05; done
"$linux/src/platform/linux/tarnex" --snapshot "$work/linux.png" "${snapshot[@]}" --draw-log "$work/linux.log"
kill "$sim"; wait "$sim" 2>/dev/null || true

# Windows, on a desktop of its own so that no other test's server is found.
winpath() { echo "Z:${1//\//\\}"; }
wine "$windows/tests/run_on_private_desktop.exe" \
  --server UIPCMAIN "$(winpath "$windows/tools/sim/tarnex-sim.exe")" "${situation[@]}" \
  -- "$(winpath "$windows/src/platform/win32/tarnex.exe")" --snapshot "$(winpath "$work/windows.png")" \
  "${snapshot[@]}" --draw-log "$(winpath "$work/windows.log")"

python3 - "$work/linux.log" "$work/windows.log" <<'PY'
import re, sys

# GDI+ and our Cairo rules measure the same text a little differently, and
# whatever the page places by a measured text (text origins, boxes around
# readouts, lines that end below a list) moves with it. More than this is
# not measurement.
TOLERANCE = 3.0  # page units of the 1000-unit page

NUMBER = re.compile(r'-?\d+\.\d\d(?![0-9])')
QUOTED = re.compile(r'"(?:[^"\\]|\\.)*"')

def calls(path):
    with open(path, encoding='utf-8') as log:
        return [line.rstrip('\n') for line in log if line.strip()]

def split(line):
    """The call's coordinates, and the call with each of them replaced by #."""
    parts = QUOTED.split(line)  # numbers inside a text are the text's own
    texts = QUOTED.findall(line)
    numbers = [float(n) for part in parts for n in NUMBER.findall(part)]
    shape = ''.join(NUMBER.sub('#', part) + (texts[i] if i < len(texts) else '') for i, part in enumerate(parts))
    return numbers, shape

linux, windows = calls(sys.argv[1]), calls(sys.argv[2])
problems = []
if len(linux) != len(windows):
    problems.append(f'{len(linux)} calls on Linux, {len(windows)} on Windows')

identical = 0
moved = {}
for index, (a, b) in enumerate(zip(linux, windows), start=1):
    if a == b:
        identical += 1
        continue
    (na, sa), (nb, sb) = split(a), split(b)
    difference = max((abs(x - y) for x, y in zip(na, nb)), default=0.0)
    if sa != sb or len(na) != len(nb) or difference > TOLERANCE:
        problems.append(f'call {index} differs:\n  Linux:   {a}\n  Windows: {b}')
        continue
    moved.setdefault(a.split(' ', 1)[0], []).append(difference)

print(f'{len(linux)} calls on Linux, {len(windows)} on Windows: {identical} identical, '
      f'{sum(map(len, moved.values()))} placed differently by text measurement')
for op, differences in sorted(moved.items()):
    print(f'  {op}: {len(differences)} calls, largest difference {max(differences):.2f} page units, '
          f'mean {sum(differences) / len(differences):.2f}')
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
PY
