#!/usr/bin/env python3
"""Draws vorrin.ico: a monitor showing desktop icons, one of them hidden.

Two 16-colour images, 16x16 and 32x32, in the standard Windows palette.
Run from anywhere; writes vorrin.ico beside this script. With --preview DIR it
also writes enlarged PNG previews of both images there.
"""
import os
import struct
import sys
import zlib

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
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


def image_bytes(canvas):
    """BITMAPINFOHEADER, palette, 4-bit colour rows and 1-bit mask rows, bottom-up."""
    size = canvas.size
    colour_row = ((size * 4 + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    colour, mask = bytearray(), bytearray()
    for y in reversed(range(size)):
        row = canvas.pixels[y]
        line = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, index in enumerate(row):
            value = 0 if index is None else index
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        colour += line
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def icon_file(canvases):
    images = [image_bytes(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', canvas.size, canvas.size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def preview_png(canvas, path, scale=8):
    rows = []
    for y in range(canvas.size):
        row = bytearray([0])
        for x in range(canvas.size):
            index = canvas.pixels[y][x]
            rgb = (0xE0, 0xE0, 0xF0) if index is None else PALETTE[index]
            row += bytes(rgb) * scale
        rows += [bytes(row)] * scale
    width = height = canvas.size * scale

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(b''.join(rows))) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def main():
    small, large = draw_small(), draw_large()
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, 'vorrin.ico'), 'wb') as f:
        f.write(icon_file([small, large]))
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        preview_png(small, os.path.join(sys.argv[2], 'vorrin-16.png'))
        preview_png(large, os.path.join(sys.argv[2], 'vorrin-32.png'))


if __name__ == '__main__':
    main()
