#!/usr/bin/env python3
"""Builds a quillet language library (.mlb) from a plain text source.

Source format (UTF-8): one text per line, "key = text"; blank lines and lines
starting with '#' are ignored. The text starts after the '=' and one blank and
runs to the end of the line (trailing blanks are dropped). A '¬' in a text is
the library's line break (it becomes CR LF when the text is shown). The texts
are stored in an 8-bit code page (--encoding, cp1252 by default).

With --keys, the source must define exactly the keys of that list (one key a
line, '#' comments): a missing, unknown or doubled key is an error, so that
every library of the program holds every key the program uses.

Library layout (little-endian): "mlb", one zero byte, the entry count N, N
entries of (key hash: 4 bytes, text offset from the start of the file:
3 bytes) sorted by hash, then the NUL-terminated texts in entry order.
"""

import argparse
import os
import struct
import sys

HASH_START = 0x0FEDCBA9
MAX_OFFSET = (1 << 24) - 1


def key_hash(key_bytes):
    """The library's key hash: ELF/PJW over signed bytes, non-zero start."""
    h = HASH_START
    for b in key_bytes:
        signed = b - 256 if b >= 128 else b
        h = ((h << 4) + signed) & 0xFFFFFFFF
        g = h & 0xF0000000
        if g:
            h ^= g >> 24
        h &= ~g & 0xFFFFFFFF
    return h


class SourceError(Exception):
    pass


def read_key_list(path):
    keys = []
    seen = set()
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line in seen:
                raise SourceError(f"{path}:{number}: key '{line}' listed twice")
            check_key(line, path, number)
            seen.add(line)
            keys.append(line)
    return keys


def check_key(key, path, number):
    if not key:
        raise SourceError(f"{path}:{number}: empty key")
    for c in key:
        if c in " ;$=" or not (0x21 <= ord(c) <= 0x7E):
            raise SourceError(f"{path}:{number}: key '{key}' holds '{c}', which cannot appear in a key reference")


def read_source(path, encoding):
    entries = []
    seen = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if "=" not in line:
                raise SourceError(f"{path}:{number}: expected 'key = text'")
            key, text = line.split("=", 1)
            key = key.strip()
            check_key(key, path, number)
            if key in seen:
                raise SourceError(f"{path}:{number}: key '{key}' already defined on line {seen[key]}")
            seen[key] = number
            if text.startswith(" "):
                text = text[1:]
            text = text.rstrip(" \t")
            try:
                data = text.encode(encoding)
            except UnicodeEncodeError as e:
                raise SourceError(f"{path}:{number}: text of '{key}' not representable in {encoding}: {e}")
            entries.append((key, data))
    return entries


def build_library(entries):
    """Library bytes for (key, text bytes) pairs; keys must hash apart."""
    by_hash = {}
    for key, data in entries:
        h = key_hash(key.encode("ascii"))
        if h in by_hash:
            raise SourceError(f"keys '{by_hash[h][0]}' and '{key}' have the same hash {h:#010x}")
        by_hash[h] = (key, data)
    ordered = sorted(by_hash.items())

    header = b"mlb\0" + struct.pack("<I", len(ordered))
    offset = len(header) + 7 * len(ordered)
    table = bytearray()
    texts = bytearray()
    for h, (key, data) in ordered:
        if offset + len(texts) > MAX_OFFSET:
            raise SourceError("the texts do not fit the 24-bit offsets of the library format")
        table += struct.pack("<I", h) + (offset + len(texts)).to_bytes(3, "little")
        texts += data + b"\0"
    return header + bytes(table) + bytes(texts)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source", help="text source (key = text)")
    parser.add_argument("output", help="library file to write")
    parser.add_argument("--keys", help="list of the keys the library must define")
    parser.add_argument("--encoding", default="cp1252", help="code page of the stored texts")
    args = parser.parse_args(argv)

    try:
        entries = read_source(args.source, args.encoding)
        if args.keys:
            required = read_key_list(args.keys)
            defined = [key for key, _ in entries]
            missing = [key for key in required if key not in set(defined)]
            unknown = [key for key in defined if key not in set(required)]
            problems = []
            if missing:
                problems.append(f"{args.source}: no text for: {', '.join(missing)}")
            if unknown:
                problems.append(f"{args.source}: keys not in {args.keys}: {', '.join(unknown)}")
            if problems:
                raise SourceError("\n".join(problems))
        library = build_library(entries)
    except (SourceError, OSError) as e:
        print(f"mlb_build: {e}", file=sys.stderr)
        return 1

    # Written beside the target and renamed, so a failed build never leaves a
    # half-written library behind.
    temporary = args.output + ".tmp"
    with open(temporary, "wb") as f:
        f.write(library)
    os.replace(temporary, args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
