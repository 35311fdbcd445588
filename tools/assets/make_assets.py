#!/usr/bin/python3
"""Draws the program's pictures and its alarm sound into assets/.

Run by a developer when a picture changes (needs Debian's python3-pil); the
outputs are committed, so neither the build nor the tests run this.

assets/image/   flag and sound-button glyphs, the 0..3.0 V scale "2scale.png"
assets/form/    the pictures and glyphs that the main window's form holds
assets/Alarm1.wav
"""
import math
import struct
import sys
import wave
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

OUT = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "assets"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Glyph bitmaps without alpha use this key colour for their background; the
# button draws the glyph with the bottom-left pixel's colour as transparent.
KEY = (255, 0, 255)

GLYPH = 28           # flags and sound glyphs on the 40x40 top-bar buttons
FLAG_W, FLAG_H = 26, 18


def flag_canvas():
    img = Image.new("RGB", (GLYPH, GLYPH), KEY)
    flag = Image.new("RGB", (FLAG_W, FLAG_H), (255, 255, 255))
    return img, flag, ImageDraw.Draw(flag)


def finish_flag(img, flag):
    # A thin dark frame keeps white stripes visible on a light button.
    framed = Image.new("RGB", (FLAG_W + 2, FLAG_H + 2), (70, 70, 70))
    framed.paste(flag, (1, 1))
    img.paste(framed, ((GLYPH - FLAG_W - 2) // 2, (GLYPH - FLAG_H - 2) // 2))
    return img


def stripes(draw, colours, vertical=False, weights=None):
    weights = weights or [1] * len(colours)
    total = sum(weights)
    extent = FLAG_W if vertical else FLAG_H
    pos = 0.0
    for colour, w in zip(colours, weights):
        start, pos = round(pos), pos + extent * w / total
        box = (start, 0, round(pos) - 1, FLAG_H - 1) if vertical else (0, start, FLAG_W - 1, round(pos) - 1)
        draw.rectangle(box, fill=colour)


def horizontal(*colours, weights=None):
    def paint(draw):
        stripes(draw, colours, weights=weights)
    return paint


def vertical(*colours):
    def paint(draw):
        stripes(draw, colours, vertical=True)
    return paint


def great_britain(draw):
    blue, red, white = (1, 33, 105), (200, 16, 46), (255, 255, 255)
    draw.rectangle((0, 0, FLAG_W, FLAG_H), fill=blue)
    draw.line((0, 0, FLAG_W, FLAG_H), fill=white, width=4)
    draw.line((0, FLAG_H, FLAG_W, 0), fill=white, width=4)
    draw.line((0, 0, FLAG_W, FLAG_H), fill=red, width=1)
    draw.line((0, FLAG_H, FLAG_W, 0), fill=red, width=1)
    cx, cy = FLAG_W // 2, FLAG_H // 2
    draw.rectangle((cx - 3, 0, cx + 2, FLAG_H), fill=white)
    draw.rectangle((0, cy - 3, FLAG_W, cy + 2), fill=white)
    draw.rectangle((cx - 1, 0, cx, FLAG_H), fill=red)
    draw.rectangle((0, cy - 1, FLAG_W, cy), fill=red)


def portugal(draw):
    green, red, yellow = (0, 102, 0), (255, 0, 0), (255, 204, 0)
    split = FLAG_W * 2 // 5
    draw.rectangle((0, 0, split - 1, FLAG_H), fill=green)
    draw.rectangle((split, 0, FLAG_W, FLAG_H), fill=red)
    draw.ellipse((split - 5, FLAG_H // 2 - 5, split + 4, FLAG_H // 2 + 4), outline=yellow, width=2)
    draw.rectangle((split - 2, FLAG_H // 2 - 2, split + 1, FLAG_H // 2 + 2), fill=(255, 255, 255), outline=red)


def czech(draw):
    stripes(draw, [(255, 255, 255), (215, 20, 26)])
    draw.polygon([(0, 0), (FLAG_W // 2, FLAG_H // 2), (0, FLAG_H)], fill=(17, 69, 126))


def serbia(draw):
    stripes(draw, [(198, 54, 60), (12, 64, 118), (255, 255, 255)])
    # A small shield with a white cross, as a sign of the arms.
    x, y = 6, 4
    draw.polygon([(x, y), (x + 6, y), (x + 6, y + 7), (x + 3, y + 10), (x, y + 7)], fill=(198, 54, 60), outline=(230, 190, 60))
    draw.line((x + 3, y + 1, x + 3, y + 8), fill=(255, 255, 255))
    draw.line((x + 1, y + 4, x + 5, y + 4), fill=(255, 255, 255))


def south_korea(draw):
    draw.rectangle((0, 0, FLAG_W, FLAG_H), fill=(255, 255, 255))
    cx, cy, r = FLAG_W // 2, FLAG_H // 2, 5
    draw.pieslice((cx - r, cy - r, cx + r, cy + r), 180, 360, fill=(205, 46, 58))
    draw.pieslice((cx - r, cy - r, cx + r, cy + r), 0, 180, fill=(0, 71, 160))
    draw.ellipse((cx - r, cy - r // 2 - 1, cx, cy + r // 2 - 1), fill=(205, 46, 58))
    draw.ellipse((cx, cy - r // 2, cx + r, cy + r // 2), fill=(0, 71, 160))
    black = (0, 0, 0)
    for (x, y) in [(2, 2), (FLAG_W - 6, 2), (2, FLAG_H - 6), (FLAG_W - 6, FLAG_H - 6)]:
        for row in range(0, 4, 2):
            draw.line((x, y + row, x + 3, y + row), fill=black)


def sweden(draw):
    blue, yellow = (0, 106, 167), (254, 204, 0)
    draw.rectangle((0, 0, FLAG_W, FLAG_H), fill=blue)
    draw.rectangle((7, 0, 10, FLAG_H), fill=yellow)
    draw.rectangle((0, 7, FLAG_W, 10), fill=yellow)


def croatia(draw):
    stripes(draw, [(255, 0, 0), (255, 255, 255), (23, 23, 150)])
    x0, y0, cell = FLAG_W // 2 - 4, 4, 2
    for row in range(5):
        for col in range(4):
            colour = (255, 0, 0) if (row + col) % 2 == 0 else (255, 255, 255)
            draw.rectangle((x0 + col * cell, y0 + row * cell, x0 + col * cell + cell - 1, y0 + row * cell + cell - 1), fill=colour)
    draw.rectangle((x0 - 1, y0 - 1, x0 + 4 * cell, y0 + 5 * cell), outline=(23, 23, 150))


FLAGS = {
    "28flag_russia.bmp": horizontal((255, 255, 255), (0, 57, 166), (213, 43, 30)),
    "28flag_great_britain.bmp": great_britain,
    "28flag_germany.bmp": horizontal((0, 0, 0), (221, 0, 0), (255, 206, 0)),
    "28flag_france.bmp": vertical((0, 35, 149), (255, 255, 255), (237, 41, 57)),
    "28flag_spain.bmp": horizontal((170, 21, 27), (241, 191, 0), (170, 21, 27), weights=[1, 2, 1]),
    "28flag_portugal.bmp": portugal,
    "28flag_czech.bmp": czech,
    "28flag_serbia.bmp": serbia,
    "28flag_south_korea.bmp": south_korea,
    "flag_sweden.bmp": sweden,
    "flag_croatia.bmp": croatia,
    "28flag_italy.bmp": vertical((0, 146, 70), (255, 255, 255), (206, 43, 55)),
}


def speaker(size, sound_on, background):
    """A loudspeaker with sound waves (on) or a red cross (off)."""
    img = Image.new("RGBA" if background is None else "RGB", (size, size), background or (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = size / 28.0
    body = (40, 40, 48)
    d.rectangle((3 * s, 10 * s, 8 * s, 18 * s), fill=body)
    d.polygon([(8 * s, 10 * s), (15 * s, 4 * s), (15 * s, 24 * s), (8 * s, 18 * s)], fill=body)
    if sound_on:
        for r in (5, 9):
            d.arc((15 * s - r * s, 14 * s - r * s, 15 * s + r * s, 14 * s + r * s), -50, 50, fill=(0, 120, 0), width=max(2, round(2 * s)))
    else:
        red = (210, 20, 20)
        d.line((18 * s, 9 * s, 26 * s, 19 * s), fill=red, width=max(2, round(3 * s)))
        d.line((18 * s, 19 * s, 26 * s, 9 * s), fill=red, width=max(2, round(3 * s)))
    return img


def scale_picture():
    """47x350: 0 V at the bottom row, 3.0 V at the top row; long ticks every 0.5 V."""
    w, h = 47, 350
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for y in range(h):  # a colour band from green (low) through yellow to red (high)
        v = 1.0 - y / (h - 1)
        r = int(min(1.0, 2 * v) * 220)
        g = int(min(1.0, 2 * (1 - v)) * 170)
        d.line((0, y, 5, y), fill=(r, g, 40, 255))
    d.line((6, 0, 6, h - 1), fill=(50, 50, 50, 255))
    for tenth in range(31):
        y = round((h - 1) * (1 - tenth / 30))
        length = 30 if tenth % 10 == 0 else 20 if tenth % 5 == 0 else 11
        d.line((7, y, 7 + length, y), fill=(50, 50, 50, 255), width=2 if tenth % 5 == 0 else 1)
    return img


def logo():
    w, h = 109, 38
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((0, 0, w - 1, h - 1), radius=6, fill=(20, 60, 120, 255))
    # Two radio beams across a zone, the detector's principle.
    for i, r in enumerate((8, 13)):
        d.arc((6 - r, 19 - r, 6 + r, 19 + r), -45, 45, fill=(120, 200, 255, 255), width=2)
    font = ImageFont.truetype(FONT_BOLD, 15)
    d.text((24, 9), "ZIRVANE", font=font, fill=(255, 255, 255, 255))
    return img


def sign_glyph(size, plus):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse((1, 1, size - 2, size - 2), fill=(30, 110, 40, 255) if plus else (170, 40, 30, 255))
    c, arm = size // 2, size // 4
    d.rectangle((c - arm, c - 1, c + arm - 1, c), fill=(255, 255, 255, 255))
    if plus:
        d.rectangle((c - 1, c - arm, c, c + arm - 1), fill=(255, 255, 255, 255))
    return img


def manual_glyph(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle((6, 3, size - 7, size - 4), fill=(250, 250, 245, 255), outline=(60, 60, 60, 255))
    d.rectangle((6, 3, 10, size - 4), fill=(30, 80, 160, 255))
    for y in range(9, size - 8, 4):
        d.line((13, y, size - 10, y), fill=(120, 120, 120, 255))
    return img


def globe_glyph(size):
    img = Image.new("RGB", (size, size), KEY)
    d = ImageDraw.Draw(img)
    m = size // 8
    d.ellipse((m, m, size - m, size - m), fill=(60, 130, 200), outline=(20, 50, 100), width=2)
    d.ellipse((size // 2 - size // 6, m, size // 2 + size // 6, size - m), outline=(220, 235, 250), width=2)
    d.line((m, size // 2, size - m, size // 2), fill=(220, 235, 250), width=2)
    return img


def alarm_sound(path, rate=22050, seconds=1.2):
    """A two-tone siren, loud enough to be heard in a field."""
    frames = bytearray()
    for n in range(int(rate * seconds)):
        t = n / rate
        freq = 880 if int(t * 5) % 2 == 0 else 660
        envelope = min(1.0, t * 50, (seconds - t) * 50)
        sample = 0.6 * envelope * math.sin(2 * math.pi * freq * t)
        frames += struct.pack("<h", int(sample * 32767))
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def main():
    image = OUT / "image"
    form = OUT / "form"
    image.mkdir(parents=True, exist_ok=True)
    form.mkdir(parents=True, exist_ok=True)

    for name, paint in FLAGS.items():
        img, flag, draw = flag_canvas()
        paint(draw)
        finish_flag(img, flag).save(image / name)
    speaker(GLYPH, True, KEY).save(image / "28music_on.bmp")
    speaker(GLYPH, False, KEY).save(image / "28music_off.bmp")
    scale_picture().save(image / "2scale.png")

    scale_picture().save(form / "scale.png")
    logo().save(form / "logo.png")
    Image.new("RGBA", (100, 3), (255, 0, 0, 255)).save(form / "line.png")
    manual_glyph(32).save(form / "manual.png")
    speaker(55, True, KEY).save(form / "sound.bmp")
    globe_glyph(55).save(form / "language.bmp")
    sign_glyph(24, True).save(form / "plus.png")
    sign_glyph(24, False).save(form / "minus.png")

    alarm_sound(OUT / "Alarm1.wav")


if __name__ == "__main__":
    main()
