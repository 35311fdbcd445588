"""Tiny skins for the engine's tests, written into the build tree from the short descriptions below.

Every section paints flat, distinct colours: unless it names its own, state s of the n-th section of
a skin gets flat_colour(n, s); its border line is the state colour darkened. Adding a section or a
skin is one more entry in TEST_SKINS.
"""
from dataclasses import dataclass, field

from frames import box
from raster import Raster, mix
from skinfile import Border, Glyph, ImageFile, Skin, tcolor
import imagefile



def flat_colour(n, s):
    """Distinct for the first 32 sections and 4 states; never the key colour."""
    return ((20 + 7 * n) % 256, 40 + 50 * s, (235 - 5 * n) % 256)


FONT = (10, 20, 30)
GLOBAL_GLYPHS = ("BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED")


@dataclass
class Section:
    name: str
    states: int = 1
    border: int = 0               # width of the border line of a BORDERSMASK image; 0: none
    key_corners: bool = False     # the border's corners rounded by key-colour pixels
    gradient: bool = False        # a vertical gradient from the state colour to white
    transparency: int = 0
    parent: str = ""
    colours: tuple = ()           # (normal, hot, pressed ...) instead of the palette's
    glyphs: tuple = ()            # keys of 8 x 8 masked glyphs of this section, one frame per state
    glyph_colours: tuple = ()     # the glyphs' colour of each state instead of the section's
    files: tuple = ()             # (key, ImageFile) pairs
    keys: tuple = ()              # further (key, value) pairs, written as they are


def _xb_png():
    """A 108 x 54 image of two frames in straight alpha: a soft shadow, with pixel (0, 0) half
    transparent (200, 100, 50, 128) and pixel (1, 0) white and fully transparent."""
    frame = Raster(54, 54)
    for y in range(54):
        for x in range(54):
            edge = min(x, y, 53 - x, 53 - y)
            frame.px[y][x] = (40, 80, 120, min(255, edge * 10))
    second = Raster(54, 54)
    second.px = [row[:] for row in frame.px]
    frame.px[0][0] = (200, 100, 50, 128)
    frame.px[0][1] = (255, 255, 255, 0)
    return ImageFile("XB.PNG", [frame, second], kind=3, widths=(26, 26, 26, 26), draw_mode=1)


# The extended-border test skin's frame image: 14 on every side, of which FORMOFFSET 4 lie under
# the form's frame, so that the shadow is 10 wide.
EX_WIDTH, EX_OFFSET = 14, 4
EX_SHADOW = (30, 40, 50)


def ex_shadow_alpha(distance, active):
    """The alpha of a pixel of the shadow image at its distance from the image's edge: rising
    towards the form over the shadow, opaque under the form's frame; stronger when active."""
    shadow = EX_WIDTH - EX_OFFSET
    if distance >= shadow:
        return 255
    return (distance + 1) * (20 if active else 12)


def _ex_shadow_png():
    """A 29 x 29 image of two frames (inactive, active) in straight alpha, one flat colour."""
    size = 2 * EX_WIDTH + 1
    frames = []
    for active in (False, True):
        frame = Raster(size, size)
        for y in range(size):
            for x in range(size):
                frame.px[y][x] = EX_SHADOW + (ex_shadow_alpha(min(x, y, size - 1 - x, size - 1 - y), active),)
        frames.append(frame)
    return ImageFile("EXSHADOW.PNG", frames, kind=3, widths=(EX_WIDTH,) * 4, draw_mode=1)


def _solid(width, height, rgb):
    raster = Raster(width, height)
    raster.fill(rgb)
    return raster


# The title buttons of "GLOBALINFO" (big and small, five kinds), each a coloured rectangle of the
# master bitmap; the glows of two of them and a grip are bitmaps of their own.
TITLE_BUTTONS = ("BICONCLOSE", "SICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP",
                 "SICONMAX", "SICONMIN", "SICONNORM")


def _title_images():
    buttons = [(name, Border([_solid(4, 3, (200, 30 + 20 * n, 10))], (1, 1, 1, 1), 1))
               for n, name in enumerate(TITLE_BUTTONS)]
    files = [(key, ImageFile(key + ".BMP", [_solid(3, 2, rgb)], kind=0))
             for key, rgb in (("BICONCLOSEGLOW0", (10, 200, 60)), ("BICONMAXGLOW0", (60, 10, 200)),
                              ("GRIPIMAGE", (220, 120, 40)))]
    return tuple(buttons + files)


