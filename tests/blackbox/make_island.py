#!/usr/bin/env python3
"""Writes a small test island as map.png, map.map and map.critter.

usage: make_island.py victory|rock DIR

victory: a row of supplies and planks leading to a beach cell, so that a few
         key presses build the raft and set sail.
rock:    bare rock, where walking starves the castaway quickly.
"""
import struct
import sys
import zlib

WIDTH, HEIGHT = 24, 16
SEA, SHALLOW, SAND, ROCK, GRASS = range(5)
COLOURS = {
    SEA: (0, 148, 255),
    SHALLOW: (0, 127, 127),
    SAND: (255, 216, 0),
    ROCK: (128, 128, 128),
    GRASS: (76, 255, 0),
}
SEGEL, LEDERBEUTEL, BRATEN, KOKOSNUSS, PLANKE = 21, 18, 17, 6, 15


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, ground):
    rows = b""
    for y in range(HEIGHT):
        rows += b"\0" + b"".join(bytes(COLOURS[ground[y][x]]) for x in range(WIDTH))
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(rows)))
        out.write(png_chunk(b"IEND", b""))


def island(kind):
    land = GRASS if kind == "victory" else ROCK
    # Sea along the top row and the left column: the castaway starts at (1, 1).
    ground = [[SEA if x == 0 or y == 0 else land for x in range(WIDTH)] for y in range(HEIGHT)]
    items = [[0] * WIDTH for _ in range(HEIGHT)]
    if kind == "victory":
        row = [SEGEL, LEDERBEUTEL, BRATEN, BRATEN, KOKOSNUSS, PLANKE, PLANKE]
        for i, item in enumerate(row):
            items[1][2 + i] = item
        for y in (2, 3):
            items[y][7] = items[y][8] = PLANKE
        ground[1][9] = SAND
    return ground, items


def main():
    kind, folder = sys.argv[1], sys.argv[2]
    ground, items = island(kind)
    write_png(folder + "/map.png", ground)
    with open(folder + "/map.map", "wb") as out:
        out.write(bytes(item for row in items for item in row))
    with open(folder + "/map.critter", "w") as out:
        out.write("0\n0\n")


if __name__ == "__main__":
    main()
