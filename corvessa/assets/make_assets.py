#!/usr/bin/env python3
"""Draws corvessa's pictures and writes its help text.

Run from anywhere: python3 corvessa/assets/make_assets.py
Writes the icons, bitmaps and help.rtf into corvessa/assets/ and the twelve
icons of the test library into corvessa/tests/fixture/. Standard library only.
"""
import colorsys
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import rgba_icon_image, write_bmp, write_ico  # noqa: E402

FIXTURE = os.path.join(HERE, '..', 'tests', 'fixture')
SAMPLES = 4  # supersampling per axis for smooth edges


class Canvas:
    """RGBA pixels, top row first; shapes are painted with coverage."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [list(fill) for _ in range(width * height)]

    def blend(self, x, y, color, coverage):
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        r, g, b = color[:3]
        a = (color[3] if len(color) > 3 else 255) / 255.0 * coverage
        dst = self.pixels[y * self.width + x]
        da = dst[3] / 255.0
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        for i, c in enumerate((r, g, b)):
            dst[i] = int(round((c * a + dst[i] * da * (1 - a)) / out_a))
        dst[3] = int(round(out_a * 255))

    def shape(self, inside, color, box=None):
        """Paints every pixel by the share of its samples where inside(x, y)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                            hits += 1
                self.blend(x, y, color, hits / (SAMPLES * SAMPLES))

    def rect(self, x0, y0, x1, y1, color):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color, (x0, y0, x1, y1))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.shape(lambda x, y: inside_polygon(points, x, y), color, (min(xs), min(ys), max(xs) + 1, max(ys) + 1))

    def rounded(self, x0, y0, x1, y1, radius, color):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self.shape(inside, color, (x0, y0, x1, y1))


def inside_polygon(points, x, y):
    result = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def scaled(points, s):
    return [(x * s, y * s) for x, y in points]


def pixel_rows(canvas):
    """The pixels as (r, g, b, a) rows, top row first."""
    w = canvas.width
    return [[tuple(p) for p in canvas.pixels[y * w:(y + 1) * w]] for y in range(canvas.height)]


def icon(canvases):
    return [rgba_icon_image(pixel_rows(c)) for c in canvases]


def over_backdrop(r, g, b, a, backdrop):
    k = a / 255.0
    return tuple(int(round(c * k + bc * (1 - k))) for c, bc in zip((r, g, b), backdrop))


def on_backdrop(canvas, backdrop=(255, 0, 255)):
    """(r, g, b) rows for a bitmap; transparent pixels take the backdrop colour."""
    return [[over_backdrop(*pixel, backdrop) for pixel in row] for row in pixel_rows(canvas)]


# ---- pictures ------------------------------------------------------------

def recycle_bin(size):
    """A wire-sided bin with a green recycling badge."""
    c = Canvas(size, size)
    s = size / 32.0
    shadow = (20, 35, 50, 70)
    c.polygon(scaled([(9, 10.5), (26, 10.5), (24, 31), (11, 31)], s), shadow)
    c.polygon(scaled([(7, 9), (25, 9), (23, 30), (9, 30)], s), (64, 86, 110))
    c.polygon(scaled([(8, 9.5), (24, 9.5), (22.2, 29), (9.8, 29)], s), (196, 212, 226))
    if size >= 32:
        for rib in (11.5, 14.5, 17.5, 20.5):
            top_x, bottom_x = rib, 16 + (rib - 16) * 0.8
            c.polygon([(top_x * s, 11 * s), ((top_x + 0.9) * s, 11 * s), ((bottom_x + 0.9) * s, 28 * s),
                       (bottom_x * s, 28 * s)], (150, 170, 190))
    c.rounded(5 * s, 5.5 * s, 27 * s, 9.5 * s, 1.2 * s, (44, 64, 88))
    c.rounded(6 * s, 6.2 * s, 26 * s, 8.4 * s, 0.8 * s, (120, 146, 172))
    c.rounded(13 * s, 3.5 * s, 19 * s, 6 * s, 1 * s, (44, 64, 88))
    # The badge: three arrows chasing round a circle.
    cx, cy, radius = 16 * s, 19.5 * s, 5.6 * s
    thickness = 1.9 * s if size >= 32 else 2.2 * s

    def ring(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - radius) > thickness / 2:
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 120
        return angle < 96
    c.shape(ring, (36, 150, 70))
    for k in range(3):
        a = math.radians(96 + 120 * k)
        tip = a + math.radians(22)
        px, py = cx + radius * math.cos(a), cy + radius * math.sin(a)
        ox, oy = math.cos(a) * thickness * 1.3, math.sin(a) * thickness * 1.3
        tx, ty = cx + radius * math.cos(tip), cy + radius * math.sin(tip)
        c.polygon([(px + ox, py + oy), (px - ox, py - oy), (tx, ty)], (36, 150, 70))
    return c


