"""A small RGBA raster with anti-aliased shapes for drawing skin images.

Shapes are signed-distance functions (negative inside) sampled 4 x 4 per pixel; painting composes
a colour over the raster by the covered share of each pixel, in straight alpha.
"""
import math

KEY = (255, 0, 255)  # the skin's key colour: transparent pixels
SAMPLES = [(i + 0.5) / 4 for i in range(4)]


def hex_rgb(text):
    """'2F6FDE' -> (0x2F, 0x6F, 0xDE)."""
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """a moved the share t toward b, per channel, rounded."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def tint(base, colour, share):
    """colour laid over base at the share (0..1): the hot and pressed tints of the accent."""
    return mix(base, colour, share)


class Raster:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [[tuple(fill) for _ in range(width)] for _ in range(height)]

    def coverage(self, shape, x, y):
        hits = sum(1 for sy in SAMPLES for sx in SAMPLES if shape(x + sx, y + sy) <= 0)
        return hits / 16.0

    def paint(self, shape, rgb, opacity=1.0):
        """Composes rgb over every pixel by the share of it that the shape covers."""
        for y in range(self.height):
            row = self.px[y]
            for x in range(self.width):
                a = self.coverage(shape, x, y) * opacity
                if a > 0:
                    row[x] = over(row[x], rgb, a)

    def fill(self, rgb, alpha=255):
        for row in self.px:
            row[:] = [tuple(rgb) + (alpha,)] * self.width

    def blit(self, src, dx, dy):
        for y in range(src.height):
            self.px[dy + y][dx:dx + src.width] = src.px[y]


def over(dst, rgb, a):
    """rgb at alpha a (0..1) over the straight-alpha pixel dst."""
    da = dst[3] / 255.0
    out_a = a + da * (1 - a)
    if out_a <= 0:
        return (0, 0, 0, 0)
    channels = tuple(int(round((c * a + d * da * (1 - a)) / out_a)) for c, d in zip(rgb, dst[:3]))
    return channels + (int(round(out_a * 255)),)


# --- shapes -------------------------------------------------------------------------------------

def rounded_rect(x0, y0, x1, y1, r):
    """The rectangle from (x0, y0) to (x1, y1) with corners of radius r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hw, hh = (x1 - x0) / 2, (y1 - y0) / 2

    def shape(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return shape


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def stroke(points, width):
    """A polyline of the given width with round ends."""
    def shape(x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best - width / 2
    return shape


def ring(shape, width):
    """The band of the given width along the inside of a shape's edge."""
    return lambda x, y: max(shape(x, y), -shape(x, y) - width)
