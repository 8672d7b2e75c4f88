"""Checks the committed program icon: the images Windows picks from, their
format, that they really carry alpha, and that the generator still makes the
same file (so a hand-edited .ico cannot drift from its source)."""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ICON = os.path.join(ROOT, "resources", "nookshade.ico")
SCRIPT = os.path.join(ROOT, "scripts", "make_icon.py")
EXPECTED_SIZES = [16, 32, 48, 64, 128]


def read_entries(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = []
    for n in range(count):
        w, h, colors, res, planes, bpp, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * n)
        entries.append(dict(width=w or 256, height=h or 256, colors=colors, planes=planes,
                            bpp=bpp, length=length, offset=offset))
    return reserved, kind, entries


def dib_pixels(data, entry):
    """Returns (header fields, alpha values top-down as rows, mask rows)."""
    (hsize, width, height, planes, bpp, compression) = struct.unpack_from(
        "<IiiHHI", data, entry["offset"])
    size = entry["width"]
    start = entry["offset"] + hsize
    alphas = []
    for row in range(size):
        base = start + (size - 1 - row) * size * 4
        alphas.append([data[base + 4 * i + 3] for i in range(size)])
    stride = ((size + 31) // 32) * 4
    mask_start = start + size * size * 4
    masks = []
    for row in range(size):
        base = mask_start + (size - 1 - row) * stride
        masks.append([(data[base + i // 8] >> (7 - i % 8)) & 1 for i in range(size)])
    header = dict(size=hsize, width=width, height=height, planes=planes, bpp=bpp,
                  compression=compression)
    return header, alphas, masks


class IconFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(ICON, "rb") as f:
            cls.data = f.read()
        cls.reserved, cls.kind, cls.entries = read_entries(cls.data)

    def test_directory_lists_exactly_the_five_sizes_at_32_bpp(self):
        self.assertEqual((self.reserved, self.kind), (0, 1))
        self.assertEqual([e["width"] for e in self.entries], EXPECTED_SIZES)
        for e in self.entries:
            with self.subTest(size=e["width"]):
                self.assertEqual(e["height"], e["width"])
                self.assertEqual((e["bpp"], e["planes"], e["colors"]), (32, 1, 0))

    def test_every_image_is_a_dib_with_doubled_height_and_a_mask(self):
        for e in self.entries:
            size = e["width"]
            with self.subTest(size=size):
                header, _, _ = dib_pixels(self.data, e)
                self.assertEqual(header, dict(size=40, width=size, height=2 * size, planes=1,
                                              bpp=32, compression=0))
                mask_bytes = ((size + 31) // 32) * 4 * size
                self.assertEqual(e["length"], 40 + size * size * 4 + mask_bytes)
                self.assertLessEqual(e["offset"] + e["length"], len(self.data))

    def test_images_do_not_overlap_and_fill_the_file(self):
        spans = sorted((e["offset"], e["offset"] + e["length"]) for e in self.entries)
        self.assertEqual(spans[0][0], 6 + 16 * len(self.entries))
        for (_, end), (start, _) in zip(spans, spans[1:]):
            self.assertEqual(end, start)
        self.assertEqual(spans[-1][1], len(self.data))

    def test_alpha_is_real_and_the_mask_agrees_with_it(self):
        for e in self.entries:
            size = e["width"]
            with self.subTest(size=size):
                _, alphas, masks = dib_pixels(self.data, e)
                flat = [a for row in alphas for a in row]
                self.assertEqual(alphas[size // 2][size // 2], 255, "centre is opaque")
                partial = [a for a in flat if 0 < a < 255]
                self.assertTrue(partial, "edges are anti-aliased")
                if size >= 32:
                    self.assertEqual(alphas[0][0], 0, "rounded corner is transparent")
                for row_a, row_m in zip(alphas, masks):
                    for a, m in zip(row_a, row_m):
                        self.assertEqual(m, 1 if a < 128 else 0)

    def test_generator_reproduces_the_committed_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "icon.ico")
            subprocess.run([sys.executable, SCRIPT, "--out", out], check=True)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), self.data,
                                 "resources/nookshade.ico is stale: run scripts/make_icon.py")


if __name__ == "__main__":
    unittest.main()
