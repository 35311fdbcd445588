"""A sheet of sample controls painted from a skin folder, for people to look at.

It paints roughly as the skin engine does: the section colour of the state, a nine-part border
whose key-colour corners show what lies beneath, glyphs blended through their masks, masked
textures tiled over the section. It is a look at the skin, not a reference for the engine.
"""
import os

import imagefile
from optionsfile import parse_image, read_options
from raster import KEY


def _colour(value):
    v = int(value)
    return v & 0xFF, v >> 8 & 0xFF, v >> 16 & 0xFF


class Sheet:
    def __init__(self, folder, width, height):
        self.sections = {name: dict(keys) for name, keys in read_options(folder)}
        _, _, self.master = imagefile.read_bmp(os.path.join(folder, self.sections["GLOBALINFO"]["MASTERBITMAP"]))
        self.width, self.height = width, height
        self.px = [[_colour(self.sections["GLOBALINFO"]["COLOR"])] * width for _ in range(height)]

    def image(self, section, key):
        value = self.sections.get(section, {}).get(key)
        return parse_image(value) if value else None

    def _frame(self, image, state):
        left, top, right, bottom = image["rect"]
        w = (right - left) // image["count"]
        h = (bottom - top) // (image["mask_type"] + 1)
        x0 = left + w * min(state, image["count"] - 1)
        return x0, top, w, h

    def _copy(self, dx, dy, dw, dh, sx, sy, sw, sh, keyed):
        """The source piece stretched onto the destination piece; key pixels skipped when keyed."""
        if sw <= 0 or sh <= 0:
            return
        for y in range(dh):
            for x in range(dw):
                p = self.master[sy + y * sh // dh][sx + x * sw // dw]
                if not (keyed and p == KEY) and 0 <= dx + x < self.width and 0 <= dy + y < self.height:
                    self.px[dy + y][dx + x] = p

    def border(self, image, x, y, w, h, state):
        if image["draw_mode"] & 2 and state == 0:
            return
        sx, sy, fw, fh = self._frame(image, state)
        l, t, r, b = image["widths"]
        cw, ch = fw - l - r, fh - t - b
        pieces = [(0, 0, l, t, 0, 0, l, t, True), (w - r, 0, r, t, fw - r, 0, r, t, True),
                  (0, h - b, l, b, 0, fh - b, l, b, True), (w - r, h - b, r, b, fw - r, fh - b, r, b, True),
                  (l, 0, w - l - r, t, l, 0, cw, t, False), (l, h - b, w - l - r, b, l, fh - b, cw, b, False),
                  (0, t, l, h - t - b, 0, t, l, ch, False), (w - r, t, r, h - t - b, fw - r, t, r, ch, False)]
        if image["draw_mode"] & 4:
            pieces.append((l, t, w - l - r, h - t - b, l, t, cw, ch, False))
        for dx, dy, dw, dh, px, py, pw, ph, keyed in pieces:
            self._copy(x + dx, y + dy, dw, dh, sx + px, sy + py, pw, ph, keyed)

    def glyph(self, image, x, y, state):
        sx, sy, w, h = self._frame(image, state)
        for gy in range(h):
            for gx in range(w):
                s = self.master[sy + gy][sx + gx]
                m = self.master[sy + h + gy][sx + gx] if image["mask_type"] else (255, 255, 255) if s == KEY else (0, 0, 0)
                if s == KEY or m[0] == 255:
                    continue
                d = self.px[y + gy][x + gx]
                self.px[y + gy][x + gx] = tuple((dc * mc + sc * (256 - mc)) >> 8 for dc, sc, mc in zip(d, s, m))

    def section(self, name, x, y, w, h, state=0):
        keys = self.sections[name]
        hot = state > 0 and int(keys.get("STATES", 4)) > 1
        if int(keys.get("HOTTRANSPARENCY" if hot else "TRANSPARENCY", 0)) != 100:
            colour = _colour(keys["HOTCOLOR" if hot else "COLOR"])
            for row in self.px[y:y + h]:
                row[x:x + w] = [colour] * w
        texture = self.image(name, "PATTERN")
        if texture and state == 0 and texture["draw_mode"] == 10:
            tw = texture["rect"][2] - texture["rect"][0]
            th = (texture["rect"][3] - texture["rect"][1]) // 2
            for ty in range(y, y + h - th + 1, th):
                for tx in range(x, x + w - tw + 1, tw):
                    self.glyph(texture, tx, ty, 0)
        border = self.image(name, "BORDERSMASK")
        if border:
            self.border(border, x, y, w, h, state)

    def save(self, path, scale):
        rows = [[px + (255,) for px in row for _ in range(scale)] for row in self.px for _ in range(scale)]
        imagefile.write_png(path, self.width * scale, self.height * scale, rows)


def render(folder, path, scale=3):
    """The sample sheet of the skin in folder, written to path as a PNG."""
    s = Sheet(folder, 330, 250)
    for state, top in ((1, 4), (0, 30)):
        s.section("FORMTITLE", 4, top, 322, 22, state)
        for i, key in enumerate(("BICONMIN", "BICONMAX", "BICONCLOSE")):
            s.glyph(s.image("GLOBALINFO", key), 4 + 322 - 4 - 26 * (3 - i), top + 2, i if state else 0)
    s.section("FORM", 4, 56, 322, 190, 1)
    s.section("PANEL", 12, 62, 306, 120)
    for i in range(3):
        s.section("BUTTON", 20 + 86 * i, 70, 80, 24, i)
    s.section("EDIT", 20, 102, 120, 22, 0)
    s.section("EDIT", 150, 102, 120, 22, 1)
    s.section("COMBOBOX", 20, 130, 120, 22, 0)
    s.glyph(s.image("COMBOBOX", "GLYPHMASK"), 20 + 120 - 16, 130 + 6, 0)
    for i, key in enumerate(("BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED", "RADIOUNCHECKED", "RADIOCHECKED")):
        for state in range(3):
            s.glyph(s.image("GLOBALINFO", key), 150 + 18 * state + 56 * (i % 3), 130 + 18 * (i // 3), state)
    s.section("GAUGE", 20, 162, 200, 12)
    s.section("PROGRESSH", 22, 164, 130, 8)
    s.section("GROUPBOX", 12, 188, 150, 40)
    for i in range(3):
        s.section("SPEEDBUTTON", 170 + 34 * i, 190, 30, 30, i)
    s.section("SCROLLBAR1V", 300, 188, 17, 40)
    s.section("SCROLLSLIDERV", 300, 200, 17, 20, 1)
    s.section("STATUSBAR", 5, 226, 320, 19)
    s.save(path, scale)


def render_master(folder, path, scale=4):
    """The master bitmap itself, enlarged."""
    gi = dict(read_options(folder)[0][1])
    width, height, rows = imagefile.read_bmp(os.path.join(folder, gi["MASTERBITMAP"]))
    out = [[p + (255,) for p in row for _ in range(scale)] for row in rows for _ in range(scale)]
    imagefile.write_png(path, width * scale, height * scale, out)
