#!/usr/bin/env python3
"""Draws the gauge's light: a 60 x 20 PNG image (8-bit RGBA) of a soft white glow, opaque at its
centre and fading to nothing at its edges. The build runs this (standard library only) and links
the image into the program as the RCDATA resource "ACGL".

usage: make_gauge_light.py --out FILE
"""

import argparse
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "pnggen"))
from pngwrite import rgba_png  # noqa: E402

WIDTH, HEIGHT = 60, 20
PEAK = 200  # the centre's alpha: the light brightens, it never covers the bar


def alpha(x, y):
    """Elliptic falloff through pixel centres, smooth at the rim."""
    dx = (x + 0.5 - WIDTH / 2) / (WIDTH / 2)
    dy = (y + 0.5 - HEIGHT / 2) / (HEIGHT / 2)
    d = min(1.0, math.hypot(dx, dy))
    return round(PEAK * (1 - d * d) ** 2)


def light():
    return [[(255, 255, 255, alpha(x, y)) for x in range(WIDTH)] for y in range(HEIGHT)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, type=Path)
    args = parser.parse_args()
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_bytes(rgba_png(light()))


if __name__ == "__main__":
    main()
