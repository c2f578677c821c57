#!/usr/bin/env python3
"""Draws the program's icon, a four-leaf clover on a transparent 32 x 32 canvas,
and writes it as a PNG. Run it again after changing the drawing:
    python3 scripts/dibujar-icono.py src/app/trebolero.png
"""
import math
import struct
import sys
import zlib

SIZE = 32
SAMPLES = 4  # supersampling per axis, for smooth edges

LEAF = (46, 139, 58)
VEIN = (28, 94, 38)
STEM = (36, 110, 44)


def leaf_cover(x, y):
    """Colour of the point (x, y) in canvas units, or None when it is empty."""
    cx, cy = 16.0, 14.5
    for angle in (45, 135, 225, 315):
        a = math.radians(angle)
        # Each leaf is a heart made of two discs leaning away from the centre.
        for side in (-1, 1):
            b = a + side * math.radians(24)
            lx, ly = cx + 7.2 * math.cos(b), cy + 7.2 * math.sin(b)
            if (x - lx) ** 2 + (y - ly) ** 2 <= 4.6 ** 2:
                # A thin vein from the centre along the leaf's middle.
                dx, dy = x - cx, y - cy
                along = dx * math.cos(a) + dy * math.sin(a)
                across = abs(-dx * math.sin(a) + dy * math.cos(a))
                if 1.5 < along < 9.5 and across < 0.55:
                    return VEIN
                return LEAF
    # The stem curves down to the lower right corner.
    t = (y - 16.0) / 14.0
    if 0 <= t <= 1:
        sx = 16.0 + 8.0 * t * t
        if abs(x - sx) < 1.2:
            return STEM
    return None


def pixel(px, py):
    colours = []
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            c = leaf_cover(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            if c:
                colours.append(c)
    if not colours:
        return (0, 0, 0, 0)
    n = len(colours)
    r, g, b = (sum(c[i] for c in colours) // n for i in range(3))
    return (r, g, b, 255 * n // (SAMPLES * SAMPLES))


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    with open(sys.argv[1], "wb") as out:
        out.write(png(SIZE, SIZE, rows))
