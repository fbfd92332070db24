#!/usr/bin/env python3
"""Tells whether two screenshots taken a moment apart show the running show.

show_on_screen.py FIRST SECOND

Passes when the first is not black, holds both warm (red well above blue) and cool (blue well
above red) pixels, each on at least 1% of the picture, and the second differs from it (it moves).
"""
import sys

from compare_images import rgb


def main():
    w, h, a = rgb(sys.argv[1])
    w2, h2, b = rgb(sys.argv[2])
    n = w * h
    lit = warm = cool = 0
    for i in range(0, 3 * n, 3):
        r, g, bl = a[i], a[i + 1], a[i + 2]
        lit += r + g + bl > 60
        warm += r > bl + 40
        cool += bl > r + 40
    moved = (w, h) == (w2, h2) and sum(1 for i in range(0, 3 * n, 3) if abs(a[i] - b[i]) + abs(a[i + 2] - b[i + 2]) > 24)
    print(f"{sys.argv[1]}: {100 * lit / n:.1f}% lit, {100 * warm / n:.1f}% warm, {100 * cool / n:.1f}% cool, "
          f"{100 * moved / n:.1f}% changed a moment later")
    ok = lit > 0.05 * n and warm > 0.01 * n and cool > 0.01 * n and moved > 0.005 * n
    if not ok:
        print("FAIL: that is not the running show")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
