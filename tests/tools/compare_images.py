#!/usr/bin/env python3
"""Compares a rendered image with its reference.

compare_images.py REFERENCE ACTUAL DIFF.png [--tolerance N] [--max-outside FRACTION] [--min-psnr DB]

Passes when at most FRACTION of the pixels differ from the reference by more than N in any channel
and the PSNR over all channels is at least DB. On failure it writes DIFF.png, the absolute
difference amplified eight times, and says where to find it.
"""
import argparse
import math
import subprocess
import sys


def rgb(path):
    out = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    # Binary PPM: "P6", width, height, maxval, then the pixels.
    fields, pos = [], 0
    while len(fields) < 4:
        while out[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not out[end:end + 1].isspace():
            end += 1
        fields.append(out[pos:end])
        pos = end
    return int(fields[1]), int(fields[2]), out[pos + 1:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("reference")
    parser.add_argument("actual")
    parser.add_argument("diff")
    parser.add_argument("--tolerance", type=int, default=8)
    parser.add_argument("--max-outside", type=float, default=0.001)
    parser.add_argument("--min-psnr", type=float, default=40.0)
    a = parser.parse_args()

    w1, h1, ref = rgb(a.reference)
    w2, h2, act = rgb(a.actual)
    if (w1, h1) != (w2, h2):
        print(f"{a.actual}: size {w2}x{h2}, reference {w1}x{h1}")
        return 1
    squared = 0
    outside = 0
    worst = 0
    diff = bytearray(len(ref))
    for i in range(0, len(ref), 3):
        d = (abs(ref[i] - act[i]), abs(ref[i + 1] - act[i + 1]), abs(ref[i + 2] - act[i + 2]))
        m = max(d)
        if m:
            squared += d[0] * d[0] + d[1] * d[1] + d[2] * d[2]
            worst = max(worst, m)
            if m > a.tolerance:
                outside += 1
            for c in range(3):
                diff[i + c] = min(255, d[c] * 8)
    pixels = w1 * h1
    psnr = math.inf if squared == 0 else 10 * math.log10(255 * 255 * len(ref) / squared)
    verdict = outside <= a.max_outside * pixels and psnr >= a.min_psnr
    print(f"{a.actual}: PSNR {psnr:.1f} dB (floor {a.min_psnr}), largest difference {worst}, "
          f"{outside} pixels beyond {a.tolerance} (at most {int(a.max_outside * pixels)})")
    if not verdict:
        header = f"P6\n{w1} {h1}\n255\n".encode()
        subprocess.run(["convert", "ppm:-", a.diff], input=header + bytes(diff), check=True)
        print(f"difference image: {a.diff}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
