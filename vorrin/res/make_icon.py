#!/usr/bin/env python3
"""Draws vorrin.ico: a monitor showing desktop icons, one of them hidden.

Two 16-colour images, 16x16 and 32x32, in the standard Windows palette.
Run from anywhere; writes vorrin.ico beside this script. With --preview DIR it
also writes enlarged PNG previews of both images there.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import VGA_PALETTE as PALETTE, indexed_icon_image, write_ico, write_png  # noqa: E402

BLACK, OLIVE, NAVY, TEAL, SILVER, GREY, LIME, YELLOW, AQUA, WHITE = 0, 3, 4, 6, 7, 8, 10, 11, 14, 15


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]  # None: transparent

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def bevel(self, x0, y0, x1, y1, light, dark):
        self.fill(x0, y0, x1, y0, light)
        self.fill(x0, y0, x0, y1, light)
        self.fill(x0, y1, x1, y1, dark)
        self.fill(x1, y0, x1, y1, dark)

    def dotted_frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            for y in (y0, y1):
                if (x + y) % 2 == 0:
                    self.pixels[y][x] = colour
        for y in range(y0, y1 + 1):
            for x in (x0, x1):
                if (x + y) % 2 == 0:
                    self.pixels[y][x] = colour


def draw_large():
    c = Canvas(32)
    # Monitor case with a raised edge.
    c.fill(1, 2, 30, 23, SILVER)
    c.frame(1, 2, 30, 23, BLACK)
    c.bevel(2, 3, 29, 22, WHITE, GREY)
    # Sunken screen showing a teal desktop with a taskbar.
    c.bevel(4, 5, 27, 19, GREY, WHITE)
    c.fill(5, 6, 26, 18, TEAL)
    c.fill(5, 17, 26, 18, SILVER)
    c.fill(5, 16, 26, 16, WHITE)
    c.fill(6, 17, 8, 18, GREY)
    # A document window icon and a folder icon, each with its label...
    c.fill(7, 8, 11, 12, WHITE)
    c.frame(7, 8, 11, 12, BLACK)
    c.fill(8, 9, 10, 9, NAVY)
    c.fill(7, 14, 11, 14, WHITE)
    c.fill(14, 9, 18, 12, YELLOW)
    c.fill(14, 8, 16, 8, YELLOW)
    c.fill(14, 12, 18, 12, OLIVE)
    c.fill(18, 9, 18, 12, OLIVE)
    c.fill(14, 14, 18, 14, WHITE)
    # ...and one hidden icon, only its outline left.
    c.dotted_frame(21, 8, 25, 12, AQUA)
    # Power light.
    c.fill(26, 21, 27, 21, LIME)
    # Neck and foot.
    c.fill(13, 24, 18, 26, GREY)
    c.fill(12, 24, 12, 26, BLACK)
    c.fill(19, 24, 19, 26, BLACK)
    c.fill(8, 27, 23, 29, SILVER)
    c.frame(8, 27, 23, 29, BLACK)
    c.fill(9, 28, 22, 28, SILVER)
    return c


def draw_small():
    c = Canvas(16)
    c.fill(0, 1, 15, 11, SILVER)
    c.frame(0, 1, 15, 11, BLACK)
    c.fill(2, 3, 13, 9, TEAL)
    c.fill(2, 9, 13, 9, SILVER)
    c.fill(3, 4, 4, 5, WHITE)
    c.fill(3, 4, 4, 4, NAVY)
    c.fill(7, 4, 8, 5, YELLOW)
    c.fill(3, 7, 4, 7, WHITE)
    c.fill(7, 7, 8, 7, WHITE)
    c.pixels[4][10] = AQUA
    c.pixels[5][11] = AQUA
    c.pixels[10][13] = LIME
    c.fill(6, 12, 9, 13, GREY)
    c.fill(3, 14, 12, 14, BLACK)
    return c


def preview_rows(canvas):
    """The image on a pale backdrop where it is transparent."""
    return [[(0xE0, 0xE0, 0xF0) if index is None else PALETTE[index] for index in row] for row in canvas.pixels]


def main():
    small, large = draw_small(), draw_large()
    write_ico(os.path.join(HERE, 'vorrin.ico'), [indexed_icon_image(small.pixels), indexed_icon_image(large.pixels)])
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        write_png(os.path.join(sys.argv[2], 'vorrin-16.png'), preview_rows(small), scale=8)
        write_png(os.path.join(sys.argv[2], 'vorrin-32.png'), preview_rows(large), scale=8)


if __name__ == '__main__':
    main()