# The frame test skin's title buttons: three states of 24 x 18 (21 x 18 for the user buttons), each
# state one flat colour of its own.
FRAME_BUTTONS = (("BICONCLOSE", 24, (200, 40, 40)), ("BICONMIN", 24, (40, 160, 40)), ("BICONMAX", 24, (40, 40, 200)),
                 ("BICONNORM", 24, (160, 40, 160)), ("BICONHELP", 24, (40, 160, 160)), ("TITLEBUTTON", 21, (160, 160, 40)))


def frame_button_colour(rgb, state):
    """The flat colour of a title button's state: lighter with every state."""
    return tuple(min(255, c + 30 * state) for c in rgb)


def _frame_images():
    buttons = [(key, Glyph([_solid(width, 18, frame_button_colour(rgb, s)) for s in range(3)]))
               for key, width, rgb in FRAME_BUTTONS]
    grip = ("GRIPIMAGE", ImageFile("GRIP.BMP", [_solid(12, 12, (220, 120, 40))], kind=0))
    return tuple(buttons) + (grip,)


# The small caption buttons a maximised MDI child shows in its main form's menu line: three states
# of 16 x 14, each a flat colour of its own.
SMALL_ICONS = (("SICONCLOSE", (200, 40, 40)), ("SICONMIN", (40, 160, 40)), ("SICONNORM", (160, 40, 160)))


def _small_icons():
    return tuple((key, Glyph([_solid(16, 14, frame_button_colour(rgb, s)) for s in range(3)]))
                 for key, rgb in SMALL_ICONS)


def _glow_png():
    """A 20 x 20 halo with borders of 8 in straight alpha, growing stronger towards the middle; every
    pixel of the borders has a colour of its own, the 4 x 4 middle is empty."""
    halo = Raster(20, 20)
    for y in range(20):
        for x in range(20):
            depth = min(x, y, 19 - x, 19 - y)
            if depth < 8:
                halo.px[y][x] = (40 + 10 * x, 40 + 10 * y, 200, 30 * (depth + 1))
    return ImageFile("GLOW.PNG", [halo], kind=3, widths=(8, 8, 8, 8), draw_mode=1)


def _corner_keys(frame, runs, bottom):
    """The frame with key pixels in its top corners (and, with bottom, its bottom corners): on the
    r-th row from the edge, runs[r] pixels from each side."""
    rows = [(r, n) for r, n in enumerate(runs)]
    if bottom:
        rows += [(frame.height - 1 - r, n) for r, n in enumerate(runs)]
    for y, n in rows:
        for x in list(range(n)) + list(range(frame.width - n, frame.width)):
            frame.px[y][x] = (0, 0, 0, 0)
    return frame


def _ex_variant(form, mode):
    """The extended-border test skin with the given form section, the frame drawn by mode: 0 the
    form's own frame inside the shadow image, 1 the whole frame from the image."""
    return TestSkin("8.00", [
        Section("GLOBALINFO", states=2, keys=_frame_images(), files=(("EXBORDER", _ex_shadow_png()),)),
        form,
        Section("FORMTITLE", states=2),
    ], extra={"BIRIGHT": 2, "BISPACE": 1, "BILEFT": 2, "BORDERWIDTH": 6, "TITLEHEIGHT": 30, "MAXHEIGHT": 26,
              "CENTEROFFSET": 0, "BORDERMODE": mode, "ALIGNOFFSET": 2, "FORMOFFSET": EX_OFFSET})


# A system dialog's title buttons: the frame skin's big ones, the close button shown alone, and the
# small set of dialog frames, each state a flat colour of its own.
DIALOG_BUTTONS = FRAME_BUTTONS[:5] + (("BICLOSEALONE", 24, (200, 120, 40)),)
DIALOG_SMALL_ICONS = SMALL_ICONS + (("SICONMAX", (40, 40, 200)), ("SICONHELP", (40, 160, 160)))


def _dialog_images(small):
    big = tuple((key, Glyph([_solid(width, 18, frame_button_colour(rgb, s)) for s in range(3)]))
                for key, width, rgb in DIALOG_BUTTONS)
    return big + (tuple((key, Glyph([_solid(16, 14, frame_button_colour(rgb, s)) for s in range(3)]))
                        for key, rgb in DIALOG_SMALL_ICONS) if small else ())


