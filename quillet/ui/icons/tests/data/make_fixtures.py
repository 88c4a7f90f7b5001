#!/usr/bin/env python3
"""Draws the icons of the icon chooser's fixture library, one plain colour
each so a test can tell them apart: red.ico, green.ico, blue.ico, each with
a 32x32 and a 16x16 16-colour image.

Run from anywhere: python3 quillet/ui/icons/tests/data/make_fixtures.py
Standard library only.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', '..', '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import indexed_icon_image, write_ico  # noqa: E402

RED, LIME, BLUE = 9, 10, 12


def solid(size, colour):
    return [[colour] * size for _ in range(size)]


def main():
    for name, colour in (('red', RED), ('green', LIME), ('blue', BLUE)):
        write_ico(os.path.join(HERE, name + '.ico'),
                  [indexed_icon_image(solid(32, colour)), indexed_icon_image(solid(16, colour))])


if __name__ == '__main__':
    main()
