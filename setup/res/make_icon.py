#!/usr/bin/env python3
"""Draws stowdesk.ico: a desktop with three icons and a box below it, the
installer's picture. Two 32-bit images, 16x16 and 32x32.

Usage: make_icon.py OUTPUT.ico
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import rgba_icon_image, write_ico  # noqa: E402

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
    return rgba_icon_image([[p + (0xFF,) if p else (0, 0, 0, 0) for p in row] for row in draw(size)])


def main():
    write_ico(sys.argv[1], [image(16), image(32)])


if __name__ == '__main__':
    main()
