#!/usr/bin/env python3
"""Makes the host's pictures: the six button skins (64x25, 24-bit BMP).

make_assets.py OUTPUT_DIR

Everything is computed here from the colours the pictures are described with, so the pictures are
never edited by hand: change this file and run it again (the test suite checks that the committed
pictures are what it makes).
"""
import os
import struct
import sys

# ---------------------------------------------------------------- files


def write_bmp(path, width, height, pixels):
    """24-bit uncompressed BMP; pixels[y][x] = (r, g, b), row 0 at the top."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


# ---------------------------------------------------------------- colours


def rgb(hex_text):
    v = int(hex_text, 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def graded(top, middle, bottom, y, y_top=4, y_middle=12, y_bottom=20):
    """Piecewise linear through three colours, so the middle of the side is exactly `middle`."""
    if y <= y_middle:
        return mix(top, middle, (y - y_top) / (y_middle - y_top))
    return mix(middle, bottom, (y - y_middle) / (y_bottom - y_middle))


# ---------------------------------------------------------------- button skins
# Frame colours at the middle of each side, outermost pixel first for top and left, last for
# bottom and right.
SKINS = {
    "Normal": (["DCD6C2", "003C74", "F3F3EE", "F3F3EE"], ["E2DFD6", "D6D0C5", "003C74", "FAFAF6"],
               ["E2DECB", "003C74", "F4F4F0", "F4F4F0"], ["EEEDE7", "E8E5DF", "003C74", "F0EEE0"]),
    "HighLight": (["DCD6C2", "003C74", "FFF0CF", "FDD889"], ["F8B330", "E59700", "003C74", "FAFAF6"],
                  ["E2DECB", "003C74", "FCCA69", "FBCA6A"], ["FBCA6A", "FCCA69", "003C74", "F0EEE0"]),
    "Selected": (["DCD6C2", "003C74", "CEE7FF", "CEE7FF"], ["6982EE", "6982EE", "003C74", "FAFAF6"],
                 ["E2DECB", "003C74", "A9C5EF", "A8C6F0"], ["A9C5EF", "A9C5EF", "003C74", "F0EEE0"]),
    "Pressed": (["ECE9D8", "DCD6C2", "003C74", "D1CCC1"], ["F2F1EE", "003C74", "FAFAF6", "ECE9D8"],
                ["ECE9D8", "E2DECB", "003C74", "D7D4CB"], ["E4E3DC", "003C74", "F0EEE0", "ECE9D8"]),
    "Disable": (["ECE9D8", "C9C7BA", "F5F4EA", "F5F4EA"], ["F5F4EA", "F5F4EA", "C9C7BA", "ECE9D8"],
                ["ECE9D8", "C9C7BA", "F5F4EA", "F5F4EA"], ["F5F4EA", "F5F4EA", "C9C7BA", "ECE9D8"]),
}
SKINS["HighLightSelect"] = SKINS["HighLight"]

# Side columns graded from top to bottom: (column, top colour, bottom colour); the middle stays the
# table's colour.
GRADES = {
    "HighLight": [(2, "FEDF9A", "F9B435"), (3, "FEDF9A", "F9B435"), (60, "FEDF9A", "F9B435"), (61, "FEDF9A", "F9B435")],
    "Selected": [(2, "B7D0F4", "8BADE4"), (3, "B7D0F4", "8BADE4"), (60, "B7D0F4", "8BADE4"), (61, "B7D0F4", "8BADE4")],
    "Normal": [(3, "FDFDFC", "ECEBE6"), (60, "F6F4F2", "E0DDD4")],
}
GRADES["HighLightSelect"] = GRADES["HighLight"]

DIALOG_TOP, DIALOG_BOTTOM = rgb("ECE9D8"), rgb("E9E7D5")
W, H = 64, 25


def skin(name):
    top, bottom, left, right = ([rgb(c) for c in side] for side in SKINS[name])
    grades = {col: (rgb(a), rgb(b)) for col, a, b in GRADES.get(name, [])}
    # The outline is the dark blue (grey when disabled) ring; Pressed has it one pixel further in.
    layer = next(k for k, c in enumerate(left) if c in (rgb("003C74"), rgb("C9C7BA")))
    outline = left[layer]
    px = [[(255, 255, 255)] * W for _ in range(H)]
    for y in range(H):
        for x in range(W):
            # Distance inwards from the nearest vertical and horizontal edge, and which edges.
            i = min(x, W - 1 - x)
            j = min(y, H - 1 - y)
            if i >= 4 and j >= 4:
                px[y][x] = (255, 255, 255)  # never drawn
                continue
            horizontal = vertical = None
            if j < 4:
                horizontal = top[j] if y < H / 2 else bottom[3 - j]
            if i < 4:
                vertical = left[i] if x < W / 2 else right[3 - i]
            if x in grades and 4 <= y <= 20:
                vertical = graded(grades[x][0], vertical, grades[x][1], y)
            if i >= 4:
                px[y][x] = horizontal
            elif j >= 4:
                px[y][x] = vertical
            else:
                # Corner: rounded over two pixels. Outside the rounding the dialog's tone; on the
                # rounding a blend of the outline and that tone; further in the ring of the layer.
                tone = mix(DIALOG_TOP, DIALOG_BOTTOM, y / (H - 1))
                if i + j < 2 * layer:
                    px[y][x] = tone
                elif i == j == layer:
                    px[y][x] = mix(outline, tone, 0.45)
                else:
                    px[y][x] = horizontal if j < i else vertical
    return px


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "host", "resources")
    os.makedirs(out, exist_ok=True)
    for name in ["Normal", "HighLight", "Selected", "HighLightSelect", "Pressed", "Disable"]:
        write_bmp(os.path.join(out, name + ".bmp"), W, H, skin(name))


if __name__ == "__main__":
    main()