def folder(size, opened):
    c = Canvas(size, size)
    s = size / 16.0
    edge = (150, 110, 20)
    c.rounded(1 * s, 3 * s, 7 * s, 6 * s, 0.8 * s, edge)
    c.rect(1 * s, 4.5 * s, 14.5 * s, 14 * s, edge)
    c.rect(1.7 * s, 5.2 * s, 13.8 * s, 13.3 * s, (236, 196, 84))
    if opened:
        c.polygon(scaled([(3.2, 7.5), (15.6, 7.5), (13.8, 14), (1, 14)], s), edge)
        c.polygon(scaled([(3.8, 8.2), (14.7, 8.2), (13.2, 13.3), (1.8, 13.3)], s), (252, 222, 120))
    else:
        c.rect(1.7 * s, 6.5 * s, 13.8 * s, 7.2 * s, (252, 226, 140))
    return c


def background(width, height):
    c = Canvas(width, height, (0, 0, 0, 255))
    top, bottom = (233, 239, 245), (196, 211, 225)
    for y in range(height):
        t = y / (height - 1)
        base = [int(a + (b - a) * t) for a, b in zip(top, bottom)]
        for x in range(width):
            shade = 4 if (x + y) % 7 == 0 else 0
            c.pixels[y * width + x] = [base[0] - shade, base[1] - shade, base[2] - shade, 255]
    # Title band.
    left, right = (24, 52, 86), (40, 112, 140)
    for y in range(28):
        for x in range(width):
            t = x / (width - 1)
            glow = (28 - y) * 1.2
            c.pixels[y * width + x] = [min(255, int(a + (b - a) * t + glow)) for a, b in zip(left, right)] + [255]
    for x in range(width):
        c.pixels[28 * width + x] = [120, 170, 200, 255]
        c.pixels[29 * width + x] = [70, 100, 130, 255]
    # Two etched panels: the Recycle Bin on the left, the icon browser on the right.
    for x0, y0, x1, y1 in ((8, 36, 180, 333), (188, 36, 372, 333)):
        c.rect(x0, y0, x1, y1, (255, 255, 255, 70))
        for x in range(x0, x1):
            c.blend(x, y0, (110, 130, 150), 1)
            c.blend(x, y0 + 1, (255, 255, 255), 1)
            c.blend(x, y1 - 1, (110, 130, 150), 1)
            c.blend(x, y1, (255, 255, 255), 1)
        for y in range(y0, y1):
            c.blend(x0, y, (110, 130, 150), 1)
            c.blend(x0 + 1, y, (255, 255, 255), 1)
            c.blend(x1 - 1, y, (110, 130, 150), 1)
            c.blend(x1, y, (255, 255, 255), 1)
    # A faint bin in the corner of the left panel.
    mark = recycle_bin(32)
    for y in range(32):
        for x in range(32):
            r, g, b, a = mark.pixels[y * 32 + x]
            for dy in range(2):
                for dx in range(2):
                    c.blend(118 + x * 2 + dx, 36 + y * 2 + dy, (r, g, b), a / 255.0 * 0.10)
    return c


def arrows(pointing_left):
    """Two 16x16 looks side by side: usable and dimmed."""
    c = Canvas(32, 16)
    for half, (fill, edge) in enumerate((((46, 120, 150), (20, 60, 90)), ((170, 180, 190), (140, 150, 160)))):
        ox = half * 16
        if pointing_left:
            outer = [(ox + 2, 8), (ox + 13, 1.5), (ox + 13, 14.5)]
            inner = [(ox + 4, 8), (ox + 12, 3.2), (ox + 12, 12.8)]
        else:
            outer = [(ox + 14, 8), (ox + 3, 1.5), (ox + 3, 14.5)]
            inner = [(ox + 12, 8), (ox + 4, 3.2), (ox + 4, 12.8)]
        c.polygon(outer, edge + (255,))
        c.polygon(inner, fill + (255,))
    return c


