#!/usr/bin/env python3
"""Tests of the picture-file writer, and that every asset generator still
makes the pictures committed beside it."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(TOOLS)
sys.path.insert(0, TOOLS)
sys.dont_write_bytecode = True  # leave no cache folder beside the module
import imagefiles  # noqa: E402

# Each generator and the committed pictures it writes, relative to the source root.
GENERATORS = {
    'corvessa/assets/make_assets.py':
        ['corvessa/assets/%s' % name for name in ('corvessa.ico', 'folder_closed.ico', 'folder_open.ico',
                                                  'background.bmp', 'arrow_previous.bmp', 'arrow_next.bmp')] +
        ['corvessa/tests/fixture/icon%02d.ico' % number for number in range(12)],
    'kelvane/app/res/make_assets.py':
        ['kelvane/app/res/%s.ico' % name for name in ('kelvane', 'kelvane2', 'kelvane3', 'finder')],
    'tempane/res/make_assets.py': ['tempane/res/tempane.ico', 'tempane/res/splash.bmp', 'tempane/res/about.bmp'],
    'vorrin/res/make_icon.py': ['vorrin/res/vorrin.ico'],
    'quillet/strings/tests/data/make_test_icons.py':
        ['quillet/strings/tests/data/program.ico', 'quillet/strings/tests/data/program_small.ico'],
}


def dib_rows(dib, width, height, bits):
    """The rows of a bottom-up DIB's pixel data, top row first, padding included."""
    stride = (width * bits + 31) // 32 * 4
    return [dib[(height - 1 - y) * stride:(height - y) * stride] for y in range(height)]


class Formats(unittest.TestCase):
    # A width that is no whole number of bytes, nibbles or words shows the row padding.
    ODD = [[1, None, 15], [None, 0, 9]]

    def test_indexed_icon_packs_nibbles_pads_rows_and_masks_the_transparent_pixels(self):
        image = imagefiles.indexed_icon_image(self.ODD)
        self.assertEqual((3, 2, 16, 4), image[:4])
        header = struct.unpack_from('<IiiHHIIiiII', image.dib)
        self.assertEqual((40, 3, 4, 1, 4), header[:5], 'the DIB is as high as colour and mask together')
        self.assertEqual(16, header[9])
        self.assertEqual(bytes((0x80, 0, 0, 0)), image.dib[40 + 4 * 4:40 + 5 * 4], 'palette entry 4 is navy, as BGR0')
        colour = image.dib[40 + 64:40 + 64 + 8]
        self.assertEqual([bytes((0x10, 0xF0, 0, 0)), bytes((0x00, 0x90, 0, 0))], dib_rows(colour, 3, 2, 4))
        mask = image.dib[40 + 64 + 8:]
        self.assertEqual([bytes((0x40, 0, 0, 0)), bytes((0x80, 0, 0, 0))], dib_rows(mask, 3, 2, 1))

    def test_rgba_icon_keeps_alpha_and_masks_only_fully_transparent_pixels(self):
        image = imagefiles.rgba_icon_image([[(1, 2, 3, 255), (4, 5, 6, 0), (7, 8, 9, 1)]])
        self.assertEqual((3, 1, 0, 32), image[:4])
        self.assertEqual(bytes((3, 2, 1, 255, 6, 5, 4, 0, 9, 8, 7, 1)), image.dib[40:52])
        self.assertEqual(bytes((0x40, 0, 0, 0)), image.dib[52:])

    def test_icon_directory_points_at_each_image_in_order(self):
        images = [imagefiles.rgba_icon_image([[(0, 0, 0, 255)] * 256] * 256),
                  imagefiles.indexed_icon_image(self.ODD)]
        data = imagefiles.ico_bytes(images)
        self.assertEqual((0, 1, 2), struct.unpack_from('<HHH', data))
        offset = 6 + 2 * 16
        for index, image in enumerate(images):
            entry = struct.unpack_from('<BBBBHHII', data, 6 + 16 * index)
            self.assertEqual((image.width % 256, image.height % 256, image.colours, 0, 1, image.bits,
                              len(image.dib), offset), entry)
            self.assertEqual(image.dib, data[offset:offset + len(image.dib)])
            offset += len(image.dib)
        self.assertEqual(len(data), offset)

    def test_bitmap_is_bottom_up_bgr_with_padded_rows(self):
        data = imagefiles.bmp_bytes([[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(1, 2, 3)] * 3])
        magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data)
        self.assertEqual((b'BM', len(data), 54), (magic, size, offset))
        header = struct.unpack_from('<IiiHHIIiiII', data, 14)
        self.assertEqual((40, 3, 2, 1, 24, 0, 24), header[:7])
        self.assertEqual([bytes((0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0)), bytes((3, 2, 1) * 3 + (0, 0, 0))],
                         dib_rows(data[54:], 3, 2, 24))


class Generators(unittest.TestCase):
    def test_each_generator_makes_the_committed_pictures(self):
        # The generators write beside themselves, so each runs in a copy of its folders.
        with tempfile.TemporaryDirectory() as scratch:
            shutil.copytree(TOOLS, os.path.join(scratch, 'tools'))
            for script, outputs in GENERATORS.items():
                with self.subTest(script=script):
                    copy = os.path.join(scratch, script)
                    os.makedirs(os.path.dirname(copy), exist_ok=True)
                    shutil.copy(os.path.join(ROOT, script), copy)
                    result = subprocess.run([sys.executable, copy], cwd=scratch, capture_output=True, text=True)
                    self.assertEqual(0, result.returncode, result.stderr)
                    for output in outputs:
                        with open(os.path.join(ROOT, output), 'rb') as f:
                            committed = f.read()
                        with open(os.path.join(scratch, output), 'rb') as f:
                            made = f.read()
                        self.assertTrue(committed == made, '%s differs from what %s makes' % (output, script))


if __name__ == '__main__':
    unittest.main()
