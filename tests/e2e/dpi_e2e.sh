#!/usr/bin/env bash
# The settings dialog at 96, 120, 144 and 192 DPI (LogPixels, what 100-200 % sets on Windows): its
# client area is the 96-DPI size times the scale, its windows keep their places relative to it, and
# the 192-DPI picture halved is close to the 96-DPI one; told of a new DPI (WM_DPICHANGED), it lays
# itself out again at that scale. Runs in the Western prefix with a Japanese interface, restarting
# that prefix's own Wine server for each DPI, and sets LogPixels back to 96 at the end.
# Runs inside scripts/with-xvfb.   dpi_e2e.sh BIN_DIR
set -u
source "$(dirname "$0")/../../scripts/env.sh"
bin=$1
tools=$(cd "$(dirname "$0")/../tools" && pwd)
export WINEPREFIX=$LQ_WESTERN_PREFIX
[ -f "$WINEPREFIX/.lunaquill-prefix-v1" ] || { echo "dpi_e2e: no Western prefix (scripts/setup)"; exit 1; }
japanese=(env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8)
work=$(mktemp -d "${TMPDIR:-/tmp}/lq-dpi.XXXXXX")
set_dpi() {
    wineserver -k 2>/dev/null; wineserver -w
    "${japanese[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null; wineserver -w
    "${japanese[@]}" wineserver -p
    "${japanese[@]}" wine cmd /c exit </dev/null >/dev/null 2>&1
}
cleanup() { set_dpi 96; wineserver -k 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
win() { echo "Z:$(echo "$1" | tr / '\\')"; }
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$work/"

for dpi in 96 120 144 192; do
    set_dpi "$dpi"
    extra=()
    [ "$dpi" = 96 ] && extra=(144)
    "${japanese[@]}" wine "$bin/acceptance_driver.exe" dialog "$(win "$work")" "$(win "$work/dialog-$dpi.bmp")" \
        "${extra[@]}" | tr -d '\r' > "$work/geometry-$dpi.txt" || fail "$dpi DPI: $(tail -1 "$work/geometry-$dpi.txt")"
done

# Sizes and places against the 96-DPI dialog: the client area within a pixel of the scale, each window
# within a pixel and a half of the scale at each truncation it went through.
python3 - "$work" <<'PY' || failures=$((failures + 1))
import sys
work = sys.argv[1]
def read(dpi, after=False):
    lines = open(f"{work}/geometry-{dpi}.txt").read().split("\n")
    if after:
        lines = lines[lines.index(next(l for l in lines if l.startswith("after"))) + 1:]
    client, children = None, []
    for l in lines:
        if l.startswith("after") and not after:
            break
        parts = l.split(" ")
        if parts[0] == "client":
            client = (int(parts[1]), int(parts[2]))
        elif parts[0] == "child":
            children.append((parts[1], *map(int, parts[2:6])))
    return client, children
base, base_children = read(96)
ok = True
def check(name, dpi, client, children):
    global ok
    s = dpi / 96
    want = (base[0] * s, base[1] * s)
    good = abs(client[0] - want[0]) <= 1 and abs(client[1] - want[1]) <= 1
    print(f"{name}: client {client[0]}x{client[1]}, 96 DPI x {s:g} = {want[0]:g}x{want[1]:g}" + ("" if good else "  FAIL"))
    ok = ok and good
    if len(children) != len(base_children):
        print(f"{name}: {len(children)} windows, not {len(base_children)}  FAIL"); ok = False; return
    worst = 0
    for (c, x, y, w, h), (c0, x0, y0, w0, h0) in zip(children, base_children):
        # A closed combo box takes its height from its font, not from the layout, and its edit field
        # all of its place.
        if c == "Edit":
            continue
        pairs = ((x, x0), (y, y0), (w, w0)) if c == "ComboBox" else ((x, x0), (y, y0), (w, w0), (h, h0))
        for got, was in pairs:
            if abs(got - was * s) > worst:
                worst, where = abs(got - was * s), c
    if worst:
        print(f"{name}: farthest: {where}")
    good = worst <= 2 * s + 1 and all(c == c0 for (c, *_), (c0, *_) in zip(children, base_children))
    print(f"{name}: {len(children)} windows, farthest {worst:.1f} px from the scaled 96-DPI place" + ("" if good else "  FAIL"))
    ok = ok and good
for dpi in (120, 144, 192):
    check(f"{dpi} DPI", dpi, *read(dpi))
check("96 DPI, then WM_DPICHANGED 144", 144, *read(96, after=True))
sys.exit(0 if ok else 1)
PY

# The 192-DPI dialog halved (each 2x2 block averaged) against the 96-DPI one.
convert "$work/dialog-192.bmp" -filter box -resize 50% "$work/halved.png"
python3 "$tools/compare_images.py" "$work/dialog-96.bmp" "$work/halved.png" "$work/diff.png" \
    --tolerance 255 --max-outside 1 --min-psnr 20 | tee "$work/psnr.txt"
[ "${PIPESTATUS[0]}" = 0 ] || fail "the 192-DPI dialog, halved, is not the 96-DPI one"

# Laid out again at 144 DPI, the dialog looks as one opened at 144 DPI.
python3 "$tools/compare_images.py" "$work/dialog-144.bmp" "$work/dialog-96-after.bmp" "$work/diff-after.png" \
    --tolerance 255 --max-outside 1 --min-psnr 30 | tee -a "$work/psnr.txt"
[ "${PIPESTATUS[0]}" = 0 ] || fail "after WM_DPICHANGED 144 the dialog is not the one opened at 144 DPI"

echo "dpi: $failures failures"
[ "$failures" = 0 ]