# The scroll bars' parts: arrows and thumbs with a glyph of dark greys, the track halves, each of
# three states.
SCROLL_GLYPH_GREYS = ((30, 30, 30), (70, 70, 70), (110, 110, 110))
SCROLL_SECTIONS = tuple(
    [Section(name, states=3, glyphs=("GLYPHMASK",), glyph_colours=SCROLL_GLYPH_GREYS) for name in
     ("SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLSLIDERH", "SCROLLSLIDERV")] +
    [Section(name, states=3) for name in ("SCROLLBAR1H", "SCROLLBAR2H", "SCROLLBAR1V", "SCROLLBAR2V")])


@dataclass
class TestSkin:
    version: str
    sections: list
    jpegs: tuple = ()  # (file name, width, height): flat grey patterns
    extra: dict = field(default_factory=dict)  # GLOBALINFO keys written as they are


TEST_SKINS = {
    # The everyday test skin.
    "FLAT": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, glyphs=GLOBAL_GLYPHS),
        Section("PANEL", border=1),
        Section("BUTTON", states=3, border=2),
        Section("BUTTON_HUGE", states=3, border=4, key_corners=True),
        Section("BUTTON_ROUND", states=3, border=4, key_corners=True),
        Section("EDIT", states=2, border=1),
        Section("GRADIENT", states=2, gradient=True),
        Section("CHECKBOX", states=2, transparency=100),
        Section("NEWBUTTON", states=3, parent="BUTTON"),
    ]),
    # The combo box: its field with a border and an arrow of two frames, its button with a border
    # of three frames, and a selection...
    "COMBO": TestSkin("8.00", [
        Section("GLOBALINFO", states=2),
        Section("COMBOBOX", states=2, border=1, glyphs=("GLYPHMASK",)),
        Section("COMBOBTN", states=3, border=1),
        Section("SELECTION", states=2),
        Section("EDIT", states=2, border=1),
    ]),
    # ...and a field alone: no button section, no arrow, no selection.
    "COMBOPLAIN": TestSkin("8.00", [
        Section("GLOBALINFO", states=2),
        Section("COMBOBOX", states=2, border=1),
    ]),
    # Every section the gallery of skinned controls looks up, in flat colours; the scroll bars'
    # parts with their glyphs in the middle and the size grip.
    "GALLERY": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, glyphs=GLOBAL_GLYPHS + ("GRIPHORZ", "GRIPVERT", "GRIPIMAGE")),
        Section("PANEL", border=1),
        Section("PANEL_LOW", border=1),
        Section("BUTTON", states=3, border=2),
        Section("SPEEDBUTTON", states=3, border=1),
        Section("CHECKBOX", states=2, transparency=100),
        Section("RADIOBUTTON", states=2, transparency=100),
        Section("GROUPBOX", border=1),
        Section("SELECTION", states=2),
        Section("GAUGE", border=1),
        Section("PROGRESSH"),
        Section("PROGRESSV"),
        Section("TRACKBAR", states=2, transparency=100,
                glyphs=("SLIDERCHANNEL", "SLIDERMASK", "SLIDERVMASK", "TICKHORZ", "TICKVERT")),
        Section("SPLITTER", states=3),
        Section("DRAGBAR"),
        Section("STATUSBAR", border=1),
        Section("EDIT", states=2, border=1),
        Section("COMBOBOX", states=2, border=1, glyphs=("GLYPHMASK",)),
        Section("COMBOBTN", states=3, border=1),
        Section("DIVIDER", border=1),
        *SCROLL_SECTIONS,
    ]),
    # JPEG patterns: one large enough to stay a pattern, one a column short of it.
    "PATTERNS": TestSkin("8.00", [
        Section("GLOBALINFO"),
        Section("PAT", keys=(("PATTERN", "BIG.JPG"), ("HOTPATTERN", "SMALL.JPG"))),
        Section("CHILDPAT", parent="PAT"),
    ], jpegs=(("BIG.JPG", 1000, 900), ("SMALL.JPG", 999, 900))),
    # Recolouring: title buttons kept by "BIKEEPHUE", coloured, grey and key pixels, a gradient.
    "RECOLOUR": TestSkin("8.00", [
        Section("GLOBALINFO", keys=_title_images()),
        Section("PANEL", states=2, border=1),
        Section("GREY", border=1, colours=((128, 128, 128), (90, 90, 90))),
        Section("GRADIENT", states=2, gradient=True),
    ], extra={"BIKEEPHUE": 1}),
    # A skinned form's frame: a two-state form section with a border line of 2, a two-state title,
    # the title buttons, a user title button's image and a grip, placed by the skin's options.
    "FRAME": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, keys=_frame_images()),
        Section("FORM", states=2, border=2),
        Section("FORMTITLE", states=2),
    ], extra={"BIRIGHT": 2, "BISPACE": 1, "BILEFT": 2}),
    # Glows: a section with its glow image, a margin of 2 and glows on; one asking for glows without an image.
    "GLOW": TestSkin("8.00", [
        Section("GLOBALINFO"),
        Section("GLOWING", states=2, files=(("GLOW0", _glow_png()),), keys=(("GLOW", 1), ("GLOWMARGIN", 2))),
        Section("NOGLOWIMAGE", states=2, keys=(("GLOW", 1), ("GLOWMARGIN", 2))),
    ]),
    # Fades: the fading controls' sections fade in the default number of steps (5); "STILL" does not.
    # The button's pressed look differs from its hot one in its border, 4 pixels wide.
    "FADE": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, glyphs=GLOBAL_GLYPHS),
        Section("BUTTON", states=3, border=4, keys=(("FADINGENABLED", 1),)),
        Section("SPEEDBUTTON", states=3, keys=(("FADINGENABLED", 1),)),
        Section("CHECKBOX", states=2, keys=(("FADINGENABLED", 1),)),
        Section("RADIOBUTTON", states=2, keys=(("FADINGENABLED", 1),)),
        Section("TRACKBAR", states=2, keys=(("FADINGENABLED", 1),)),
        Section("STILL", states=3),
    ]),
    # Menus: a window border of width 1 with rounded corners (no border width given), an item face of two states, the
    # icon column, a divider line, caption items, the extra line and the check glyphs...
    "MENU": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, glyphs=("CHECK", "RADIOCHECKED", "BOXCHECKED")),
        Section("MAINMENU", border=1, key_corners=True),
        Section("MENUITEM", states=2),
        Section("ICOLINE"),
        Section("DIVIDERV", border=1),
        Section("MENUCAPTION"),
        Section("EXTRALINE"),
    ]),
    # ...and the bare minimum: a menu window without a border mask, items without dividers.
    "MENUPLAIN": TestSkin("8.00", [
        Section("GLOBALINFO", states=2),
        Section("MAINMENU"),
        Section("MENUITEM", states=2),
    ]),
    # A PNG image of its own, in a skin that still marks transparent pixels by key colour...
    "PNG745": TestSkin("7.45", [Section("GLOBALINFO", files=(("EXBORDER", _xb_png()),))]),
    # ...and in one that carries straight alpha.
    "PNG746": TestSkin("7.46", [Section("GLOBALINFO", files=(("EXBORDER", _xb_png()),))]),
    # A form's window region: a 9 x 9 border of corners 4 wide whose outer rows hold key runs of 3, 2
    # and 1 pixels in all four corners, and a title border whose fourth row holds runs of 4 in its
    # top corners.
    "REGION": TestSkin("8.00", [
        Section("GLOBALINFO", states=2),
        Section("FORM", states=2, keys=(("BORDERSMASK", Border(
            [_corner_keys(box(9, 9, flat_colour(1, s), (0, 0, 0)), (3, 2, 1), True) for s in range(2)],
            (4, 4, 4, 4), 1)),)),
        Section("FORMTITLE", states=2, keys=(("BORDERSMASK", Border(
            [_corner_keys(box(9, 9, flat_colour(2, 0)), (0, 0, 0, 4), False)], (4, 4, 4, 0), 1)),)),
    ]),

    # Extended borders: the frame skin with a shadow image of its own and the options of the
    # extended layout (a border of 6, a title of 30, 26 when maximised, the sizing zone reaching 2
    # into the shadow).
    "EXBORDER": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, keys=_frame_images(), files=(("EXBORDER", _ex_shadow_png()),)),
        Section("FORM", states=2, border=2),
        Section("FORMTITLE", states=2),
    ], extra={"BIRIGHT": 2, "BISPACE": 1, "BILEFT": 2, "BORDERWIDTH": 6, "TITLEHEIGHT": 30, "MAXHEIGHT": 26,
              "CENTEROFFSET": 0, "BORDERMODE": 0, "ALIGNOFFSET": 2, "FORMOFFSET": EX_OFFSET}),

    # Menu lines, MDI forms and frames: the frame skin's form with a menu line, its bar items of two
    # states, the small caption buttons of a maximised MDI child, the MDI client's area, a frame's
    # plain and half transparent black sections and a white parent for them.
    "MDI": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, keys=_frame_images() + _small_icons()),
        Section("FORM", states=2, border=2),
        Section("FORMTITLE", states=2),
        Section("MENULINE"),
        Section("MENUITEM", states=2),
        Section("MDIAREA"),
        Section("GROUPBOX", border=1),
        Section("HALFFRAME", colours=((0, 0, 0), (0, 0, 0)), transparency=50),
        Section("WHITE", colours=((255, 255, 255), (255, 255, 255))),
    ], extra={"BIRIGHT": 2, "BISPACE": 1, "BILEFT": 2}),

    # A system dialog's frame: a two-state section with a border line of 2 whose corners are rounded
    # by key pixels, its two-state title, the big, alone and small title buttons...
    "DIALOG": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, keys=_dialog_images(True)),
        Section("DIALOG", states=2, border=2, key_corners=True),
        Section("DIALOGTITLE", states=2),
        Section("FORMTITLE", states=2),
    ], extra={"BIRIGHT": 2, "BISPACE": 1, "BILEFT": 2}),
    # ...and a skin without the small buttons, the close button alone or a dialog title.
    "DIALOGPLAIN": TestSkin("8.00", [
        Section("GLOBALINFO", states=2, keys=_dialog_images(False)),
        Section("DIALOG", states=2, border=2),
        Section("FORMTITLE", states=2),
    ], extra={"BIRIGHT": 2, "BISPACE": 1, "BILEFT": 2}),

    # Extended borders once more: a form frame with corners rounded by key pixels, which the shadow
    # shows through, and a frame drawn whole from the shadow image.
    "EXROUND": _ex_variant(Section("FORM", states=2, border=2, key_corners=True), 0),
    "EXFULL": _ex_variant(Section("FORM", states=2, border=2), 1),
}


