#!/usr/bin/env python3
"""Draws the application icon, a blue "K", at 16, 32 and 48 pixels into app/wethrix.ico.

The icon is kept in the repository; run this again only to change the artwork.
"""
import math
import struct
import sys
from pathlib import Path

SIZES = (16, 32, 48)
SUPERSAMPLE = 8
BLUE = (0x1E, 0x5B, 0xD8)
EDGE = (0x0B, 0x34, 0x8E)

# The letter in a unit square: a stem and two strokes, each a thick segment (x0, y0, x1, y1, width).
STROKES = (
    (0.27, 0.10, 0.27, 0.90, 0.22),
    (0.36, 0.58, 0.80, 0.10, 0.21),
    (0.46, 0.45, 0.84, 0.90, 0.23),
)
TOP, BOTTOM = 0.06, 0.94


def distance_to_segment(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


def coverage(px, py, grow):
    """1 inside the letter (widened by `grow`), 0 outside. Ends are cut flat at the top and bottom."""
    if not TOP - grow <= py <= BOTTOM + grow:
        return 0
    return int(any(distance_to_segment(px, py, *s[:4]) <= s[4] / 2 + grow for s in STROKES))


def render(size):
    """Rows top first of (r, g, b, a): a blue letter with a darker edge of about half a pixel."""
    edge = 0.5 / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            inner = outer = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    px = (x + (sx + 0.5) / SUPERSAMPLE) / size
                    py = (y + (sy + 0.5) / SUPERSAMPLE) / size
                    inner += coverage(px, py, -edge)
                    outer += coverage(px, py, 0)
            samples = SUPERSAMPLE * SUPERSAMPLE
            alpha = outer / samples
            mix = inner / outer if outer else 0
            colour = tuple(round(b * mix + e * (1 - mix)) for b, e in zip(BLUE, EDGE))
            row.append((*colour, round(alpha * 255)))
        rows.append(row)
    return rows


def dib(rows):
    """A 32-bit icon image: header with doubled height, colour rows bottom first, then the mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "app/wethrix.ico"
    target.write_bytes(ico([(size, dib(render(size))) for size in SIZES]))


if __name__ == "__main__":
    main()
