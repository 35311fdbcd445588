#!/usr/bin/env python3
"""Writes a corpus of small PNG files and, beside each, the pixels our reader must
decode from it (R, G, B, A bytes per pixel, rows top down), computed from the raw
samples by the reader's documented rules: grey with alpha loses its alpha, palette
transparency is not applied, 16-bit samples become v * 255 // 65535, gamma goes
through a 256-entry table. Every colour type and bit depth comes plain and
interlaced, each row filter is forced somewhere, and some files split their image
data over many chunks. Standard library only.

manifest.txt: one line per file: png expected-rgba width height bitmap-bits transparent-colour|-

With --bench it writes instead the files the decoding benchmark times (tools/bench.sh): larger
pictures of the kinds skins hold, rows filtered as encoders choose, and bench.txt: one line per
set, "label: file file ...".
"""

import argparse
import math
import os
import random
import struct
import zlib

from pngwrite import SIGNATURE, chunk

ADAM7 = [(0, 8, 0, 8), (0, 8, 4, 8), (4, 8, 0, 4), (0, 4, 2, 4), (2, 4, 0, 2), (0, 2, 1, 2), (1, 2, 0, 1)]
SAMPLES = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def gamma_table(value):
    """The reader's table for a gAMA value: built with 8-bit depths, ties to even."""
    exponent = 1.0 / (f32(value / 100000.0) * f32(2.2))
    return [round((i / 255.0) ** exponent * 255.0) for i in range(256)]


def pack_row(samples, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, acc, bits = bytearray(), 0, 0
    for s in samples:
        acc, bits = acc << depth | s, bits + depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, prev, bpp):
    out = bytearray([kind])
    for i, x in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        predictor = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((x - predictor) & 0xFF)
    return bytes(out)


def sum_of_residues(filtered):
    """The encoders' usual measure of a filtered row: the bytes taken as signed, summed by size."""
    return sum(b if b < 128 else 256 - b for b in filtered[1:])


