#!/usr/bin/env python3
"""Draws the pictures of quillet's advanced options and tip of the day.

Run from anywhere: python3 quillet/options/res/make_advanced_assets.py
Writes into quillet/options/res/ (16 colours, 32x32 and 16x16 each):
- interface.ico (icon 203): a small window with a title bar, the user
  interface sub-page;
- language.ico (icon 201): a globe, the language sub-page;
- tip.ico (icon 206): a light bulb, the tip of the day;
and play.bmp (bitmap 219): a black triangle pointing right on the button
face grey, the sound list's play button.
Standard library only.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import indexed_icon_image, write_bmp, write_ico  # noqa: E402

BLACK, GREEN, NAVY, TEAL, SILVER, GREY, YELLOW, BLUE, WHITE = 0, 2, 4, 6, 7, 8, 11, 12, 15


def blank(size):
    return [[None] * size for _ in range(size)]


def window(size):
    rows = blank(size)
    left, top, right, bottom = 1, size // 8, size - 2, size - size // 8 - 1
    bar = top + max(2, size // 6)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            rows[y][x] = BLACK if edge else (NAVY if y < bar else WHITE)
    # Three lines of "text" in the window.
    for line in range(3):
        y = bar + 2 + line * max(2, size // 8)
        if y < bottom - 1:
            for x in range(left + 3, right - 3 - line * size // 8):
                rows[y][x] = GREY
    return rows


def globe(size):
    rows = blank(size)
    c = (size - 1) / 2
    r = size / 2 - 1
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= r:
                rows[y][x] = BLUE
                if d > r - 1.2:
                    rows[y][x] = NAVY
    # Land: two green patches.
    for y in range(size):
        for x in range(size):
            if rows[y][x] == BLUE:
                u, v = x / size, y / size
                if (u - 0.35) ** 2 + (v - 0.35) ** 2 < 0.03 or (u - 0.65) ** 2 + (v - 0.68) ** 2 < 0.025:
                    rows[y][x] = GREEN
    # Meridian and equator.
    mid = size // 2
    for i in range(size):
        if rows[mid][i] is not None:
            rows[mid][i] = NAVY
        if rows[i][mid] is not None:
            rows[i][mid] = NAVY
    return rows


def bulb(size):
    rows = blank(size)
    c = (size - 1) / 2
    r = size * 0.33
    cy = size * 0.38
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - cy) ** 2) ** 0.5
            if d <= r:
                rows[y][x] = BLACK if d > r - 1.1 else YELLOW
    base_top = int(cy + r * 0.8)
    half = max(2, size // 8)
    for y in range(base_top, min(size, base_top + size // 4)):
        for x in range(int(c) - half + 1, int(c) + half + 1):
            rows[y][x] = GREY if (y - base_top) % 2 == 0 else SILVER
    return rows


def play(width, height):
    face = (192, 192, 192)
    rows = [[face] * width for _ in range(height)]
    top, bottom = 2, height - 3
    left = width // 2 - (bottom - top) // 4 - 1
    for y in range(top, bottom + 1):
        reach = min(y - top, bottom - y) // 2
        for x in range(left, left + reach + 1):
            rows[y][x] = (0, 0, 0)
    return rows


def main():
    for name, draw in (('interface.ico', window), ('language.ico', globe), ('tip.ico', bulb)):
        write_ico(os.path.join(HERE, name), [indexed_icon_image(draw(32)), indexed_icon_image(draw(16))])
    write_bmp(os.path.join(HERE, 'play.bmp'), play(12, 12))


if __name__ == '__main__':
    main()
