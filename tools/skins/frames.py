"""Frames of nine-part border images: flat boxes with a border line and key-colour corners."""
from raster import Raster, mix, rounded_rect


def box(width, height, fill, border=None, radius=0, sides=(1, 1, 1, 1)):
    """A box of one fill colour with a border line of the given side widths (left, top, right,
    bottom). Corners rounded by radius leave key-colour pixels outside the curve; the line is
    anti-aliased toward the fill only, so the box looks right on any background."""
    frame = Raster(width, height)
    outer = rounded_rect(0, 0, width, height, radius)
    inner = rounded_rect(sides[0], sides[1], width - sides[2], height - sides[3], max(radius - 1, 0))
    for y in range(height):
        for x in range(width):
            if radius and frame.coverage(outer, x, y) < 0.5:
                continue  # stays transparent: the key colour
            colour = fill if border is None else mix(border, fill, frame.coverage(inner, x, y))
            frame.px[y][x] = tuple(colour) + (255,)
    return frame