DIGITS = {
    '0': ['111', '101', '101', '101', '111'], '1': ['010', '110', '010', '010', '111'],
    '2': ['111', '001', '111', '100', '111'], '3': ['111', '001', '111', '001', '111'],
    '4': ['101', '101', '111', '001', '001'], '5': ['111', '100', '111', '001', '111'],
    '6': ['111', '100', '111', '101', '111'], '7': ['111', '001', '010', '010', '010'],
    '8': ['111', '101', '111', '101', '111'], '9': ['111', '101', '111', '001', '111'],
}


def numbered(size, number):
    """A coloured tile with its number, one of the test library's icons."""
    c = Canvas(size, size)
    r, g, b = (int(v * 255) for v in colorsys.hsv_to_rgb(number / 12.0, 0.65, 0.85))
    c.rounded(1, 1, size - 1, size - 1, size / 6.0, (r // 2, g // 2, b // 2))
    c.rounded(2, 2, size - 2, size - 2, size / 7.0, (r, g, b))
    text = str(number)
    cell = max(1, size // 10)
    width = (len(text) * 4 - 1) * cell
    x = (size - width) // 2
    y = (size - 5 * cell) // 2
    for ch in text:
        for row, bits in enumerate(DIGITS[ch]):
            for col, bit in enumerate(bits):
                if bit == '1':
                    c.rect(x + col * cell, y + row * cell, x + (col + 1) * cell, y + (row + 1) * cell,
                           (255, 255, 255))
        x += 4 * cell
    return c


HELP_RTF = r"""{\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}}
{\colortbl ;\red24\green52\blue86;\red40\green112\blue140;\red64\green64\blue64;}
\viewkind4\uc1\pard\sa120\cf1\b\f0\fs28 Corvessa\b0\fs20\par
\cf3 Corvessa gives the Recycle Bin a name and icons of your choice. The shell shows one icon while the Recycle Bin holds deleted files (full) and another while it is empty.\par
\cf2\b\fs22 Renaming the Recycle Bin\b0\fs20\par
\cf3 The current name is shown at the top of the window. Type the new name in the \b Rename\b0  box and click \b Apply!\b0 . A name that differs only in capital letters or in blanks at its end is not a new name, and an empty box leaves the name as it is.\par
\cf2\b\fs22 Choosing icons\b0\fs20\par
\cf3\pard\fi-240\li240\tx240\sa60 1.\tab Click the \b Full\b0  or \b Empty\b0  box in the \i new\i0  row. The orange frame shows which icon you are choosing.\par
2.\tab Pick the drive, double-click a folder and choose what to show under \b Type\b0 : icon files (*.ico), libraries (*.dll, *.icl) or programs (*.exe).\par
3.\tab Click a file. A library or program may hold many icons: step through them with the arrows beside the picture; the line below it tells which icon you see.\par
4.\tab Click the picture to take the icon you see for the framed box.\par
\pard\sa120\cf2\b\fs22 Applying\b0\fs20\par
\cf3 Click \b Apply!\b0  to store the new name and icons. Only what you changed is stored. Corvessa then asks the shell to redraw its icons, so the desktop and folders show the new look at once.\par
\cf2\b\fs22 Moving and closing\b0\fs20\par
\cf3 Drag the window by any free spot of its background. Click \b X\b0  at the top right to close Corvessa, and \b ?\b0  to open this help. Corvessa keeps no settings of its own.\par
\cf1\i\fs16 Corvessa 1.0 \endash  Nimbrel desktop utilities\i0\par
}
"""


def main():
    os.makedirs(FIXTURE, exist_ok=True)
    write_ico(os.path.join(HERE, 'corvessa.ico'), icon([recycle_bin(16), recycle_bin(32)]))
    write_ico(os.path.join(HERE, 'folder_closed.ico'), icon([folder(16, False), folder(32, False)]))
    write_ico(os.path.join(HERE, 'folder_open.ico'), icon([folder(16, True), folder(32, True)]))
    write_bmp(os.path.join(HERE, 'background.bmp'), on_backdrop(background(380, 340)))
    write_bmp(os.path.join(HERE, 'arrow_previous.bmp'), on_backdrop(arrows(True)))
    write_bmp(os.path.join(HERE, 'arrow_next.bmp'), on_backdrop(arrows(False)))
    with open(os.path.join(HERE, 'help.rtf'), 'w', newline='\r\n') as f:
        f.write(HELP_RTF)
    for number in range(12):
        write_ico(os.path.join(FIXTURE, 'icon%02d.ico' % number), icon([numbered(16, number), numbered(32, number)]))


if __name__ == '__main__':
    main()
