#!/usr/bin/env python3
"""Makes the host's pictures: the six button skins (64x25, 24-bit BMP), the settings dialog's icon
(32x32, 256 colours), its two 12x12 indicator pictures and its pointing-hand cursor (32x32,
monochrome, hot spot at 12, 10), and the two 152x112 JPEG pictures of the preview (through
ImageMagick's convert).

make_assets.py OUTPUT_DIR

Everything is computed here from the colours the pictures are described with, so the pictures are
never edited by hand: change this file and run it again (the test suite checks that the committed
pictures are what it makes).
"""
import math
import os
import struct
import subprocess
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
    """Piecewise linear through three colours, so the middle of the side is exactly `middle`; the
    corner rows beyond y_top and y_bottom keep the end colours, so a ring runs on into its corners."""
    y = min(max(y, y_top), y_bottom)
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
            if x in grades:
                vertical = graded(grades[x][0], vertical, grades[x][1], y)
            if i >= 4:
                px[y][x] = horizontal
            elif j >= 4:
                px[y][x] = vertical
            else:
                # Corner: the outline rounded over two pixels. Outside the rounding the dialog's
                # tone; the outline's corner pixel is cut, the two beside it are blends of the
                # outline and that tone, and the one inside the bend blends the outline into the
                # ring it encloses; further in the rings of the sides.
                tone = mix(DIALOG_TOP, DIALOG_BOTTOM, y / (H - 1))
                ring = horizontal if j < i else vertical
                if i + j <= 2 * layer:
                    px[y][x] = tone
                elif min(i, j) == layer and i + j == 2 * layer + 1:
                    px[y][x] = mix(outline, tone, 0.5)
                elif i == j == layer + 1:
                    px[y][x] = mix(outline, ring, 0.5)
                else:
                    px[y][x] = ring
    return px


# ---------------------------------------------------------------- dialog pictures


def indicator(selected):
    """A 12x12 box: a dark grey frame about one pixel wide around a light grey fill that brightens
    towards the lower right (unselected), or around a blue bevelled square (selected)."""
    frame, corner = rgb("4B4B4B"), rgb("8C8C8C")
    px = [[(0, 0, 0)] * 12 for _ in range(12)]
    for y in range(12):
        for x in range(12):
            edge = x in (0, 11) or y in (0, 11)
            if edge:
                px[y][x] = corner if (x in (0, 11) and y in (0, 11)) else frame
            elif not selected:
                px[y][x] = mix(rgb("DCDCDC"), rgb("FFFFFF"), (x + y - 2) / 18)
            else:
                # Bevel: light upper-left edge, dark lower-right edge, blue face between.
                if x == 1 or y == 1:
                    px[y][x] = rgb("9CC2FF")
                elif x == 10 or y == 10:
                    px[y][x] = rgb("10389C")
                else:
                    px[y][x] = mix(rgb("5A8CF0"), rgb("2455C8"), (x + y - 4) / 14)
    return px


def rainbow(t):
    """Cyan through white to red and violet, t from 0 to 1."""
    stops = [(0.0, rgb("00E0FF")), (0.35, rgb("FFFFFF")), (0.65, rgb("FF2020")), (1.0, rgb("A020F0"))]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def icon_pixels():
    """32x32: a diagonal rainbow streak across a black square."""
    px = [[(0, 0, 0)] * 32 for _ in range(32)]
    for y in range(32):
        for x in range(32):
            # Distance from the diagonal running from the lower left to the upper right.
            d = abs((x + y) - 31) / 1.414
            glow = max(0.0, 1.0 - d / 5.5)
            if glow > 0:
                c = rainbow(x / 31)
                px[y][x] = tuple(int(round(ch * glow ** 1.5)) for ch in c)
    return px


def write_ico(path, px):
    """A 32x32 icon with a 256-colour palette and an all-opaque mask."""
    palette = sorted(set(p for row in px for p in row))
    while len(palette) > 256:  # never happens with this picture; keep the format honest anyway
        palette = palette[::2]
    index = {c: min(range(len(palette)), key=lambda k: sum((palette[k][i] - c[i]) ** 2 for i in range(3))) for row in px for c in row}
    pal = bytearray()
    for c in palette + [(0, 0, 0)] * (256 - len(palette)):
        pal += bytes((c[2], c[1], c[0], 0))
    xor = bytearray()
    for y in range(31, -1, -1):
        xor += bytes(index[c] for c in px[y])
    mask = bytes(4 * 32)  # 1 bit a pixel, rows padded to 32 bits; 0 = opaque
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    image = header + bytes(pal) + bytes(xor) + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 8, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