def _section_keys(section, index):
    colours = section.colours or tuple(flat_colour(index, s) for s in range(max(section.states, 2)))
    keys = [("STATES", section.states), ("COLOR", tcolor(colours[0])), ("FONTCOLOR", tcolor(FONT)),
            ("TRANSPARENCY", section.transparency)]
    if section.parent:
        keys.insert(0, ("PARENTCLASS", section.parent))
    if section.states >= 2:
        keys += [("HOTCOLOR", tcolor(colours[1])), ("HOTFONTCOLOR", tcolor(FONT)),
                 ("HOTTRANSPARENCY", section.transparency)]
    if section.gradient:
        for prefix, colour in (("", colours[0]), ("HOT", colours[1])):
            keys += [(prefix + "GRADIENTPERCENT", 100),
                     (prefix + "GRADIENTDATA", "%d;%d;100;0;0" % (tcolor(colour), tcolor((255, 255, 255))))]
    states = range(max(section.states, 1))
    if section.border:
        radius = section.border + 1 if section.key_corners else 0
        size = 2 * (section.border + radius) + 1
        frames = [box(size, size, colours[s], mix(colours[s], (0, 0, 0), 0.5), radius, (section.border,) * 4)
                  for s in states]
        keys.append(("BORDERSMASK", Border(frames, (section.border + radius,) * 4, 1)))
    for key in section.glyphs:
        frames = []
        for s in states:
            glyph = Raster(8, 8)
            glyph.fill((section.glyph_colours or colours)[s])
            frames.append(glyph)
        keys.append((key, Glyph(frames)))
    keys += list(section.files) + list(section.keys)
    return keys


def build(description):
    skin = Skin()
    for index, section in enumerate(description.sections):
        keys = _section_keys(section, index)
        if section.name == "GLOBALINFO":
            keys = [("VERSION", description.version)] + list(description.extra.items()) + keys
        skin.add(section.name, keys)
    if skin.master_images():
        skin.sections[0][1].insert(1, ("MASTERBITMAP", "MASTER.BMP"))
    for name, width, height in description.jpegs:
        skin.extra_files.append((name, lambda path, w=width, h=height: imagefile.write_flat_jpeg(path, w, h, 160)))
    return skin
