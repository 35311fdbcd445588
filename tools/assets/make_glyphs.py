#!/usr/bin/env python3
"""Draws the default glyphs of the skinned edit buttons: five 48 x 16 PNG images (8-bit RGBA), each
three 16 x 16 states side by side (normal, hot, pressed). The build runs this (standard library
only) and links the images into the program as RCDATA resources "SF", "SR", "SD", "SE" and "SC".

Every glyph is pixel art spelled out row by row; a letter names a colour of the glyph's palette and
"." is transparent. A state is a base picture with an optional overlay laid over it.

usage: make_glyphs.py --out DIR
"""

import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "pnggen"))
from pngwrite import rgba_png  # noqa: E402

SIZE = 16

OUTLINE = (64, 64, 64)

# A sheet of paper with a folded corner and three lines of text.
PAGE = [
    "................",
    "...KKKKKK.......",
    "...KWWWWKK......",
    "...KWWWWKwK.....",
    "...KWWWWKwwK....",
    "...KWWWWKKKKK...",
    "...KWWWWWWWWK...",
    "...KWbbbbbbWK...",
    "...KWWWWWWWWK...",
    "...KWbbbbbbWK...",
    "...KWWWWWWWWK...",
    "...KWbbbbWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KKKKKKKKKK...",
    "................",
]
PAGE_COLOURS = {"K": OUTLINE, "W": (255, 255, 255), "w": (214, 218, 224), "b": (150, 165, 190)}

# A magnifier whose glass lies over the page's text.
MAGNIFIER = [
    "................",
    "................",
    "................",
    ".....MMMM.......",
    "....MHLLLM......",
    "...MHLLLLLM.....",
    "...MLLLLLLM.....",
    "...MLLLLLLM.....",
    "...MLLLLLLM.....",
    "....MLLLLM......",
    ".....MMMMhh.....",
    "..........hhD...",
    "...........hhD..",
    "............hhD.",
    ".............DD.",
    "................",
]
MAGNIFIER_COLOURS = {"M": (35, 65, 120), "L": (196, 222, 248), "H": (255, 255, 255), "h": (150, 100, 45),
                     "D": (95, 60, 25)}

# An open folder: its back with the tab, and the front leaning forward.
FOLDER = [
    "................",
    "................",
    "................",
    ".OOOOO..........",
    "OyyyyyO.........",
    "OyyyyyyOOOOOOO..",
    "OyyyyyyyyyyyyyO.",
    "OyyyOOOOOOOOOOOO",
    "OyyyOLLLLLLLLLLO",
    "OyyOYYYYYYYYYYO.",
    "OyyOYYYYYYYYYYO.",
    "OyOYYYYYYYYYYO..",
    "OyOYYYYYYYYYYO..",
    "OOOOOOOOOOOOO...",
    "................",
    "................",
]
FOLDER_COLOURS = {"O": (150, 105, 10), "y": (232, 178, 40), "Y": (255, 210, 70), "L": (255, 234, 150)}

# A green arrow over the folder, pointing into it.
ARROW = [
    "........aaa.....",
    "........aAa.....",
    "........aAa.....",
    "........aAa.....",
    "......aaaAaaa...",
    ".......aAAAa....",
    "........aAa.....",
    ".........a......",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]
ARROW_COLOURS = {"a": (20, 100, 20), "A": (60, 190, 60)}

# A calendar leaf with two rings, a coloured top band and the day 7.
CALENDAR = [
    "................",
    ".....G....G.....",
    "..KKKGKKKKGKKK..",
    "..KTTTTTTTTTTK..",
    "..KTTTTTTTTTTK..",
    "..KKKKKKKKKKKK..",
    "..KWWWWWWWWWWK..",
    "..KWWkkkkkkWWK..",
    "..KWWWWWWkkWWK..",
    "..KWWWWWkkWWWK..",
    "..KWWWWWkkWWWK..",
    "..KWWWWkkWWWWK..",
    "..KWWWWkkWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KKKKKKKKKKKK..",
    "................",
]
CALENDAR_COLOURS = {"K": OUTLINE, "G": (110, 110, 110), "W": (255, 255, 255), "k": (40, 40, 40)}
CALENDAR_TOP = {"normal": (250, 215, 60), "hot": (250, 145, 30)}

