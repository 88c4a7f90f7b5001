#!/usr/bin/env python3
"""Writes the two icons the Windows tests link as icon resources 1 and 2.

Each .ico holds one 32 x 32 and one 16 x 16 image (32 bits per pixel): a
coloured square with a darker frame. Run it again only to change them; the
generated files are committed beside this script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "..", "tools"))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import rgba_icon_image, write_ico  # noqa: E402


def image(size, fill, frame):
    def pixel(x, y):
        edge = x in (0, size - 1) or y in (0, size - 1)
        return (frame if edge else fill) + (255,)
    return rgba_icon_image([[pixel(x, y) for x in range(size)] for y in range(size)])


def icon(fill, frame):
    return [image(32, fill, frame), image(16, fill, frame)]


if __name__ == "__main__":
    write_ico(os.path.join(HERE, "program.ico"), icon((40, 120, 200), (10, 50, 90)))
    write_ico(os.path.join(HERE, "program_small.ico"), icon((220, 160, 40), (110, 70, 10)))
