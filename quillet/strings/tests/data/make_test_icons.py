#!/usr/bin/env python3
"""Writes the two icons the Windows tests link as icon resources 1 and 2.

Each .ico holds one 32 x 32 and one 16 x 16 image (32 bits per pixel): a
coloured square with a darker frame. Run it again only to change them; the
generated files are committed beside this script.
"""

import struct


def image(size, fill, frame):
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            edge = x in (0, size - 1) or y in (0, size - 1)
            b, g, r = frame if edge else fill
            row += bytes((b, g, r, 255))
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # all opaque
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def icon(fill, frame):
    images = [image(32, fill, frame), image(16, fill, frame)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in zip((32, 16), images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    return data + b"".join(images)


if __name__ == "__main__":
    with open("program.ico", "wb") as f:
        f.write(icon((200, 120, 40), (90, 50, 10)))
    with open("program_small.ico", "wb") as f:
        f.write(icon((40, 160, 220), (10, 70, 110)))
