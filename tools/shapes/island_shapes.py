#!/usr/bin/env python3
"""How island-like islands are: for each island picture, land area divided by
the area of its convex hull (a blob is near 1, a coast with bays and spits
lower), and the longest straight coast run as a share of the island's side.

usage: tools/shapes/island_shapes.py PICTURE.png...
       tools/shapes/island_shapes.py --generate EDITOR SEEDS SIZE...   (e.g. 50 64x64 128x128)
       tools/shapes/island_shapes.py --generate-natural EDITOR SEEDS SIZE...   (seeds 2-1, 2-2, ...)

Reads the 8-bit RGB or RGBA pictures the editor writes; every pixel that is
not the sea's colour counts as land.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

SEA = (0x00, 0x94, 0xFF)


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG")
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError(path + ": only 8-bit RGB or RGBA, not interlaced")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) != SEA for x in range(width)])
        prev = line
    return rows


def hull_area(points):
    points = sorted(set(points))
    if len(points) < 3:
        return 0.0

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    hull = lower[:-1] + upper[:-1]
    return abs(sum(hull[i][0] * hull[i - 1][1] - hull[i - 1][0] * hull[i][1]
                   for i in range(len(hull)))) / 2.0


def figures(land):
    h, w = len(land), len(land[0])
    cells = [(x, y) for y in range(h) for x in range(w) if land[y][x]]
    # Each land cell as its four corners, so the hull covers whole cells.
    corners = [(x + dx, y + dy) for x, y in cells for dx in (0, 1) for dy in (0, 1)]
    ratio = len(cells) / hull_area(corners)
    # The longest run of land cells in a row (or column) with sea on the same side.
    def at(x, y):
        return 0 <= x < w and 0 <= y < h and land[y][x]
    longest = 0
    for side in (-1, 1):
        for y in range(h):
            run = 0
            for x in range(w):
                run = run + 1 if at(x, y) and not at(x, y + side) else 0
                longest = max(longest, run)
        for x in range(w):
            run = 0
            for y in range(h):
                run = run + 1 if at(x, y) and not at(x + side, y) else 0
                longest = max(longest, run)
    return ratio, longest / min(w, h)


def report(name, land):
    ratio, straight = figures(land)
    print(f"{name}: land/hull {ratio:.3f}, straight coast {straight:.3f} of the side")
    return ratio, straight


def main(args):
    if args and args[0] in ("--generate", "--generate-natural"):
        prefix = "2-" if args[0] == "--generate-natural" else ""
        editor, seeds, sizes = args[1], int(args[2]), args[3:]
        with tempfile.TemporaryDirectory() as tmp:
            for size in sizes:
                results = []
                for seed in range(1, seeds + 1):
                    out = os.path.join(tmp, "i.png")
                    subprocess.run([editor, "--generate", prefix + str(seed), "--size", size, out],
                                   check=True, stdout=subprocess.DEVNULL)
                    results.append(figures(read_png(out)))
                ratios = sorted(r for r, _ in results)
                straights = sorted(s for _, s in results)
                inside = sum(0.55 <= r <= 0.85 for r in ratios)
                print(f"{prefix}{size}: {seeds} seeds, land/hull min {ratios[0]:.3f} median "
                      f"{ratios[len(ratios) // 2]:.3f} max {ratios[-1]:.3f}, {inside} in 0.55-0.85; "
                      f"straight coast max {straights[-1]:.3f} of the side, "
                      f"{sum(s <= 0.2 for s in straights)} at most a fifth")
        return 0
    for path in args:
        report(path, read_png(path))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
