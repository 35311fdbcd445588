"""A skin folder as our generators write it: "Options.dat", the master bitmap and image files.

A skin is a list of sections, each a list of (key, value). A value is text, a number, or an image:
Border ("^" border mask), Glyph ("@"), Texture ("~") are rectangles of the master bitmap, which
is packed when the skin is written; ImageFile ("!") is a file of its own. Names are in capitals.
"""
import os

import imagefile
from raster import KEY

MASTER = "MASTER.BMP"
MASTER_WIDTH = 512  # rows of images are packed up to this width


def tcolor(rgb):
    """The skin's colour value (0x00BBGGRR) of an (r, g, b) colour."""
    r, g, b = rgb
    return b << 16 | g << 8 | r


def _frames_pixels(frames, masked):
    """Rows of (r, g, b): the frames side by side, then, when masked, their masks below.

    Without a mask a pixel is either its colour or the key; with a mask the image row holds the
    colour and the mask row how much of the background stays (white: all, black: none)."""
    height = frames[0].height
    image, mask = [], []
    for y in range(height):
        row, mrow = [], []
        for frame in frames:
            for r, g, b, a in frame.px[y]:
                if masked:
                    row.append((r, g, b) if a else KEY)
                    mrow.append((255 - a,) * 3)
                else:
                    row.append((r, g, b) if a >= 128 else KEY)
        image.append(row)
        mask.append(mrow)
    return image + (mask if masked else [])


class MasterImage:
    """Frames (rasters of one size) side by side in the master bitmap."""
    masked = False

    def __init__(self, frames):
        self.frames = frames
        self.rect = None  # (left, top, right, bottom) once packed

    @property
    def size(self):
        f = self.frames[0]
        return f.width * len(self.frames), f.height * (2 if self.masked else 1)

    def pixels(self):
        return _frames_pixels(self.frames, self.masked)


class Border(MasterImage):
    """A nine-part border mask: "^" with its widths written out, no mask row."""

    def __init__(self, frames, widths, draw_mode, border_width=0):
        super().__init__(frames)
        self.widths, self.draw_mode, self.border_width = widths, draw_mode, border_width

    def value(self):
        assert len(self.frames) <= 9 and self.draw_mode <= 9 and self.border_width <= 9
        fields = list(self.rect) + list(self.widths)
        return ("^%04d" * 8 + "^%d^%d^%d^%d") % (*fields, len(self.frames), 0, self.draw_mode, self.border_width)


class Glyph(MasterImage):
    """A glyph drawn at its own size: "@", with a mask row that anti-aliases it over any background."""
    masked = True

    def value(self):
        return ("@%04d" * 4 + "@%d@%d") % (*self.rect, len(self.frames), 1)


class Texture(MasterImage):
    """A texture tiled over a section: "~" with its fill mode (0 tile, 10 tile over the background)."""
    masked = True

    def __init__(self, frame, fill_mode):
        super().__init__([frame])
        self.fill_mode = fill_mode

    def value(self):
        return ("~%04d" * 4 + "~%02d~%d") % (*self.rect, self.fill_mode, 1)


class ImageFile:
    """An image of its own file: "!NAME!count!masktype!kind!WL!WT!WR!WB!drawmode"."""

    def __init__(self, name, frames, kind, widths=(0, 0, 0, 0), draw_mode=1):
        assert name == name.upper() and name.endswith((".PNG", ".BMP"))
        self.name, self.frames, self.kind, self.widths, self.draw_mode = name, frames, kind, widths, draw_mode

    def value(self):
        return "!%s!%d!0!%d!%04d!%04d!%04d!%04d!%d" % (self.name, len(self.frames), self.kind, *self.widths, self.draw_mode)

    def write(self, folder):
        pixels = [sum((f.px[y] for f in self.frames), []) for y in range(self.frames[0].height)]
        width = self.frames[0].width * len(self.frames)
        path = os.path.join(folder, self.name)
        if self.name.endswith(".PNG"):
            imagefile.write_png(path, width, len(pixels), pixels)
        else:
            imagefile.write_bmp(path, width, len(pixels), [[p[:3] if p[3] >= 128 else KEY for p in row] for row in pixels])


class Skin:
    def __init__(self):
        self.sections = []  # (name, [(key, value)])
        self.extra_files = []  # (name, writer(path)): files the values name that are not images

    def add(self, name, keys):
        assert name == name.upper(), name
        assert all(k == k.upper() for k, _ in keys), name
        self.sections.append((name, list(keys)))

    def master_images(self):
        return [v for _, keys in self.sections for _, v in keys if isinstance(v, MasterImage)]

    def pack(self):
        """Places every master image in rows, tallest first; returns the master bitmap's size."""
        images = sorted(self.master_images(), key=lambda i: -i.size[1])
        x = y = row_height = width = 0
        for image in images:
            w, h = image.size
            if x and x + w > MASTER_WIDTH:
                x, y, row_height = 0, y + row_height + 1, 0
            image.rect = (x, y, x + w, y + h)
            x += w + 1
            row_height = max(row_height, h)
            width = max(width, x)
        return max(width, 1), max(y + row_height, 1)

    def write(self, folder):
        os.makedirs(folder, exist_ok=True)
        if self.master_images():
            width, height = self.pack()
            master = [[KEY] * width for _ in range(height)]
            for image in self.master_images():
                left, top = image.rect[:2]
                for dy, row in enumerate(image.pixels()):
                    master[top + dy][left:left + len(row)] = row
            imagefile.write_bmp(os.path.join(folder, MASTER), width, height, master)
        lines = []
        for name, keys in self.sections:
            lines.append("[%s]" % name)
            for key, value in keys:
                if isinstance(value, ImageFile):
                    value.write(folder)
                lines.append("%s=%s" % (key, value.value() if hasattr(value, "value") else value))
            lines.append("")
        with open(os.path.join(folder, "Options.dat"), "w", newline="\r\n") as f:
            f.write("\n".join(lines))
        for name, writer in self.extra_files:
            writer(os.path.join(folder, name))
