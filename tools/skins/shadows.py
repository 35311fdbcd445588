"""The soft shadows that forms with extended borders take when their skin brings no shadow image.

Each is a 33 x 33 PNG in straight alpha: a black shadow fading out over the 9-pixel margin
around a 15 x 15 middle that the form covers (left transparent). The shadow of an active window
is darker than that of an inactive one.
"""
import os

import imagefile

SIZE = 33
MARGIN = 9
# Peak opacity next to the form: active and inactive windows.
SHADOWS = {"acSHDA.png": 96, "acSHDI.png": 56}


def shadow_pixels(peak):
    """Rows top down of (r, g, b, a): opacity falls off with the square of the distance from the
    middle, which stays fully transparent."""
    inner_lo, inner_hi = MARGIN, SIZE - MARGIN - 1
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            dx = max(inner_lo - x, 0, x - inner_hi)
            dy = max(inner_lo - y, 0, y - inner_hi)
            distance = (dx * dx + dy * dy) ** 0.5
            if distance == 0:
                alpha = 0
            else:
                share = max(0.0, 1.0 - (distance - 0.5) / MARGIN)
                alpha = round(peak * share * share)
            row.append((0, 0, 0, alpha))
        rows.append(row)
    return rows


def write(folder):
    os.makedirs(folder, exist_ok=True)
    for name, peak in SHADOWS.items():
        imagefile.write_png(os.path.join(folder, name), SIZE, SIZE, shadow_pixels(peak))
