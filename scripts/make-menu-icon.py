#!/usr/bin/env python3
"""Draws examples/menu_icon.png: a 24 x 24 menu symbol (a frame holding three lines, the
middle one marked with a dot), black on white, with a grey shadow that dithering shows."""
import struct
import sys
import zlib

SIZE = 24
pixels = [[(255, 255, 255)] * SIZE for _ in range(SIZE)]
for i in range(2, 22):
    for a, b in ((i, 2), (i, 21), (2, i), (21, i)):
        pixels[b][a] = (0, 0, 0)
for i in range(3, 23):  # the shadow along the right and bottom edges
    pixels[22][i] = pixels[i][22] = (160, 160, 160)
for y in (7, 12, 17):
    for x in range(9, 19):
        pixels[y][x] = (0, 0, 0)
for y in range(11, 14):
    for x in range(5, 8):
        pixels[y][x] = (200, 0, 0)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(
        ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
with open(sys.argv[1] if len(sys.argv) > 1 else "examples/menu_icon.png", "wb") as out:
    out.write(png)