# A grey box with three dots.
ELLIPSIS = [
    "................",
    "................",
    "................",
    "..GGGGGGGGGGGG..",
    ".GwwwwwwwwwwwwG.",
    ".GggggggggggggG.",
    ".GggggggggggggG.",
    ".GggkkgkkgkkggG.",
    ".GggkkgkkgkkggG.",
    ".GggggggggggggG.",
    ".GggggggggggggG.",
    ".GssssssssssssG.",
    "..GGGGGGGGGGGG..",
    "................",
    "................",
    "................",
]
ELLIPSIS_COLOURS = {"G": (110, 110, 110), "w": (235, 235, 235), "g": (204, 204, 204), "s": (180, 180, 180),
                    "k": (40, 40, 40)}

# A pocket calculator: display, and four rows of keys with the equals key in orange.
CALCULATOR = [
    "................",
    "..KKKKKKKKKKKK..",
    "..KccccccccccK..",
    "..KcddddddddcK..",
    "..KcddddkkkdcK..",
    "..KcddddddddcK..",
    "..KccccccccccK..",
    "..KcWWcWWcWWcK..",
    "..KccccccccccK..",
    "..KcWWcWWcWWcK..",
    "..KccccccccccK..",
    "..KcWWcWWcWWcK..",
    "..KccccccccccK..",
    "..KcWWcWWcoocK..",
    "..KKKKKKKKKKKK..",
    "................",
]
CALCULATOR_COLOURS = {"K": (45, 50, 60), "c": (95, 105, 122), "d": (196, 224, 192), "k": (40, 60, 40),
                      "W": (238, 238, 238), "o": (245, 140, 40)}


def paint(rows, colours, image=None):
    """The picture of rows over image (a new transparent one without it)."""
    assert len(rows) == SIZE and all(len(r) == SIZE for r in rows)
    image = [list(r) for r in image] if image else [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(rows):
        for x, letter in enumerate(row):
            if letter != ".":
                image[y][x] = colours[letter] + (255,)
    return image


def darker(image, factor=0.82):
    return [[(round(r * factor), round(g * factor), round(b * factor), a) for r, g, b, a in row] for row in image]


def strip(states):
    """Three 16 x 16 states side by side."""
    return [sum((state[y] for state in states), []) for y in range(SIZE)]


def glyphs():
    page = paint(PAGE, PAGE_COLOURS)
    page_magnified = paint(MAGNIFIER, MAGNIFIER_COLOURS, page)
    folder = paint(FOLDER, FOLDER_COLOURS)
    folder_arrow = paint(ARROW, ARROW_COLOURS, folder)
    leaf = {state: paint(CALENDAR, dict(CALENDAR_COLOURS, T=top)) for state, top in CALENDAR_TOP.items()}
    box = paint(ELLIPSIS, ELLIPSIS_COLOURS)
    calculator = paint(CALCULATOR, CALCULATOR_COLOURS)
    return {
        "SF": strip([page, page_magnified, page_magnified]),
        "SR": strip([folder, folder_arrow, folder_arrow]),
        "SD": strip([leaf["normal"], leaf["hot"], leaf["hot"]]),
        "SE": strip([box, box, box]),
        "SC": strip([calculator, calculator, darker(calculator)]),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    out = Path(parser.parse_args().out)
    out.mkdir(parents=True, exist_ok=True)
    for name, rows in glyphs().items():
        (out / (name + ".png")).write_bytes(rgba_png(rows))


if __name__ == "__main__":
    main()
