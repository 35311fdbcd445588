#!/usr/bin/env python3
"""Draws the program's icon: a calm slate tile with the guarded zone on it, a light square ring
for the beams with an amber post at each corner where the detectors stand. One ICO file holds the
16, 32 and 48 pixel images (32-bit with alpha and the AND mask every reader expects). The build
runs this (standard library only) and links the file into the program as its ICON resource.

Every image is drawn at its own size, its lines laid on whole pixels; edges are smoothed by
sampling each pixel 4 x 4 times.

usage: make_icon.py --out FILE
"""

import argparse
import struct
from pathlib import Path

SIZES = (16, 32, 48)
SAMPLES = 4

TILE = (46, 88, 120)
RING = (222, 232, 240)
POST = (240, 176, 64)


def rounded_square(left, top, right, bottom, radius):
    """Whether the point (x, y) lies in the square with rounded corners."""
    def inside(x, y):
        if not (left <= x < right and top <= y < bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def ring(outer, inner):
    return lambda x, y: outer(x, y) and not inner(x, y)


def shapes(size):
    """The shapes of one image, back to front, each with its colour."""
    margin = size / 16
    tile = rounded_square(margin, margin, size - margin, size - margin, size * 0.19)
    inset = round(size * 0.25)
    stroke = max(1, size // 16)
    beams = ring(rounded_square(inset, inset, size - inset, size - inset, 0),
                 rounded_square(inset + stroke, inset + stroke, size - inset - stroke, size - inset - stroke, 0))
    corners = [(inset + stroke / 2, inset + stroke / 2), (size - inset - stroke / 2, inset + stroke / 2),
               (inset + stroke / 2, size - inset - stroke / 2), (size - inset - stroke / 2, size - inset - stroke / 2)]
    radius = stroke * 1.6
    posts = [disc(x, y, radius) for x, y in corners]
    return [(tile, TILE), (beams, RING)] + [(post, POST) for post in posts]


def over(below, colour, coverage):
    """colour with coverage (0..1) laid over a straight-alpha pixel."""
    r, g, b, a = below
    top = coverage
    bottom = a / 255 * (1 - top)
    out = top + bottom
    if out == 0:
        return (0, 0, 0, 0)
    mix = [(c * top + p * bottom) / out for c, p in zip(colour, (r, g, b))]
    return tuple(round(v) for v in mix) + (round(out * 255),)


def draw(size):
    """Rows (top down) of straight-alpha (r, g, b, a) pixels."""
    layers = shapes(size)
    step = 1 / SAMPLES
    offsets = [(i + 0.5) * step for i in range(SAMPLES)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            pixel = (0, 0, 0, 0)
            for inside, colour in layers:
                hits = sum(inside(x + dx, y + dy) for dy in offsets for dx in offsets)
                if hits:
                    pixel = over(pixel, colour, hits / SAMPLES ** 2)
            row.append(pixel)
        rows.append(row)
    return rows


def dib(rows):
    """One icon image: the header, the pixels bottom up in BGRA, then the AND mask (set where the
    pixel is fully transparent), each mask row padded to 32 bits."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return directory + entries + data


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, type=Path)
    args = parser.parse_args()
    drawn = {size: draw(size) for size in SIZES}
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_bytes(icon_file([(size, dib(drawn[size])) for size in SIZES]))

if __name__ == "__main__":
    main()
