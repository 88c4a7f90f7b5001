#!/usr/bin/env python3
"""Draws tempane's icon, splash picture and About picture.

Writes tempane.ico (32x32 and 16x16, 16 colours), splash.bmp and about.bmp
(24-bit) beside this script. Standard library only; run it again after a
change and commit what it writes: the build uses the files, not the script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import VGA_PALETTE as VGA, indexed_icon_image, shrink, write_bmp, write_ico  # noqa: E402

BLACK, NAVY, TEAL, SILVER, GRAY, YELLOW, WHITE = 0, 4, 6, 7, 8, 11, 15
TRANSPARENT = None


def blank(width, height, fill=TRANSPARENT):
    return [[fill] * width for _ in range(height)]


def box(pixels, left, top, right, bottom, colour):
    """Fills the rectangle [left, right) x [top, bottom)."""
    for y in range(top, bottom):
        for x in range(left, right):
            pixels[y][x] = colour


def bevel(pixels, left, top, right, bottom, light, dark):
    for x in range(left, right):
        pixels[top][x] = light
        pixels[bottom - 1][x] = dark
    for y in range(top, bottom):
        pixels[y][left] = light
        pixels[y][right - 1] = dark


def draw_icon(size):
    """A monitor showing the desktop, a window on it and an arrow sending the
    window down to the taskbar. Drawn on a 32 grid, sampled for 16."""
    p = blank(32, 32)
    # Monitor: black outline, silver bezel with a 3-D edge, teal desktop.
    box(p, 1, 2, 31, 25, BLACK)
    box(p, 2, 3, 30, 24, SILVER)
    bevel(p, 2, 3, 30, 24, WHITE, GRAY)
    box(p, 5, 6, 27, 21, BLACK)
    box(p, 6, 7, 26, 20, TEAL)
    # Taskbar along the bottom of the screen.
    box(p, 6, 18, 26, 20, SILVER)
    box(p, 7, 18, 10, 19, WHITE)
    # A window: navy title bar, white body, black frame.
    box(p, 8, 8, 19, 16, BLACK)
    box(p, 9, 9, 18, 15, WHITE)
    box(p, 9, 9, 18, 11, NAVY)
    box(p, 16, 9, 18, 10, SILVER)
    # Yellow arrow pointing down at the taskbar.
    box(p, 21, 8, 23, 13, BLACK)
    for row, half in enumerate(range(3, -1, -1)):
        box(p, 22 - half - 1, 13 + row, 22 + half + 1, 14 + row, BLACK)
    box(p, 21, 9, 23, 12, YELLOW)
    for row, half in enumerate(range(2, -1, -1)):
        box(p, 22 - half, 13 + row, 22 + half, 14 + row, YELLOW)
    # Stand and foot.
    box(p, 12, 25, 20, 27, BLACK)
    box(p, 13, 25, 19, 26, GRAY)
    box(p, 7, 27, 25, 30, BLACK)
    box(p, 8, 27, 24, 29, SILVER)
    box(p, 8, 28, 24, 29, GRAY)
    return p if size == 32 else shrink(p, size)


FONT = {
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "B": ["#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "],
    "C": [" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "],
    "D": ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "F": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    "G": [" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"],
    "H": ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "I": [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "K": ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "N": ["#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "U": ["#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "],
    "Y": ["#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "],
    "0": [" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "],
    "1": ["  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "8": [" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "],
    "9": [" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "],
    ".": ["     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "],
    "(": ["   # ", "  #  ", " #   ", " #   ", " #   ", "  #  ", "   # "],
    ")": [" #   ", "  #  ", "   # ", "   # ", "   # ", "  #  ", " #   "],
    " ": ["     "] * 7,
}


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def draw_text(rows, text, left, top, scale, colour):
    for index, char in enumerate(text):
        glyph = FONT[char]
        for gy, line in enumerate(glyph):
            for gx, mark in enumerate(line):
                if mark != "#":
                    continue
                x0 = left + (index * 6 + gx) * scale
                y0 = top + gy * scale
                for y in range(y0, y0 + scale):
                    for x in range(x0, x0 + scale):
                        rows[y][x] = colour


def blend(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def draw_splash():
    width, height = 360, 216
    top_colour, bottom_colour = (0, 0, 128), (0, 128, 128)
    rows = [[blend(top_colour, bottom_colour, y / (height - 1))] * width for y in range(height)]
    rows = [list(row) for row in rows]
    # The icon, three times its size, on the left.
    icon = draw_icon(32)
    scale = 3
    for y in range(32):
        for x in range(32):
            colour = icon[y][x]
            if colour is TRANSPARENT:
                continue
            for dy in range(scale):
                for dx in range(scale):
                    rows[28 + y * scale + dy][24 + x * scale + dx] = VGA[colour]
    # Title with a drop shadow, then the subtitle and the maker.
    draw_text(rows, "TEMPANE", 140 + 3, 40 + 3, 4, (0, 0, 64))
    draw_text(rows, "TEMPANE", 140, 40, 4, (255, 255, 255))
    draw_text(rows, "98", 140 + 3, 82 + 3, 4, (0, 0, 64))
    draw_text(rows, "98", 140, 82, 4, (255, 255, 0))
    draw_text(rows, "SHOW THE DESKTOP", 140, 128, 2, (192, 192, 192))
    draw_text(rows, "WITH ONE CLICK", 140, 146, 2, (192, 192, 192))
    # A thin rule and the maker along the bottom.
    for x in range(24, width - 24):
        rows[172][x] = (192, 192, 192)
        rows[173][x] = (0, 0, 64)
    draw_text(rows, "NIMBREL", 24, 184, 2, (255, 255, 255))
    version = "VERSION 1.0"
    draw_text(rows, version, width - 24 - text_width(version, 2), 184, 2, (192, 192, 192))
    # Raised 3-D border, as Windows draws its own pictures.
    for x in range(width):
        rows[0][x] = (255, 255, 255)
        rows[height - 1][x] = (0, 0, 0)
        rows[height - 2][x] = (128, 128, 128)
    for y in range(height):
        rows[y][0] = (255, 255, 255)
        rows[y][width - 1] = (0, 0, 0)
        rows[y][width - 2] = (128, 128, 128)
    return rows


def draw_about_picture():
    """The icon on the dialog face colour, as the About box shows it."""
    icon = draw_icon(32)
    face = (192, 192, 192)
    return [[face if c is TRANSPARENT else VGA[c] for c in row] for row in icon]


def main():
    write_ico(os.path.join(HERE, "tempane.ico"), [indexed_icon_image(draw_icon(32)), indexed_icon_image(draw_icon(16))])
    write_bmp(os.path.join(HERE, "splash.bmp"), draw_splash())
    write_bmp(os.path.join(HERE, "about.bmp"), draw_about_picture())


if __name__ == "__main__":
    main()
