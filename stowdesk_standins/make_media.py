#!/usr/bin/env python3
"""Writes the distribution's media: the three event sounds (short tones as
8-bit mono PCM .wav files) and the pictures of the images folder (.bmp).

Usage: make_media.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
sys.dont_write_bytecode = True  # leave no cache folder beside the shared module
from imagefiles import write_bmp  # noqa: E402


def wav(path, tones):
    rate = 11025
    samples = bytearray()
    for frequency, milliseconds in tones:
        for n in range(rate * milliseconds // 1000):
            samples.append(128 + int(60 * math.sin(2 * math.pi * frequency * n / rate)))
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate, 1, 8)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(samples)) + samples
    with open(path, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body)) + body)


def bmp(path, width, height, colour):
    write_bmp(path, [[colour] * width] * height)


def main():
    out = sys.argv[1]
    os.makedirs(os.path.join(out, 'images'), exist_ok=True)
    wav(os.path.join(out, 'gnoop.wav'), [(330, 80), (220, 120)])
    wav(os.path.join(out, 'shhhuh.wav'), [(880, 60), (660, 60), (990, 90)])
    wav(os.path.join(out, 'tki-tko.wav'), [(1320, 40), (0, 40), (990, 60)])
    bmp(os.path.join(out, 'images', 'layout_saved.bmp'), 32, 24, (0x00, 0x80, 0x80))
    bmp(os.path.join(out, 'images', 'layout_restored.bmp'), 32, 24, (0x00, 0x00, 0x80))


if __name__ == '__main__':
    main()
