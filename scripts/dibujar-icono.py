#!/usr/bin/env python3
"""Draws the program's icon, a four-leaf clover on a transparent 32 x 32 canvas,
and writes it as a PNG and as the same drawing in SVG, for any size. Run it
again after changing the drawing:
    python3 scripts/dibujar-icono.py src/app/trebolero.png src/app/trebolero.svg
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

CENTRE = (16.0, 14.5)
LEAF_ANGLES = (45, 135, 225, 315)
# Each leaf is a heart made of two discs leaning away from the centre.
LEAF_REACH, LEAF_SPREAD, LEAF_RADIUS = 7.2, 24, 4.6
# A thin vein from the centre along the leaf's middle.
VEIN_START, VEIN_END, VEIN_WIDTH = 2.6, 9.5, 1.1
# The stem curves down to the lower right corner: x = 16 + 8 t^2, y = 16 + 14 t.
STEM_WIDTH = 2.4


def leaf_discs(angle):
    """The centres of the two discs of the leaf at `angle` degrees."""
    a = math.radians(angle)
    for side in (-1, 1):
        b = a + side * math.radians(LEAF_SPREAD)
        yield CENTRE[0] + LEAF_REACH * math.cos(b), CENTRE[1] + LEAF_REACH * math.sin(b)


def leaf_cover(x, y):
    """Colour of the point (x, y) in canvas units, or None when it is empty."""
    cx, cy = CENTRE
    for angle in LEAF_ANGLES:
        a = math.radians(angle)
        for lx, ly in leaf_discs(angle):
            if (x - lx) ** 2 + (y - ly) ** 2 <= LEAF_RADIUS ** 2:
                dx, dy = x - cx, y - cy
                along = dx * math.cos(a) + dy * math.sin(a)
                across = abs(-dx * math.sin(a) + dy * math.cos(a))
                if VEIN_START < along < VEIN_END and across < VEIN_WIDTH / 2:
                    return VEIN
                return LEAF
    t = (y - 16.0) / 14.0
    if 0 <= t <= 1:
        sx = 16.0 + 8.0 * t * t
        if abs(x - sx) < STEM_WIDTH / 2:
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


def svg():
    """The drawing as shapes: the stem under the leaves, the veins on top."""
    def colour(c):
        return "#%02x%02x%02x" % c

    cx, cy = CENTRE
    # The stem's curve is the quadratic Bezier through these three points.
    shapes = [f'<path d="M16 16 Q16 23 24 30" fill="none" stroke="{colour(STEM)}" '
              f'stroke-width="{STEM_WIDTH}"/>']
    for angle in LEAF_ANGLES:
        for lx, ly in leaf_discs(angle):
            shapes.append(f'<circle cx="{lx:.3f}" cy="{ly:.3f}" r="{LEAF_RADIUS}" '
                          f'fill="{colour(LEAF)}" stroke="none"/>')
    for angle in LEAF_ANGLES:
        a = math.radians(angle)
        (x1, y1), (x2, y2) = ((cx + d * math.cos(a), cy + d * math.sin(a))
                              for d in (VEIN_START, VEIN_END))
        shapes.append(f'<line x1="{x1:.3f}" y1="{y1:.3f}" x2="{x2:.3f}" y2="{y2:.3f}" '
                      f'stroke="{colour(VEIN)}" stroke-width="{VEIN_WIDTH}"/>')
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
            f'viewBox="0 0 {SIZE} {SIZE}">\n  ' + "\n  ".join(shapes) + "\n</svg>\n")


if __name__ == "__main__":
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    with open(sys.argv[1], "wb") as out:
        out.write(png(SIZE, SIZE, rows))
    with open(sys.argv[2], "w") as out:
        out.write(svg())
