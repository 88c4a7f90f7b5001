#!/usr/bin/env python3
"""Draws stowdesk.ico: a desktop with three icons and a box below it, the
installer's picture. Two 32-bit images, 16x16 and 32x32.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

TEAL = (0x00, 0x80, 0x80)
NAVY = (0x00, 0x00, 0x80)
WHITE = (0xFF, 0xFF, 0xFF)
YELLOW = (0xFF, 0xFF, 0x00)
BROWN = (0xA0, 0x60, 0x20)
DARK = (0x40, 0x40, 0x40)


def draw(size):
    """Rows of (r, g, b) or None (transparent), top row first."""
    s = size / 32.0
    pixels = [[None] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    fill(2, 2, 30, 20, DARK)        # monitor frame
    fill(4, 4, 28, 18, TEAL)        # desktop
    for x in (6, 13, 20):           # three desktop icons
        fill(x, 7, x + 5, 12, WHITE)
        fill(x + 1, 8, x + 4, 11, NAVY)
    fill(8, 21, 24, 30, BROWN)      # the box the layout is stowed in
    fill(8, 21, 24, 23, YELLOW)
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for p in row:
            colour += bytes((p[2], p[1], p[0], 0xFF)) if p else bytes(4)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def main():
    images = [image(16), image(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
