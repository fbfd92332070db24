#!/usr/bin/env bash
# The settings dialog at 96 to 216 DPI (LogPixels, what 100-225 % sets on Windows): its client area
# is the 96-DPI size times the scale, its windows keep their places relative to it, the Set button's
# outline reaches its right and bottom edges as it does its left and top ones, and the 192-DPI
# picture halved is close to the 96-DPI one; asked for its size at another DPI
# (WM_GETDPISCALEDSIZE) it answers the size it then takes, and told of that DPI (WM_DPICHANGED) it
# stays where it was dropped and lays itself out again at that scale. At 96 DPI the buttons are the
# committed picture's to the pixel, at 192 DPI their rims and corners that picture's scaled twice; at
# 144 DPI the preview still fills its area. Runs in the Western
# prefix with a Japanese interface, restarting that prefix's own Wine server for each DPI, and sets
# LogPixels back to 96 at its start and its end.
# Runs inside scripts/with-xvfb.   dpi_e2e.sh BIN_DIR
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/../support/driver.sh"
bin=$1
tools=$(cd "$(dirname "$0")/../tools" && pwd)
export WINEPREFIX=$LQ_WESTERN_PREFIX
[ -f "$WINEPREFIX/.lunaquill-prefix-v2" ] || { echo "dpi_e2e: no Western prefix (scripts/setup)"; exit 1; }
japanese=(env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8)
scratch dpi
write_dpi() { "${japanese[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
set_dpi() { write_dpi "$1"; restart_wine "${japanese[@]}"; }
# No restart before the server is stopped: a desktop held for it could outlive the test.
tidy() { write_dpi 96; wineserver -k 2>/dev/null; }
set_dpi 96  # a run killed by its time-out may have left another scale behind
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$work/"

# buttons_picture OUT [ENV...]: the gallery's window of the button's six looks; by default in the
# Japanese prefix at 96 DPI, where the committed picture was made.
buttons_picture() {
    local out=$1 w; shift
    [ $# -gt 0 ] || set -- env WINEPREFIX="$LQ_ROOT/.wine"
    "$@" wine "$bin/gallery.exe" --seconds 20 & local gallery=$!
    w=$(wait_for_window '^Lunaquill.Command looks$' 20) && window_picture "$w" "$out"
    kill "$gallery" 2>/dev/null; wait "$gallery" 2>/dev/null
    [ -s "$out" ]
}
for dpi in 96 120 144 168 192 216; do
    set_dpi "$dpi"
    extra=()
    [ "$dpi" = 96 ] && extra=(144)
    "${japanese[@]}" wine "$bin/acceptance_driver.exe" dialog "$(winpath "$work")" "$(winpath "$work/dialog-$dpi.bmp")" \
        "${extra[@]}" | tr -d '\r' > "$work/geometry-$dpi.txt" || fail "$dpi DPI: $(tail -1 "$work/geometry-$dpi.txt")"
    [ "$dpi" = 192 ] && { buttons_picture "$work/buttons-192.png" "${japanese[@]}" || fail "192 DPI: no picture of the buttons"; }
    if [ "$dpi" = 144 ]; then
        out=$("${japanese[@]}" wine "$bin/preview_e2e_tests.exe" --gtest_filter='PreviewTest.ShowsInsideTheAreaAndEndsWithIt' 2>&1)
        echo "$out" | grep -a -E 'Failure|Expected|Which is|Value of|Actual' | sed 's/^/  /'
        echo "$out" | grep -a -q '^\[  PASSED  \] 1 test\.' && echo "144 DPI: the preview fills its area" ||
            fail "144 DPI: the preview does not fill its area"
    fi
done

if buttons_picture "$work/buttons.png"; then
    differing=$(compare -metric AE "$tools/../../docs/pictures/buttons.png" "$work/buttons.png" null: 2>&1)
    echo "96 DPI: the buttons differ from the committed picture in $differing pixels"
    [ "$differing" = 0 ] || fail "96 DPI: the buttons are not the committed picture's"
else
    fail "96 DPI: no picture of the buttons"
fi

# Sizes and places against the 96-DPI dialog: the client area within a pixel of the scale, each window
# within a pixel and a half of the scale at each truncation it went through.
python3 - "$work" "$tools" <<'PY' || failures=$((failures + 1))
import sys
work, tools = sys.argv[1], sys.argv[2]
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
for dpi in (120, 144, 168, 192, 216):
    check(f"{dpi} DPI", dpi, *read(dpi))
check("96 DPI, then WM_DPICHANGED 144", 144, *read(96, after=True))

# Asked for its size at 144 DPI, the dialog answers (the 144-DPI client area and a frame around it);
# told of the DPI, it stays where it was dropped. (Under Wine the frame keeps the real DPI's size, so
# the size it takes is not the answered one here.)
lines = open(f"{work}/geometry-96.txt").read().split("\n")
scaled = next(l.split() for l in lines if l.startswith("scaled size"))
window = next(l.replace(",", "").split() for l in lines if l.startswith("window"))
answered = scaled[2] == "answered" and 744 < int(scaled[3]) < 744 + 60 and 478 < int(scaled[4]) < 478 + 100
stayed = (window[1], window[2]) == (window[7], window[8])
print(f"WM_GETDPISCALEDSIZE 144: {scaled[2]} {scaled[3]}x{scaled[4]}; then at {window[1]},{window[2]}"
      f" (dropped at {window[7]},{window[8]})" + ("" if answered and stayed else "  FAIL"))
ok = ok and answered and stayed

# The Set button's outline: its darkest column near the left edge and near the right edge, and its
# darkest row near the top and the bottom, lie as far in from their edges. Scaled, Wine's filter
# samples the skin from its pixels' corners, which moves the right and bottom ones up to half a skin
# pixel further in (half the scale, rounded up); a slice one pixel short moves them one more.
sys.path.insert(0, tools)
from compare_images import rgb
def picture(path):
    w, _, pixels = rgb(path)
    return lambda x, y: sum(pixels[(y * w + x) * 3:(y * w + x) * 3 + 3])
for dpi in (96, 120, 144, 168, 192, 216):
    line = next(l.split() for l in open(f"{work}/geometry-{dpi}.txt") if l.startswith("child Lunaquill.Command")
                and "\\u8A2D\\u5B9A" in l)  # 設定, Set
    x, y, w, h = map(int, line[2:6])
    at = picture(f"{work}/dialog-{dpi}.bmp")
    reach = 4 * dpi // 96 + 2
    mid_x, mid_y = x + w // 2, y + h // 2
    left = min(range(x, x + reach), key=lambda i: at(i, mid_y)) - x
    right = (x + w - 1) - min(range(x + w - 1, x + w - 1 - reach, -1), key=lambda i: at(i, mid_y))
    top = min(range(y, y + reach), key=lambda j: at(mid_x, j)) - y
    bottom = (y + h - 1) - min(range(y + h - 1, y + h - 1 - reach, -1), key=lambda j: at(mid_x, j))
    shift = -(-dpi // 192)  # half the scale, rounded up; 0 would do at 96 DPI, which is copied as it is
    shift = 0 if dpi == 96 else shift
    good = at(mid_x, mid_y) > 0 and 0 <= right - left <= shift and 0 <= bottom - top <= shift
    print(f"{dpi} DPI: Set {w}x{h}, its outline {left} px in from the left, {right} from the right, {top} from the top,"
          f" {bottom} from the bottom" + ("" if good else "  FAIL"))
    ok = ok and good
# The six looks at 192 DPI: their rims and rounded corners (the outer 6 pixels; the caption is drawn
# for each size) are the 96-DPI faces with each pixel as two by two. The gallery lays them out in one
# row at 96 DPI and in two rows of three when scaled; each face found from the first one's corner.
BEIGE = (236, 233, 216)
def faces(path, scale):
    w, h, px = rgb(path)
    at = lambda x, y: tuple(px[(y * w + x) * 3:(y * w + x) * 3 + 3])
    oy = next(y for y in range(h) if at(w // 2, y) == BEIGE)
    ox = next(x for x in range(w) if at(x, oy + 2) == BEIGE)
    per_row = 6 if scale == 1 else 3
    x, y = ox + 32 * scale, oy + 25 * scale
    near = [(u, v) for v in range(y - 8, y + 8) for u in range(x - 8, x + 8) if at(u, v) != BEIGE]
    dx, dy = min(u for u, _ in near) - x, min(v for _, v in near) - y
    return at, [(ox + (32 + (i % per_row) * 110) * scale + dx, oy + (25 + (i // per_row) * 95) * scale + dy) for i in range(6)]
at96, f96 = faces(f"{work}/buttons.png", 1)
at192, f192 = faces(f"{work}/buttons-192.png", 2)
for i, look in enumerate(["Normal", "HighLight", "Selected", "HighLightSelect", "Pressed", "Disable"]):
    (x0, y0), (x1, y1) = f96[i], f192[i]
    ring = [(x, y) for y in range(50) for x in range(154) if not (6 <= y < 44 and 6 <= x < 148)]
    diffs = [max(abs(a - b) for a, b in zip(at192(x1 + x, y1 + y), at96(x0 + x // 2, y0 + y // 2))) for x, y in ring]
    good = sum(diffs) / len(diffs) <= 1
    print(f"192 DPI, {look}: rims and corners {sum(diffs) / len(diffs):.1f} from the 96-DPI face scaled twice"
          f" (worst {max(diffs)})" + ("" if good else "  FAIL"))
    ok = ok and good
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

finish "dpi"
