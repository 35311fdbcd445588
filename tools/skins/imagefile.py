"""Image files of our skins, written and measured with the standard library only.

BMP: 24-bit, rows bottom-up. PNG: 8-bit RGBA in straight (not premultiplied) alpha.
JPEG: baseline greyscale of one flat grey, enough for the large patterns of test skins.
"""
import struct
import zlib


def write_bmp(path, width, height, pixels):
    """pixels: rows top down of (r, g, b) tuples."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png(path, width, height, pixels):
    """pixels: rows top down of (r, g, b, a) tuples, straight alpha."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for px in row:
            raw += bytes(px)
    data = (b"\x89PNG\r\n\x1a\n"
            + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


class _BitWriter:
    def __init__(self):
        self.out, self.acc, self.bits = bytearray(), 0, 0

    def put(self, code, length):
        for i in range(length - 1, -1, -1):
            self.acc = self.acc << 1 | (code >> i) & 1
            self.bits += 1
            if self.bits == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)  # byte stuffing
                self.acc, self.bits = 0, 0

    def flush(self):
        while self.bits:
            self.put(1, 1)
        return bytes(self.out)


def _huffman_codes(counts, symbols):
    """Canonical codes: {symbol: (code, length)} from the code counts per length 1..16."""
    codes, code, index = {}, 0, 0
    for length, count in enumerate(counts, start=1):
        for _ in range(count):
            codes[symbols[index]] = (code, length)
            code += 1
            index += 1
        code <<= 1
    return codes


def write_flat_jpeg(path, width, height, grey):
    """A baseline greyscale JPEG whose every pixel is grey (0..255)."""
    dc_counts = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
    dc_symbols = list(range(12))
    ac_counts = [1] + [0] * 15  # one code: end of block
    ac_symbols = [0]
    dc_codes = _huffman_codes(dc_counts, dc_symbols)
    ac_codes = _huffman_codes(ac_counts, ac_symbols)

    def segment(marker, payload):
        return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload

    out = b"\xFF\xD8"
    out += segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    out += segment(0xDB, b"\x00" + bytes([1] * 64))
    out += segment(0xC0, struct.pack(">BHHBBBB", 8, height, width, 1, 1, 0x11, 0))
    out += segment(0xC4, b"\x00" + bytes(dc_counts) + bytes(dc_symbols))
    out += segment(0xC4, b"\x10" + bytes(ac_counts) + bytes(ac_symbols))
    out += segment(0xDA, bytes([1, 1, 0x00, 0, 63, 0]))

    bits = _BitWriter()
    blocks = ((width + 7) // 8) * ((height + 7) // 8)
    dc = 8 * (grey - 128)  # the block's DC coefficient with a quantiser of 1
    size = abs(dc).bit_length()
    code, length = dc_codes[size]
    bits.put(code, length)
    if size:
        bits.put(dc if dc > 0 else dc + (1 << size) - 1, size)
    bits.put(*ac_codes[0])
    for _ in range(blocks - 1):
        bits.put(*dc_codes[0])  # the same DC again
        bits.put(*ac_codes[0])
    out += bits.flush() + b"\xFF\xD9"
    with open(path, "wb") as f:
        f.write(out)


def image_size(path):
    """(width, height) of a BMP, PNG or JPEG file; None when it is none of them."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] == b"BM" and len(data) >= 26:
        width, height = struct.unpack("<ii", data[18:26])
        return width, abs(height)
    if data[:8] == b"\x89PNG\r\n\x1a\n" and len(data) >= 24:
        return struct.unpack(">II", data[16:24])
    if data[:2] == b"\xFF\xD8":
        pos = 2
        while pos + 4 <= len(data) and data[pos] == 0xFF:
            marker, length = data[pos + 1], struct.unpack(">H", data[pos + 2:pos + 4])[0]
            if marker in (0xC0, 0xC1, 0xC2):
                height, width = struct.unpack(">HH", data[pos + 5:pos + 9])
                return width, height
            pos += 2 + length
    return None


def read_bmp(path):
    """(width, height, rows top down of (r, g, b)) of a 24-bit BMP file."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    assert struct.unpack("<H", data[28:30])[0] == 24, "a 24-bit BMP"
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x]) for x in range(width)])
    return width, abs(height), rows if height < 0 else rows[::-1]
