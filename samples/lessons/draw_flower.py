#!/usr/bin/env python3
"""Draws flower.bmp, the picture of the pictures lesson: a 120 x 120, 24-bit BMP of a
flower (six petals around a centre, a stem) on white. Pure arithmetic, so the file is the
same byte for byte on every machine.  Usage: draw_flower.py OUTPUT.bmp"""
import math
import struct
import sys

SIZE = 120


def colour_at(x, y):
    cx, cy = 60, 48
    if 56 <= x <= 63 and y > 70:                                   # stem
        return (40, 150, 40)
    if (x - 80) ** 2 / 200 + (y - 95) ** 2 / 40 <= 1:              # leaf
        return (60, 180, 60)
    d = math.hypot(x - cx, y - cy)
    if d <= 10:                                                    # centre
        return (250, 200, 0)
    for k in range(6):                                             # petals
        a = k * math.pi / 3
        px, py = cx + 22 * math.cos(a), cy + 22 * math.sin(a)
        if math.hypot(x - px, y - py) <= 13:
            return (230, 60, 120) if k % 2 == 0 else (250, 120, 170)
    return (255, 255, 255)


def bmp():
    row_size = (SIZE * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):                              # bottom row first
        row = bytearray()
        for x in range(SIZE):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        pixels += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as out:
        out.write(bmp())
