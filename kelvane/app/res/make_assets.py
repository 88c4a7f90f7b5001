#!/usr/bin/env python3
"""Draws kelvane's tray icons.

Writes kelvane.ico, kelvane2.ico, kelvane3.ico (a window pulled back inside a
frame, three steps of its cycle) and finder.ico (a magnifier over a window),
each 32x32 and 16x16, 32-bit with an alpha channel and a mask. Standard
library only; run it again after a change and commit what it writes: the
build uses the files, not the script.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
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


def shrink(p, size):
    step = len(p) // size
    small = blank(size)
    for y in range(size):
        for x in range(size):
            cell = [p[y * step + dy][x * step + dx] for dy in range(step) for dx in range(step)]
            drawn = [c for c in cell if c is not None]
            small[y][x] = drawn[0] if drawn else None
    return small


def image(p):
    size = len(p)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        struct.pack("BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0"
        for row in reversed(p) for c in row)
    stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(p):
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 1 << (stride * 8 - 1 - x)
        mask += bits.to_bytes(stride, "big")
    return header + pixels + mask


def write_ico(name, big):
    images = [image(big), image(shrink(big, 16))]
    sizes = [32, 16]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out)


def main():
    write_ico("kelvane.ico", kelvane(0))
    write_ico("kelvane2.ico", kelvane(-3))
    write_ico("kelvane3.ico", kelvane(3))
    write_ico("finder.ico", finder())


if __name__ == "__main__":
    main()