class Image:
    """Samples of every pixel, random with the extremes mixed in, or painted by paint(rng, x, y)."""

    def __init__(self, color_type, depth, width, height, seed, palette_size=None, paint=None):
        self.color_type, self.depth, self.width, self.height = color_type, depth, width, height
        rng = random.Random(seed)
        top = (1 << depth) - 1
        self.palette = None
        if color_type == 3:
            size = palette_size or min(1 << depth, 40)
            self.palette = [tuple(rng.randrange(256) for _ in range(3)) for _ in range(size)]
            top = (1 << depth) - 1 if palette_size else size - 1
        if paint:
            self.pixels = [[paint(rng, x, y) for x in range(width)] for y in range(height)]
            return
        n = SAMPLES[color_type]
        extremes = [0, top]
        self.pixels = [[tuple(extremes[(x + y + k) % 2] if (x * 7 + y) % 5 == 0 else rng.randint(0, top)
                              for k in range(n)) for x in range(width)] for y in range(height)]

    def bpp(self):
        return max(1, SAMPLES[self.color_type] * self.depth // 8)

    def raw_row(self, y, columns):
        return pack_row([s for x in columns for s in self.pixels[y][x]], self.depth)

    def idat_stream(self, interlaced, adaptive=False):
        """Rows filtered in turn with every filter type, or (adaptive) each with the one that
        gives the smallest sum of residues."""
        out, count = bytearray(), 0
        passes = ADAM7 if interlaced else [(0, 1, 0, 1)]
        for row0, dy, col0, dx in passes:
            columns = list(range(col0, self.width, dx))
            if not columns:
                continue
            prev = None
            for y in range(row0, self.height, dy):
                raw = self.raw_row(y, columns)
                prev = prev or bytes(len(raw))
                if adaptive:
                    out += min((filter_row(kind, raw, prev, self.bpp()) for kind in range(5)), key=sum_of_residues)
                else:
                    out += filter_row(count % 5, raw, prev, self.bpp())
                prev, count = raw, count + 1
        return zlib.compress(bytes(out), 9)

    def bitmap_bits(self):
        if self.color_type in (0, 3):
            return {1: 1, 2: 4, 4: 4, 8: 8, 16: 8}[self.depth]
        return {2: 24, 4: 8, 6: 32}[self.color_type]

    def expected(self, gamma):
        table = gamma_table(gamma) if gamma else list(range(256))
        reduce = (lambda v: v * 255 // 65535) if self.depth == 16 else (lambda v: v)
        out = bytearray()
        for row in self.pixels:
            for p in row:
                if self.color_type in (0, 4):
                    if self.color_type == 0 and self.depth < 8:
                        target_bits = 4 if self.depth == 2 else self.depth
                        index = p[0] * ((1 << target_bits) - 1) // ((1 << self.depth) - 1)
                        level = index * (255 // ((1 << target_bits) - 1))
                    else:
                        level = reduce(p[0])
                    g = table[level]
                    out += bytes((g, g, g, 255))
                elif self.color_type == 3:
                    entry = self.palette[p[0]] if p[0] < len(self.palette) else (0, 0, 0)
                    out += bytes(table[c] for c in entry) + b"\xff"
                else:
                    alpha = reduce(p[3]) if self.color_type == 6 else 255
                    out += bytes(table[reduce(c)] for c in p[:3]) + bytes((alpha,))
        return bytes(out)


def level(v, depth):
    if depth == 16:
        return v * 255 // 65535
    if depth == 8:
        return v & 0xFF
    top = (1 << depth) - 1
    return (v & top) * 255 // top


def datastream(image, interlaced=False, gamma=None, trns=None, bkgd=None, idat_piece=None, extra_before=b"",
               extra_after=b"", idat_type=b"IDAT", adaptive=False):
    ihdr = struct.pack(">IIBBBBB", image.width, image.height, image.depth, image.color_type, 0, 0,
                       1 if interlaced else 0)
    data = SIGNATURE + chunk(b"IHDR", ihdr) + extra_before
    if gamma:
        data += chunk(b"gAMA", struct.pack(">I", gamma))
    if image.palette:
        data += chunk(b"PLTE", b"".join(bytes(e) for e in image.palette))
    if trns is not None:
        data += chunk(b"tRNS", trns)
    if bkgd is not None:
        data += chunk(b"bKGD", bkgd)
    stream = image.idat_stream(interlaced, adaptive)
    piece = idat_piece or len(stream)
    for i in range(0, len(stream), piece):
        data += chunk(idat_type, stream[i:i + piece])
        if idat_piece and i == 0:
            data += chunk(idat_type, b"")
    return data + extra_after + chunk(b"IEND", b"")


def write_case(out_dir, manifest, name, image, interlaced=False, gamma=None, trns=None, bkgd=None,
               idat_piece=None, extra_before=b"", extra_after=b"", idat_type=b"IDAT", expected_name=None):
    data = datastream(image, interlaced, gamma, trns, bkgd, idat_piece, extra_before, extra_after, idat_type)
    transparent = "-"
    if trns is not None and image.color_type == 0:
        transparent = "%06X" % (level(struct.unpack(">H", trns)[0], image.depth) * 0x010101)
    elif trns is not None and image.color_type == 2:
        r, g, b = (level(v, image.depth) for v in struct.unpack(">HHH", trns))
        transparent = "%06X" % (r | g << 8 | b << 16)
    with open(os.path.join(out_dir, name + ".png"), "wb") as f:
        f.write(data)
    if expected_name is None:
        expected_name = name
        with open(os.path.join(out_dir, name + ".rgba"), "wb") as f:
            f.write(image.expected(gamma))
    manifest.append("%s.png %s.rgba %d %d %d %s" % (name, expected_name, image.width, image.height,
                                                     image.bitmap_bits(), transparent))


def clamp(v, top=255):
    return max(0, min(top, v))


def skin_picture(width, height, alpha):
    """A skin-like picture: a grainy shaded backdrop under a grid of bordered, shaded panels;
    with alpha, opaque panels over a backdrop that fades out towards the edges."""
    def paint(rng, x, y):
        grain = rng.randint(-2, 2)
        r = 40 + 150 * x // width + grain
        g = 60 + 120 * y // height + grain
        b = 170 - 90 * (x + y) // (width + height) + grain
        tx, ty = x % 128, y % 96
        panel = 12 <= tx < 116 and 10 <= ty < 86
        if panel and (tx in (12, 115) or ty in (10, 85)):
            r, g, b = 70, 80, 100
        elif panel:
            shade = 235 - (ty - 10) * 60 // 76
            r, g, b = shade, shade - 10 + x // 128 * 9 % 40, shade - 40 + y // 96 * 13 % 60
        pixel = (clamp(r), clamp(g), clamp(b))
        if not alpha:
            return pixel
        edge = min(x, y, width - 1 - x, height - 1 - y)
        return pixel + (255 if panel else min(255, 96 + edge * 4),)
    return paint


def dithered_indices(width, height):
    """Palette indices of a dithered diagonal ramp with flat blocks."""
    def paint(rng, x, y):
        if (x // 64 + y // 64) % 3 == 0:
            return ((x // 64 * 8 + y // 64) % 256,)
        return (clamp((x + y) * 255 // (width + height - 2) + rng.choice((-1, 0, 0, 1))),)
    return paint


def grey_ramp16(width):
    """16-bit grey: a horizontal ramp with a vertical wave and some grain."""
    def paint(rng, x, y):
        return (clamp(x * 65535 // (width - 1) + int(6000 * math.sin(y / 20)) + rng.randint(-40, 40), 65535),)
    return paint


def icon(seed):
    """A 32 x 32 glyph: a round or rounded-square badge of one colour, shaded, with a light bar,
    anti-aliased edges on a transparent ground."""
    rng = random.Random(seed)
    base = [rng.randrange(40, 220) for _ in range(3)]
    round_badge = rng.random() < 0.5
    radius = rng.uniform(11, 15)

    def paint(_, x, y):
        dx, dy = x + 0.5 - 16, y + 0.5 - 16
        if round_badge:
            distance = math.hypot(dx, dy) - radius
        else:
            corner = 5
            distance = math.hypot(max(abs(dx) - radius + corner, 0), max(abs(dy) - radius + corner, 0)) - corner
        a = clamp(int((0.5 - distance) * 255))
        if a == 0:
            return (0, 0, 0, 0)
        light = 40 - int(y * 2.5) + (70 if abs(dx) < 2 and abs(dy) < radius * 0.6 else 0)
        return tuple(clamp(v + light) for v in base) + (a,)
    return paint


def write_bench(out):
    sets = [
        ("RGBA 1024x1024", "rgba_1024", Image(6, 8, 1024, 1024, 400, paint=skin_picture(1024, 1024, True)), False),
        ("RGBA 1024x1024 interlaced", "rgba_1024_adam7", None, True),
        ("RGB 800x600", "rgb_800x600", Image(2, 8, 800, 600, 401, paint=skin_picture(800, 600, False)), False),
        ("palette 512x512", "palette_512", Image(3, 8, 512, 512, 402, 256, dithered_indices(512, 512)), False),
        ("grey 16-bit 512x512", "grey16_512", Image(0, 16, 512, 512, 403, paint=grey_ramp16(512)), False),
    ]
    lines, last = [], None
    for label, name, image, interlaced in sets:
        image = image or last
        with open(os.path.join(out, name + ".png"), "wb") as f:
            f.write(datastream(image, interlaced, adaptive=True))
        lines.append("%s: %s.png" % (label, name))
        last = image
    icons = []
    for seed in range(100):
        name = "icon_%03d.png" % seed
        with open(os.path.join(out, name), "wb") as f:
            f.write(datastream(Image(6, 8, 32, 32, 500 + seed, paint=icon(500 + seed)), adaptive=True))
        icons.append(name)
    lines.append("100 RGBA icons 32x32: " + " ".join(icons))
    with open(os.path.join(out, "bench.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--bench", action="store_true", help="write the benchmark's files instead of the corpus")
    args = parser.parse_args()
    out = args.out
    os.makedirs(out, exist_ok=True)
    if args.bench:
        write_bench(out)
        return
    manifest = []

    kinds = [(0, 1), (0, 2), (0, 4), (0, 8), (0, 16), (2, 8), (2, 16), (3, 1), (3, 2), (3, 4), (3, 8),
             (4, 8), (4, 16), (6, 8), (6, 16)]
    for seed, (color_type, depth) in enumerate(kinds):
        image = Image(color_type, depth, 13, 11, seed)
        name = "c%d_d%d" % (color_type, depth)
        write_case(out, manifest, name, image)
        write_case(out, manifest, name + "_adam7", image, interlaced=True, expected_name=name)

    gammas = [((0, 2), 45000), ((0, 8), 45455), ((0, 16), 70000), ((2, 8), 45000), ((2, 16), 100000),
              ((3, 8), 45000), ((4, 8), 220000), ((6, 16), 45000)]
    for seed, ((color_type, depth), gamma) in enumerate(gammas, 100):
        write_case(out, manifest, "gamma_c%d_d%d" % (color_type, depth), Image(color_type, depth, 9, 7, seed),
                   gamma=gamma)

    keys = [((0, 1), struct.pack(">H", 1)), ((0, 8), struct.pack(">H", 0x37)), ((0, 16), struct.pack(">H", 0xFF00)),
            ((2, 8), struct.pack(">HHH", 10, 20, 30)), ((2, 16), struct.pack(">HHH", 0xFFFF, 0x8000, 0x0100)),
            ((3, 4), bytes([0, 128, 255])), ((6, 8), struct.pack(">HHH", 1, 2, 3)), ((4, 8), struct.pack(">H", 5))]
    for seed, ((color_type, depth), trns) in enumerate(keys, 200):
        write_case(out, manifest, "trns_c%d_d%d" % (color_type, depth), Image(color_type, depth, 5, 6, seed),
                   trns=trns)

    write_case(out, manifest, "bkgd_c2_d8", Image(2, 8, 6, 6, 300), bkgd=struct.pack(">HHH", 1, 2, 3))
    write_case(out, manifest, "tiny_1x1_rgba", Image(6, 8, 1, 1, 301))
    write_case(out, manifest, "tiny_1x1_adam7", Image(0, 16, 1, 1, 302), interlaced=True)
    write_case(out, manifest, "narrow_3x5_adam7", Image(2, 8, 3, 5, 303), interlaced=True)
    write_case(out, manifest, "row_9x1_adam7", Image(3, 4, 9, 1, 304), interlaced=True)
    write_case(out, manifest, "column_1x9_adam7", Image(4, 16, 1, 9, 305), interlaced=True)
    split = Image(6, 8, 13, 11, 306)
    write_case(out, manifest, "split_idat", split, idat_piece=7)
    write_case(out, manifest, "split_idat_adam7", split, interlaced=True, idat_piece=5)
    write_case(out, manifest, "palette2_two_entries", Image(3, 2, 8, 4, 307, palette_size=2))
    write_case(out, manifest, "ancillary_chunks", Image(2, 8, 5, 5, 308),
               extra_before=chunk(b"tEXt", b"Comment\0ours") + chunk(b"zzZz", b"\x00" * 9),
               extra_after=chunk(b"tIME", b"\x07\xea\x0c\x0a\x0d\x0e\x0f"))
    write_case(out, manifest, "idat_lowercase", Image(0, 8, 6, 5, 309), idat_type=b"idat")

    with open(os.path.join(out, "manifest.txt"), "w") as f:
        f.write("\n".join(manifest) + "\n")


if __name__ == "__main__":
    main()