HAND = [  # 32x32 pointing hand: '#' black outline, '.' white, index finger up; hot spot at (12, 10)
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "           ##",
    "          #..#",
    "          #..#",
    "          #..#",
    "          #..#",
    "          #..###",
    "          #..#..###",
    "          #..#..#..##",
    "       ## #..#..#..#.#",
    "      #..##........#..#",
    "      #...#...........#",
    "       #..............#",
    "        #.............#",
    "        #.............#",
    "         #............#",
    "         #...........#",
    "          #..........#",
    "          #.........#",
    "           #........#",
    "           ##########",
]


def write_cursor(path):
    rows = [row.ljust(32)[:32] for row in (HAND + [""] * 32)[:32]]
    xor_rows, and_rows = [], []
    for row in rows:
        xb, ab = 0, 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
            if ch == ".":
                xb |= bit  # white
            elif ch != "#":
                ab |= bit  # transparent
        xor_rows.append(struct.pack(">I", xb))
        and_rows.append(struct.pack(">I", ab))
    xor = b"".join(reversed(xor_rows))
    mask = b"".join(reversed(and_rows))
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", 32, 32, 2, 0, 12, 10, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


# ---------------------------------------------------------------- preview pictures
PW, PH = 152, 112

# Tiny 3x5 glyphs for the preview's panel.
GLYPHS = ["111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
          "111100111001111", "111100111101111", "111001010010010", "111101111101111", "111101111001111",
          "010101111101101", "110101110101110", "111100100100111", "110101101101110"]


def write_jpeg(path, px):
    header = f"P6\n{len(px[0])} {len(px)}\n255\n".encode()
    body = bytes(v for row in px for c in row for v in c)
    subprocess.run(["convert", "ppm:-", "-quality", "92", "-sampling-factor", "1x1", "-strip", path],
                   input=header + body, check=True)


def streak_pixels():
    """A horizontal streak of rainbow-coloured light on black: a white-hot core along the middle,
    its edges running through the colours along its length, as the ribbons look from the side."""
    px = [[(0, 0, 0)] * PW for _ in range(PH)]
    for x in range(PW):
        t = x / (PW - 1)
        centre = PH / 2 + 7 * math.sin(t * 2 * math.pi * 1.3 + 0.4)
        width = 9 + 6 * math.sin(t * math.pi)
        u = (t * 1.6) % 2.0
        colour = rainbow(u if u <= 1.0 else 2.0 - u)  # back and forth, no seam
        for y in range(PH):
            d = abs(y - centre) / width
            glow = math.exp(-d * d * 1.6)
            core = math.exp(-d * d * 14)
            px[y][x] = tuple(min(255, int(colour[i] * glow * 0.9 + 255 * core * 0.8)) for i in range(3))
    return px


def panel_pixels():
    """A tilted translucent panel covered with a grid of small glyphs, on black."""
    px = [[(0, 0, 0)] * PW for _ in range(PH)]
    corners = [(30, 14), (138, 28), (122, 100), (14, 86)]

    def inside(x, y):
        sign = None
        for (x0, y0), (x1, y1) in zip(corners, corners[1:] + corners[:1]):
            cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
            if sign is None:
                sign = cross > 0
            elif (cross > 0) != sign:
                return False
        return True

    for y in range(PH):
        for x in range(PW):
            if inside(x, y):
                px[y][x] = (30, 44, 70)
    # The glyphs follow the panel's tilt: rows along its top edge's direction.
    ux, uy = (138 - 30) / 108.0, (28 - 14) / 108.0
    vx, vy = (14 - 30) / 72.0, (86 - 14) / 72.0
    n = 0
    for row in range(9):
        for col in range(16):
            g = GLYPHS[(row * 7 + col * 3) % len(GLYPHS)]
            for k, bit in enumerate(g):
                if bit != "1":
                    continue
                gx, gy = k % 3, k // 3
                a = 6 + col * 6.2 + gx
                b = 5 + row * 7.0 + gy
                x = int(round(30 + ux * a + vx * b))
                y = int(round(14 + uy * a + vy * b))
                if 0 <= x < PW and 0 <= y < PH and inside(x, y):
                    px[y][x] = (120, 190, 255) if (n + row) % 5 else (200, 235, 255)
            n += 1
    return px


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "host", "resources")
    os.makedirs(out, exist_ok=True)
    for name in ["Normal", "HighLight", "Selected", "HighLightSelect", "Pressed", "Disable"]:
        write_bmp(os.path.join(out, name + ".bmp"), W, H, skin(name))
    write_bmp(os.path.join(out, "Img_Ra0.bmp"), 12, 12, indicator(False))
    write_bmp(os.path.join(out, "Img_Ra1.bmp"), 12, 12, indicator(True))
    write_ico(os.path.join(out, "Lunaquill.ico"), icon_pixels())
    write_cursor(os.path.join(out, "Hand.cur"))
    write_jpeg(os.path.join(out, "Preview.jpg"), panel_pixels())
    write_jpeg(os.path.join(out, "Img_Prev.jpg"), streak_pixels())


if __name__ == "__main__":
    main()
