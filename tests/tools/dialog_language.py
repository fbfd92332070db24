#!/usr/bin/env python3
"""Tells whether a settings dialog (client area, 96 DPI) speaks another language than a first one.

dialog_language.py FIRST SECOND

Passes when the labels of the three source rows (and the track box's, on the first) and of the two
display rows differ between the two pictures, and nothing above the source rows (the heading and the
panel's top) nor the credit line and the link below the panel differs: the texts changed, the dialog
did not.
"""
import sys

from compare_images import rgb

# Pixel rows at 96 DPI (15 twips a pixel): the panel starts at 240 twips; the rows' labels are 195
# twips high at 840, 1140, 1440 (sources), 2880 and 3180 (display) twips in it, and start 660 twips
# in. The credit line below the panel starts at 4020 twips.
ROWS = [(16 + y, 16 + y + 13) for y in (56, 76, 96, 192, 212)]
LABELS_FROM_X = 12 + 44
FOOTER_FROM_Y = 4020 // 15 - 2


def main():
    w, h, a = rgb(sys.argv[1])
    w2, h2, b = rgb(sys.argv[2])
    if (w, h) != (w2, h2):
        print(f"sizes differ: {w}x{h} and {w2}x{h2}")
        return 1

    def differing(x0, x1, y0, y1):
        return sum(1 for y in range(y0, y1) for x in range(x0, x1)
                   if any(abs(a[3 * (y * w + x) + c] - b[3 * (y * w + x) + c]) > 6 for c in range(3)))

    rows = [differing(LABELS_FROM_X, w, y0, y1) for y0, y1 in ROWS]
    above = differing(0, w, 0, ROWS[0][0] - 2)
    footer = differing(0, 240, FOOTER_FROM_Y, h)
    print(f"differing pixels: rows {rows}, above the rows {above}, credit and link {footer}")
    # "MP3、WAV" and "MP3, WAV" differ in one mark only.
    ok = rows[0] > 20 and rows[1] > 20 and rows[2] > 0 and rows[3] > 20 and rows[4] > 20 and above == 0 and footer == 0
    if not ok:
        print("FAIL: not a translation of the same dialog")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
