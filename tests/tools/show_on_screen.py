#!/usr/bin/env python3
"""Tells whether two screenshots taken a moment apart show the running show.

show_on_screen.py FIRST SECOND [--width W --height H]

Passes when the first is not black, holds both warm (red well above blue) and cool (blue well
above red) pixels, each on at least 1% of the picture, and the second differs from it (it moves).
With a size, the pictures must be that size and the show must reach the right and the left fifth of
the first (a picture still drawn at an older, smaller size leaves the right black).
"""
import sys

from compare_images import rgb


def main():
    args = sys.argv[1:]
    size = None
    if len(args) == 6 and args[2] == "--width" and args[4] == "--height":
        size = (int(args[3]), int(args[5]))
    w, h, a = rgb(args[0])
    w2, h2, b = rgb(args[1])
    n = w * h
    lit = warm = cool = 0
    for i in range(0, 3 * n, 3):
        r, g, bl = a[i], a[i + 1], a[i + 2]
        lit += r + g + bl > 60
        warm += r > bl + 40
        cool += bl > r + 40
    moved = (w, h) == (w2, h2) and sum(1 for i in range(0, 3 * n, 3) if abs(a[i] - b[i]) + abs(a[i + 2] - b[i + 2]) > 24)
    print(f"{args[0]}: {100 * lit / n:.1f}% lit, {100 * warm / n:.1f}% warm, {100 * cool / n:.1f}% cool, "
          f"{100 * moved / n:.1f}% changed a moment later")
    ok = lit > 0.05 * n and warm > 0.01 * n and cool > 0.01 * n and moved > 0.005 * n
    if size:
        def lit_in(x0, x1):
            return sum(1 for y in range(h) for x in range(x0, x1) if sum(a[3 * (y * w + x):3 * (y * w + x) + 3]) > 60)
        left, right = lit_in(0, w // 5), lit_in(w - w // 5, w)
        print(f"{w}x{h} (wanted {size[0]}x{size[1]}): {left} lit pixels in the left fifth, {right} in the right")
        ok = ok and (w, h) == size and left > 0.002 * n and right > 0.002 * n
    if not ok:
        print("FAIL: that is not the running show")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
