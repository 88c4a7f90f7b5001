#!/usr/bin/env python3
"""Draws the pictures of quillet's message and help windows and the icons
its item-icon tests load.

Run from anywhere: python3 quillet/ui/res/make_assets.py
Writes into quillet/ui/res/:
- fallback.ico: the icon an item shows when none of its own can be loaded, a
  blank page with a question mark, 16 colours, 32x32 and 16x16;
- shadow.bmp: the 8x8 half-tone the What's-this pop-up darkens its shadow
  with (black where the shadow darkens, white where the screen shows).
and into quillet/ui/tests/data/:
- program.ico: a plain teal square, the test programs' own icon;
- sizes.ico: one colour per image, so a test can tell which image was taken:
  32x32 true colour red, 32x32 16-colour blue, 16x16 16-colour green,
  16x16 true colour yellow;
- truecolour.ico: 32x32 and 16x16 true colour purple, no 16-colour image.
Standard library only.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import indexed_icon_image, rgba_icon_image, write_bmp, write_ico  # noqa: E402

TEST_DATA = os.path.join(HERE, '..', 'tests', 'data')
BLACK, MAROON, NAVY, SILVER, GREY, RED, LIME, YELLOW, BLUE, TEAL, WHITE = 0, 1, 4, 7, 8, 9, 10, 11, 12, 6, 15

# The question mark, drawn on a 5 x 7 grid and scaled to the icon.
QUESTION = [
    ' ### ',
    '#   #',
    '    #',
    '   # ',
    '  #  ',
    '     ',
    '  #  ',
]


def page(size):
    """A white page with a folded corner and a navy question mark."""
    rows = [[None] * size for _ in range(size)]
    left, right = size // 8, size - size // 8 - 1
    top, bottom = 0, size - 1
    fold = size // 4
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x > right - fold + (y - top):
                continue  # cut corner
            edge = x in (left, right) or y in (top, bottom) or x == right - fold + (y - top)
            rows[y][x] = BLACK if edge else WHITE
    for i in range(fold):
        rows[top + i][right - fold] = BLACK
        rows[top + fold][right - fold + i] = BLACK
        for x in range(right - fold + 1, right - fold + 1 + i):
            rows[top + i][x] = SILVER
    scale = max(1, size // 12)
    qx = (size - 5 * scale) // 2 - scale // 2
    qy = (size - 7 * scale) // 2 + scale
    for gy, line in enumerate(QUESTION):
        for gx, mark in enumerate(line):
            if mark == '#':
                for y in range(scale):
                    for x in range(scale):
                        rows[qy + gy * scale + y][qx + gx * scale + x] = NAVY
    return rows


def solid_indexed(size, colour):
    return [[colour] * size for _ in range(size)]


def solid_rgba(size, rgb):
    return [[rgb + (255,)] * size for _ in range(size)]


def main():
    write_ico(os.path.join(HERE, 'fallback.ico'), [indexed_icon_image(page(32)), indexed_icon_image(page(16))])
    checker = [[(0, 0, 0) if (x + y) % 2 == 0 else (255, 255, 255) for x in range(8)] for y in range(8)]
    write_bmp(os.path.join(HERE, 'shadow.bmp'), checker)

    os.makedirs(TEST_DATA, exist_ok=True)
    write_ico(os.path.join(TEST_DATA, 'program.ico'),
              [indexed_icon_image(solid_indexed(32, TEAL)), indexed_icon_image(solid_indexed(16, TEAL))])
    write_ico(os.path.join(TEST_DATA, 'sizes.ico'), [
        rgba_icon_image(solid_rgba(32, (255, 0, 0))),
        indexed_icon_image(solid_indexed(32, BLUE)),
        indexed_icon_image(solid_indexed(16, LIME)),
        rgba_icon_image(solid_rgba(16, (255, 255, 0))),
    ])
    write_ico(os.path.join(TEST_DATA, 'truecolour.ico'),
              [rgba_icon_image(solid_rgba(32, (128, 0, 128))), rgba_icon_image(solid_rgba(16, (128, 0, 128)))])


if __name__ == '__main__':
    main()
