#!/usr/bin/env python3
"""Tests of the language library build tool: source checks and file layout."""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mlb_build  # noqa: E402

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mlb_build.py")


class BuildTool(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def write(self, name, text):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def run_tool(self, source_text, keys_text=None):
        source = self.write("source.txt", source_text)
        output = os.path.join(self.folder.name, "out.mlb")
        command = [sys.executable, TOOL, source, output]
        if keys_text is not None:
            command += ["--keys", self.write("keys.txt", keys_text)]
        result = subprocess.run(command, capture_output=True, text=True)
        return result, output

    def test_builds_a_sorted_table_with_texts_in_entry_order(self):
        result, output = self.run_tool("b = two\na = one\n# comment\n\nc = Grüße¬x\n", "a\nb\nc\n")
        self.assertEqual(0, result.returncode, result.stderr)
        with open(output, "rb") as f:
            data = f.read()
        self.assertEqual(b"mlb\0", data[:4])
        count = struct.unpack_from("<I", data, 4)[0]
        self.assertEqual(3, count)
        hashes = []
        for i in range(count):
            h = struct.unpack_from("<I", data, 8 + 7 * i)[0]
            offset = int.from_bytes(data[12 + 7 * i:15 + 7 * i], "little")
            hashes.append(h)
            text = data[offset:data.index(b"\0", offset)]
            key = {mlb_build.key_hash(k.encode()): k for k in "abc"}[h]
            self.assertEqual({"a": b"one", "b": b"two", "c": "Grüße\xacx".encode("cp1252")}[key], text)
        self.assertEqual(sorted(hashes), hashes)

    def test_refuses_sources_that_do_not_match_the_key_list(self):
        cases = {
            "missing key": ("a = one\n", "a\nb\n", "no text for: b"),
            "unknown key": ("a = one\nz = extra\n", "a\n", "not in"),
            "doubled key": ("a = one\na = again\n", "a\n", "already defined"),
            "no equals sign": ("a one\n", "a\n", "expected"),
            "blank in key": ("a b = one\n", None, "cannot appear"),
            "text outside the code page": ("a = \u4e2d\n", None, "not representable"),
            "keys with one hash": ("kaaaqxxxx = 1\nkaabaxxxx = 2\n", None, "same hash"),
        }
        for name, (source, keys, message) in cases.items():
            with self.subTest(name):
                result, output = self.run_tool(source, keys)
                self.assertNotEqual(0, result.returncode)
                self.assertIn(message, result.stderr)
                self.assertFalse(os.path.exists(output))

    def test_hash_counts_bytes_as_signed(self):
        self.assertEqual(0x0FEDCBA9, mlb_build.key_hash(b""))
        self.assertEqual(0x0EDCBA84, mlb_build.key_hash(b"\xe4"))
        self.assertEqual(0x08539775, mlb_build.key_hash(b"mnuClose"))


if __name__ == "__main__":
    unittest.main()
