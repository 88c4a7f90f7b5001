#!/usr/bin/env python3
"""Draws kelvane's tray icons.

Writes kelvane.ico, kelvane2.ico, kelvane3.ico (a window pulled back inside a
frame, three steps of its cycle) and finder.ico (a magnifier over a window),
each 32x32 and 16x16, 32-bit with an alpha channel and a mask; and the window
menu's 8x8 markers drawn over a window's icon: topmost.ico (a red arrow up)
and hidden.ico (a dotted outline). Standard
library only; run it again after a change and commit what it writes: the
build uses the files, not the script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools"))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import rgba_icon_image, shrink, write_ico  # noqa: E402
NAVY, TEAL, WHITE, BLACK, SILVER, YELLOW = (0, 0, 128), (0, 128, 128), (255, 255, 255), (0, 0, 0), (192, 192, 192), (255, 255, 0)


def blank(size):
    return [[None] * size for _ in range(size)]


def box(p, left, top, right, bottom, colour):
    for y in range(max(top, 0), min(bottom, len(p))):
        for x in range(max(left, 0), min(right, len(p))):
            p[y][x] = colour


def window(p, left, top, right, bottom):
    box(p, left, top, right, bottom, BLACK)
    box(p, left + 1, top + 1, right - 1, bottom - 1, WHITE)
    box(p, left + 1, top + 1, right - 1, top + 5, NAVY)


def kelvane(offset):
    p = blank(32)
    box(p, 1, 1, 31, 31, TEAL)          # the screen
    box(p, 2, 2, 30, 30, SILVER)
    window(p, 6 + offset, 8, 26 + offset, 26)
    return p


def finder():
    p = blank(32)
    window(p, 2, 2, 24, 22)
    for y in range(32):
        for x in range(32):
            d = (x - 18) ** 2 + (y - 16) ** 2
            if 36 <= d <= 64:
                p[y][x] = BLACK
            elif d < 36:
                p[y][x] = YELLOW
    for i in range(8):
        box(p, 22 + i, 21 + i, 25 + i, 23 + i, BLACK)
    return p


def icon(name, big):
    images = [rgba_icon_image([[c + (255,) if c else (0, 0, 0, 0) for c in row] for row in p])
              for p in (big, shrink(big, 16))]
    write_ico(os.path.join(HERE, name), images)


def topmost_marker():
    p = blank(8)
    for y in range(4):
        box(p, 3 - y, y, 5 + y, y + 1, (200, 0, 0))
    box(p, 2, 4, 6, 8, (200, 0, 0))
    return p


def hidden_marker():
    p = blank(8)
    box(p, 0, 0, 8, 8, BLACK)
    box(p, 1, 1, 7, 7, WHITE)
    for i in range(1, 7, 2):
        p[0][i] = p[7][i] = p[i][0] = p[i][7] = WHITE
    return p


def marker(name, p):
    write_ico(os.path.join(HERE, name), [rgba_icon_image([[c + (255,) if c else (0, 0, 0, 0) for c in row] for row in p])])


def main():
    icon("kelvane.ico", kelvane(0))
    icon("kelvane2.ico", kelvane(-3))
    icon("kelvane3.ico", kelvane(3))
    icon("finder.ico", finder())
    marker("topmost.ico", topmost_marker())
    marker("hidden.ico", hidden_marker())


if __name__ == "__main__":
    main()
