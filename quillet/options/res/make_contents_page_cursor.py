#!/usr/bin/env python3
"""Writes contents_page_drag.cur: the pointer the contents page shows while a
row is dragged, an arrow with a small page below it. B black, W white, blank
transparent; the hot spot is the arrow's tip."""
import struct

ART = """
B
BB
BWB
BWWB
BWWWB
BWWWWB
BWWWWWB
BWWWWWWB
BWWWWWWWB
BWWWWWWWWB
BWWWWWBBBBB
BWWBWWB
BWB BWWB
BB  BWWB
B    BWWB
     BWWB
      BB
       BBBBBBBBBBB
       BWWWWWWWWWB
       BWBBBBBBBWB
       BWWWWWWWWWB
       BWBBBBBWWWB
       BWWWWWWWWWB
       BBBBBBBBBBB
"""


def main():
    rows = ART.strip("\n").split("\n")
    rows += [""] * (32 - len(rows))
    xor, mask = b"", b""
    for row in reversed(rows):  # bottom-up
        xor_bits = mask_bits = 0
        for x in range(32):
            c = row[x] if x < len(row) else " "
            bit = 1 << (31 - x)
            if c == "W":
                xor_bits |= bit
            elif c != "B":
                mask_bits |= bit
        xor += struct.pack(">I", xor_bits)
        mask += struct.pack(">I", mask_bits)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", 32, 32, 2, 0, 0, 0, len(image), 22)
    with open("contents_page_drag.cur", "wb") as out:
        out.write(directory + image)


if __name__ == "__main__":
    main()
