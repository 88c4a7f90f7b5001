#!/usr/bin/env python3
"""Draws quillet.exe's own pictures.

Run from anywhere: python3 quillet/app/res/make_assets.py
Writes into quillet/app/res/:
- quillet.ico (icon 1): a quill over a tray bar, the program's icon;
- folder.ico (icon 104): a yellow folder, the folder class;
- colsep.ico (icon 105): two columns of lines with a break between them;
- separator.ico (icon 200): one etched line;
each 16 colours, 32x32 and 16x16 (the exact-size images tray icons take).
- startup.bmp (bitmap 102): the start-up screen, 360 x 200, the product name
  over a blue band with the quill and a row of tray icons.
Standard library only; run it again after a change and commit what it
writes: the build uses the files, not the script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import VGA_PALETTE, indexed_icon_image, shrink, write_bmp, write_ico  # noqa: E402

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


def blank(size):
    return [[None] * size for _ in range(size)]


def box(p, left, top, right, bottom, colour):
    for y in range(max(top, 0), min(bottom, len(p))):
        for x in range(max(left, 0), min(right, len(p[0]))):
            p[y][x] = colour


def quill(p, scale, ox=0, oy=0):
    """A feather from the bottom left up to the top right, on a 32-grid."""
    def put(x, y, colour):
        for dy in range(scale):
            for dx in range(scale):
                px, py = ox + x * scale + dx, oy + y * scale + dy
                if 0 <= py < len(p) and 0 <= px < len(p[0]):
                    p[py][px] = colour
    for i in range(22):
        x, y = 6 + i, 25 - i
        width = min(i // 3, 4) if i < 18 else max(0, (21 - i))
        for w in range(-width, width + 1):
            put(x + w // 2, y + (w - w // 2), WHITE if w else SILVER)
        put(x, y, GREY)
    for i in range(5):  # the nib
        put(4 + i // 2, 29 - i, BLACK)


def program_icon(size):
    p = blank(32)
    box(p, 1, 1, 31, 31, NAVY)
    box(p, 2, 2, 30, 30, BLUE)
    box(p, 3, 26, 29, 29, SILVER)   # the tray
    box(p, 22, 27, 25, 28, LIME)
    box(p, 26, 27, 28, 28, YELLOW)
    quill(p, 1)
    return shrink(p, size, most_drawn)


def folder_icon(size):
    p = blank(32)
    box(p, 2, 7, 14, 11, OLIVE)
    box(p, 2, 10, 30, 28, OLIVE)
    box(p, 3, 11, 29, 27, YELLOW)
    box(p, 3, 11, 29, 13, WHITE)
    return shrink(p, size, most_drawn)


def column_separator_icon(size):
    p = blank(32)
    for left in (3, 19):
        for top in range(5, 28, 5):
            box(p, left, top, left + 10, top + 2, GREY)
    box(p, 15, 2, 17, 30, BLUE)
    return shrink(p, size, most_drawn)


def separator_icon(size):
    p = blank(32)
    box(p, 2, 14, 30, 15, GREY)
    box(p, 2, 15, 30, 16, WHITE)
    return shrink(p, size, most_drawn)


def most_drawn(drawn):
    return max(set(drawn), key=drawn.count)


def icon(name, draw):
    write_ico(os.path.join(HERE, name), [indexed_icon_image(draw(32)), indexed_icon_image(draw(16))])


# The product name in a 5 x 7 letter grid.
LETTERS = {
    'Q': [' ### ', '#   #', '#   #', '#   #', '# # #', '#  # ', ' ## #'],
    'u': ['     ', '     ', '#   #', '#   #', '#   #', '#  ##', ' ## #'],
    'i': ['  #  ', '     ', ' ##  ', '  #  ', '  #  ', '  #  ', ' ### '],
    'l': [' ##  ', '  #  ', '  #  ', '  #  ', '  #  ', '  #  ', ' ### '],
    'e': ['     ', '     ', ' ### ', '#   #', '#####', '#    ', ' ### '],
    't': ['  #  ', '  #  ', '#####', '  #  ', '  #  ', '  #  ', '   ##'],
}


def startup_screen():
    width, height = 360, 200
    rgb = lambda index: VGA_PALETTE[index]
    rows = []
    for y in range(height):
        # A band from deep blue at the top to teal at the bottom.
        t = y / (height - 1)
        colour = (int(0x10 + 0x00 * t), int(0x20 + 0x60 * t), int(0x70 + 0x30 * t))
        rows.append([colour] * width)
    # Frame.
    for x in range(width):
        rows[0][x] = rows[height - 1][x] = rgb(SILVER)
    for y in range(height):
        rows[y][0] = rows[y][width - 1] = rgb(SILVER)
    # The name, 6 pixels to a grid cell, with a dark shadow.
    scale, left, top = 6, 116, 44
    for n, letter in enumerate('Quillet'):
        for gy, line in enumerate(LETTERS[letter]):
            for gx, mark in enumerate(line):
                if mark != '#':
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x, y = left + n * 32 + gx * scale + dx, top + gy * scale + dy
                        rows[y + 3][x + 3] = (0x08, 0x10, 0x30)
                        rows[y][x] = rgb(WHITE)
    # The quill, drawn three times the icon's size at the left.
    feather = [[None] * 96 for _ in range(96)]
    quill(feather, 3)
    for y in range(96):
        for x in range(96):
            if feather[y][x] is not None:
                rows[30 + y][20 + x] = rgb(feather[y][x])
    # A tray with three icons along the bottom.
    for y in range(150, 176):
        for x in range(20, 340):
            rows[y][x] = rgb(SILVER) if y in (150, 175) or x in (20, 339) else (0xD4, 0xD0, 0xC8)
    for n, colour in enumerate((YELLOW, LIME, BLUE)):
        for y in range(156, 170):
            for x in range(290 - n * 22, 304 - n * 22):
                rows[y][x] = rgb(colour)
    write_bmp(os.path.join(HERE, 'startup.bmp'), rows)


if __name__ == '__main__':
    icon('quillet.ico', program_icon)
    icon('folder.ico', folder_icon)
    icon('colsep.ico', column_separator_icon)
    icon('separator.ico', separator_icon)
    startup_screen()
