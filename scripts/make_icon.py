#!/usr/bin/env python3
"""Draws the Nookshade icon and writes it as a multi-size Windows icon.

The picture: a rounded dark-teal tile holding a night window whose blind is
pulled half way down. Shapes are described as signed distance fields, so
every edge gets exact anti-aliased coverage without supersampling, and the
output is byte-for-byte reproducible (no randomness, no timestamps).

Usage: make_icon.py [--out resources/nookshade.ico] [--png-dir DIR]
"""

import argparse
import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128)

# Palette (RGB 0..255).
TILE_TOP = (0x21, 0x83, 0x7F)
TILE_BOTTOM = (0x0B, 0x45, 0x4A)
TILE_RIM = (0x06, 0x2E, 0x33)
HEADRAIL = (0xFB, 0xF4, 0xE6)
FRAME = (0xEE, 0xE2, 0xCA)
GLASS = (0x10, 0x2C, 0x3B)
GLASS_SHINE = (0x2A, 0x55, 0x66)
SHADE = (0xF4, 0xB9, 0x42)
SLAT = (0xD4, 0x8E, 0x27)
HEM = (0xE0, 0x6C, 0x2E)
CORD = (0xFB, 0xF4, 0xE6)


# --- signed distances, in pixels; negative inside -------------------------

def sd_round_rect(px, py, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    r = min(r, hx, hy)
    qx = abs(px - cx) - hx + r
    qy = abs(py - cy) - hy + r
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - r


def sd_circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def sd_capsule(px, py, ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) - r


def coverage(distance):
    # A pixel is a unit square; half a pixel of ramp each side of the edge
    # is a close, cheap stand-in for its exact area.
    return max(0.0, min(1.0, 0.5 - distance))


# --- layouts ------------------------------------------------------------

class Shape:
    """A filled shape: a distance function in design units plus a colour."""

    def __init__(self, dist, color, clip=None):
        self.dist = dist          # (x, y) in design units -> distance in design units
        self.color = color        # RGB tuple or callable(y_fraction) -> RGB
        self.clip = clip          # optional distance function the shape is cut to


def lerp_color(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def detailed_layout():
    """The picture on a 128-unit grid, for 32 px and up."""
    tile = lambda x, y: sd_round_rect(x, y, 3, 3, 125, 125, 26)
    glass_box = lambda x, y: sd_round_rect(x, y, 35, 39, 93, 99, 3)
    shapes = [
        Shape(lambda x, y: sd_round_rect(x, y, 2, 2, 126, 126, 27), TILE_RIM),
        Shape(tile, lambda t: lerp_color(TILE_TOP, TILE_BOTTOM, t)),
        # Window frame, then the night glass inside it.
        Shape(lambda x, y: sd_round_rect(x, y, 26, 30, 102, 108, 8), FRAME),
        Shape(glass_box, GLASS),
        # A diagonal glint on the glass below the blind.
        Shape(lambda x, y: sd_capsule(x, y, 44, 96, 58, 80, 2.6), GLASS_SHINE, clip=glass_box),
        Shape(lambda x, y: sd_capsule(x, y, 52, 97, 63, 84, 1.6), GLASS_SHINE, clip=glass_box),
        # Mullion visible below the blind.
        Shape(lambda x, y: sd_round_rect(x, y, 61.5, 66, 66.5, 99, 0), FRAME),
        # The blind: fabric, slats, weighted hem.
        Shape(lambda x, y: sd_round_rect(x, y, 33, 34, 95, 66, 1), SHADE),
        Shape(lambda x, y: sd_round_rect(x, y, 33, 45, 95, 47.5, 0), SLAT),
        Shape(lambda x, y: sd_round_rect(x, y, 33, 55, 95, 57.5, 0), SLAT),
        Shape(lambda x, y: sd_round_rect(x, y, 29, 63, 99, 71, 3.5), HEM),
        # Headrail, wider than the frame so the blind reads as hung.
        Shape(lambda x, y: sd_round_rect(x, y, 20, 22, 108, 34, 5), HEADRAIL),
        # Pull cord with its knob.
        Shape(lambda x, y: sd_capsule(x, y, 84, 71, 84, 83, 1.8), CORD),
        Shape(lambda x, y: sd_circle(x, y, 84, 87, 5), CORD),
    ]
    return 128.0, shapes


def small_layout():
    """The same picture redrawn on a 16-unit grid with edges on whole pixels,
    so that it stays crisp at 16 px, where thin details would only blur."""
    tile = lambda x, y: sd_round_rect(x, y, 0, 0, 16, 16, 3.2)
    shapes = [
        Shape(tile, lambda t: lerp_color(TILE_TOP, TILE_BOTTOM, t)),
        Shape(lambda x, y: sd_round_rect(x, y, 3, 4, 13, 15, 0.6), FRAME),
        Shape(lambda x, y: sd_round_rect(x, y, 4, 5, 12, 14, 0), GLASS),
        Shape(lambda x, y: sd_round_rect(x, y, 4, 5, 12, 8, 0), SHADE),
        Shape(lambda x, y: sd_round_rect(x, y, 3, 8, 13, 10, 0.5), HEM),
        Shape(lambda x, y: sd_round_rect(x, y, 2, 2, 14, 4, 0.8), HEADRAIL),
    ]
    return 16.0, shapes


def render(size):
    """Returns rows top-down of (r, g, b, a) tuples with straight alpha."""
    grid, shapes = small_layout() if size < 24 else detailed_layout()
    scale = size / grid             # pixels per design unit
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            # Sample at the pixel centre, in design units.
            x = (i + 0.5) / scale
            y = (j + 0.5) / scale
            r = g = b = a = 0.0     # premultiplied accumulator
            for shape in shapes:
                cov = coverage(shape.dist(x, y) * scale)
                if shape.clip is not None:
                    cov *= coverage(shape.clip(x, y) * scale)
                if cov <= 0.0:
                    continue
                color = shape.color(y / grid) if callable(shape.color) else shape.color
                keep = 1.0 - cov
                r = color[0] * cov + r * keep
                g = color[1] * cov + g * keep
                b = color[2] * cov + b * keep
                a = cov + a * keep
            if a > 0.0:
                pixel = (round(r / a), round(g / a), round(b / a), round(a * 255))
            else:
                pixel = (0, 0, 0, 0)
            row.append(tuple(max(0, min(255, v)) for v in pixel))
        rows.append(row)
    return rows


# --- file formats ---------------------------------------------------------

def dib_image(rows):
    """An icon image as a DIB: header with doubled height, BGRA colour rows
    bottom-up, then the 1-bit AND mask for loaders that ignore alpha."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    color = bytearray()
    for row in reversed(rows):
        for (r, g, b, a) in row:
            color += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for i, pixel in enumerate(row):
            if pixel[3] < 128:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    return header + bytes(color) + bytes(mask)


def ico_file(images):
    """images: list of (size, dib bytes), smallest first."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = size if size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def png_file(rows):
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "resources", "nookshade.ico"))
    parser.add_argument("--png-dir", help="also write nookshade-<size>.png files here")
    args = parser.parse_args(argv)

    rendered = [(size, render(size)) for size in SIZES]
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "wb") as f:
        f.write(ico_file([(size, dib_image(rows)) for size, rows in rendered]))
    if args.png_dir:
        os.makedirs(args.png_dir, exist_ok=True)
        for size, rows in rendered:
            with open(os.path.join(args.png_dir, "nookshade-%d.png" % size), "wb") as f:
                f.write(png_file(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
