#!/usr/bin/env python3
"""Draws the new-item wizard's picture (bitmap 101): a blue band fading
downwards with a tray-menu shape on it, 96x180 pixels, 24 bits.

Run from anywhere: python3 quillet/ui/res/new_item_wizard_picture.py
Writes quillet/ui/res/new_item_wizard.bmp. Standard library only.
"""
import os
import struct

WIDTH, HEIGHT = 96, 180


def pixel(x, y):
    # The menu: a white card with three grey lines and a folder-yellow box.
    if 18 <= x < 78 and 40 <= y < 110:
        if x in (18, 77) or y in (40, 109):
            return (64, 64, 64)
        if 24 <= x < 36 and 48 + 0 <= y < 58:
            return (240, 200, 64)
        for row in (48, 66, 84):
            if 42 <= x < 72 and row + 3 <= y < row + 6:
                return (128, 128, 128)
        return (255, 255, 255)
    # The tray: a grey bar with a small icon under the menu.
    if 118 <= y < 132:
        if 62 <= x < 72 and 120 <= y < 130:
            return (0, 128, 128)
        return (192, 192, 192)
    shade = 200 - (y * 120) // HEIGHT
    return (shade // 3, shade // 2, shade)


def main():
    row_size = (WIDTH * 3 + 3) & ~3
    rows = []
    for y in range(HEIGHT - 1, -1, -1):
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(image), 0, 0, 14 + len(header))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "new_item_wizard.bmp")
    with open(path, "wb") as out:
        out.write(file_header + header + image)


if __name__ == "__main__":
    main()
