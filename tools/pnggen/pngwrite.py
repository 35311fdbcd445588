"""Writing PNG datastreams with the standard library: the signature, chunks with their CRC, and
whole images of 8-bit RGBA pixels."""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def rgba_png(rows):
    """A PNG of colour type 6, depth 8, from rows (top down) of (r, g, b, a) tuples."""
    height, width = len(rows), len(rows[0])
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    return SIGNATURE + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
