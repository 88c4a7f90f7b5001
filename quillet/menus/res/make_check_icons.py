#!/usr/bin/env python3
"""Draws the check marks of checked menu entries: check.ico (black, for a
plain entry) and check_highlight.ico (white, for a highlighted one).

One 16-colour 16x16 image each, in the standard Windows palette. Run from
anywhere; writes both icons beside this script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import indexed_icon_image, write_ico  # noqa: E402

BLACK, WHITE = 0, 15

# The tick: a short stroke down to the right, then a long one up, two pixels thick.
TICK = [(4, 8), (5, 9), (6, 10), (7, 9), (8, 8), (9, 7), (10, 6), (11, 5), (12, 4)]


def draw(colour):
    rows = [[None] * 16 for _ in range(16)]
    for x, y in TICK:
        for dy in (0, 1):
            rows[y + dy][x] = colour
    return rows


def main():
    write_ico(os.path.join(HERE, 'check.ico'), [indexed_icon_image(draw(BLACK))])
    write_ico(os.path.join(HERE, 'check_highlight.ico'), [indexed_icon_image(draw(WHITE))])


if __name__ == '__main__':
    main()
