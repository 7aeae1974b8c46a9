"""Checks the icons rendered at build time and the icon file writer.

Usage: test_icons.py ICON_DIR PNG_TO_ICO

ICON_DIR holds orvanel-<N>.png for every hicolor size and orvanel.ico; PNG_TO_ICO is the
script that wrote the icon file.
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICO_SIZES = (16, 32, 48, 256)
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"

ICON_DIR = ""
PNG_TO_ICO = ""


def png_header(data):
    """(width, height, bit depth, colour type) of a PNG file, or None for anything else."""
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">IIBB", data[16:26])


def read(path):
    with open(path, "rb") as f:
        return f.read()


def ico_entries(data):
    """[(width, height, bit count, image bytes)] of an icon file."""
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    assert (reserved, kind) == (0, 1), "not an icon file"
    entries = []
    for i in range(count):
        width, height, _colours, _reserved, _planes, bits, size, offset = struct.unpack(
            "<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        entries.append((width or 256, height or 256, bits, data[offset:offset + size]))
    return entries


class RenderedIcons(unittest.TestCase):
    def test_every_size_is_a_square_rgba_png_of_that_size(self):
        for size in SIZES:
            with self.subTest(size=size):
                header = png_header(read(os.path.join(ICON_DIR, f"orvanel-{size}.png")))
                self.assertEqual(header, (size, size, 8, 6))

    def test_icon_file_holds_the_pngs_unchanged(self):
        entries = ico_entries(read(os.path.join(ICON_DIR, "orvanel.ico")))
        self.assertEqual([(w, h) for w, h, _b, _d in entries], [(s, s) for s in ICO_SIZES])
        for (_w, _h, bits, image), size in zip(entries, ICO_SIZES):
            with self.subTest(size=size):
                self.assertEqual(bits, 32)
                self.assertEqual(image, read(os.path.join(ICON_DIR, f"orvanel-{size}.png")))


class IconWriter(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.output = os.path.join(self.dir.name, "out.ico")

    def tearDown(self):
        self.dir.cleanup()

    def write(self, *inputs):
        return subprocess.run([sys.executable, PNG_TO_ICO, self.output, *inputs],
                              capture_output=True, text=True)

    def file(self, name, data):
        path = os.path.join(self.dir.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_bad_input_fails_and_leaves_the_output_alone(self):
        good = os.path.join(ICON_DIR, "orvanel-16.png")
        too_big = bytearray(read(good))
        too_big[16:24] = struct.pack(">II", 512, 512)
        cases = {
            "not a PNG": [self.file("text.png", b"hello, world, not an image at all")],
            "too large": [self.file("big.png", bytes(too_big))],
            "same size twice": [good, good],
            "missing file": [os.path.join(self.dir.name, "absent.png")],
        }
        self.file("out.ico", b"old")
        for name, inputs in cases.items():
            with self.subTest(name):
                result = self.write(*inputs)
                self.assertEqual(result.returncode, 1)
                self.assertIn("png_to_ico:", result.stderr)
                self.assertEqual(read(self.output), b"old")
                self.assertFalse(os.path.exists(self.output + ".part"))

    def test_no_images_is_a_usage_error(self):
        self.assertEqual(self.write().returncode, 2)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("usage: test_icons.py ICON_DIR PNG_TO_ICO", file=sys.stderr)
        sys.exit(2)
    ICON_DIR, PNG_TO_ICO = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
