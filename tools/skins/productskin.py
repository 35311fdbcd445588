"""Our skin: calm light surfaces, one accent colour, 1-pixel borders, rounded corners by key pixels.

Each section is one entry of SECTIONS below; adding a section is one more entry.
States of images: buttons and glyphs 0 normal, 1 hot, 2 pressed; forms and titles 0 inactive,
1 active.
"""
from frames import box
from raster import Raster, circle, hex_rgb, mix, rounded_rect, stroke, tint
from skinfile import Border, Glyph, Skin, tcolor

NAME = "Aluminium (internal)"

SURFACE = hex_rgb("F3F4F6")
PANEL = hex_rgb("FFFFFF")
PANEL_BORDER = hex_rgb("D6DAE0")
LOW = hex_rgb("F7F8FA")
LOW_BORDER = hex_rgb("C9CED6")
TEXT = hex_rgb("1F2328")
ACCENT = hex_rgb("2F6FDE")
WHITE = hex_rgb("FFFFFF")
BLACK = (0, 0, 0)
BUTTON_BORDER = hex_rgb("BFC5CE")
GLYPH_GREY = hex_rgb("6B7380")
TITLE = {0: hex_rgb("5A6672"), 1: hex_rgb("2B3A4A")}
TITLE_TEXT = {0: hex_rgb("D0D5DA"), 1: WHITE}
TITLE_BUTTON_HOT = hex_rgb("3C4D5F")
CLOSE_HOT = hex_rgb("C42B1C")
MDI_AREA = hex_rgb("E3E6EA")  # an MDI form's workspace behind its children: a shade below the surface
THUMB = hex_rgb("C9CED6")
THUMB_HOT = hex_rgb("A9B0BA")
THUMB_PRESSED = hex_rgb("8E96A2")

HOT = tint(WHITE, ACCENT, 0.10)      # hot surfaces: a 10 % tint of the accent
PRESSED = tint(WHITE, ACCENT, 0.22)  # pressed surfaces: 22 %
ACCENT_DARK = mix(ACCENT, BLACK, 0.15)

STRETCH, CENTRE, NOT_IN_STATE_0 = 1, 4, 2  # draw-mode flags of border images


# --- images -------------------------------------------------------------------------------------

def border(frames, width):
    """A border mask whose four widths are all `width`."""
    return Border(frames, (width,) * 4, STRETCH)


def filled_border(frames, width):
    """A border mask that paints its centre too, so every state brings its own face."""
    return Border(frames, (width,) * 4, STRETCH | CENTRE)


def button_frames(radius=3):
    size = 2 * radius + 1
    return [box(size, size, PANEL, BUTTON_BORDER, radius),
            box(size, size, HOT, ACCENT, radius),
            box(size, size, PRESSED, ACCENT_DARK, radius)]


def divider_frames():
    """An etched upright line two pixels wide: the border colour, then a white highlight."""
    frame = Raster(3, 3)
    for y in range(3):
        frame.px[y] = [PANEL_BORDER + (255,), PANEL_BORDER + (255,), WHITE + (255,)]
    return Border([frame], (1, 0, 1, 0), STRETCH)


def menu_frames():
    """The menu window: white inside a 1-pixel button-border line, corners rounded by 3 pixels; the
    3-pixel band around the items keeps the white."""
    return Border([box(7, 7, PANEL, BUTTON_BORDER, 3)], (3,) * 4, STRETCH)


def menu_line_frames():
    """The menu bar under the title: the form's surface, set off from the client area by a 1-pixel
    panel-border line at its bottom; inactive and active alike."""
    line = box(3, 3, SURFACE, PANEL_BORDER, sides=(0, 0, 0, 1))
    return Border([line, line], (0, 0, 0, 1), STRETCH)


def menu_item_frames():
    """Items show nothing of their own until hot: then a 10 % accent tint with a slightly stronger
    line, rounded like the buttons."""
    return Border([box(7, 7, PANEL, PANEL, 3), box(7, 7, HOT, tint(WHITE, ACCENT, 0.30), 3)], (3,) * 4,
                  STRETCH | CENTRE | NOT_IN_STATE_0)


def menu_divider_frames():
    """The line between groups of items: one pixel of the lowered border colour on top."""
    return Border([box(3, 3, PANEL, LOW_BORDER, sides=(0, 1, 0, 0))], (0, 1, 0, 0), STRETCH)


def icon_column_frames():
    """The icon column: the lowered colour with a 1-pixel line on its right."""
    return Border([box(3, 3, LOW, PANEL_BORDER, sides=(0, 0, 1, 0))], (0, 0, 1, 0), STRETCH)


def menu_check():
    """The check mark of a checked menu item: the accent, darker on a hot item."""
    shape = stroke([(3.3, 6.7), (5.6, 9.0), (9.8, 4.1)], 1.7)
    return glyph((13, 13), lambda r, state: r.paint(shape, (ACCENT, ACCENT_DARK)[state]), states=2)


def glyph(size, draw, states=3):
    """A masked glyph of `states` frames; draw(raster, state) paints one."""
    frames = []
    for state in range(states):
        r = Raster(*size)
        draw(r, state)
        frames.append(r)
    return Glyph(frames)


def check_box(kind):
    """13 x 13 check boxes: kind 'checked', 'unchecked' or 'grayed'."""
    def draw(r, state):
        outer = rounded_rect(0, 0, 13, 13, 2.5)
        inner = rounded_rect(1, 1, 12, 12, 1.5)
        if kind == "unchecked":
            r.paint(outer, (BUTTON_BORDER, ACCENT, ACCENT_DARK)[state])
            r.paint(inner, (PANEL, HOT, PRESSED)[state])
            return
        r.paint(outer, (ACCENT, mix(ACCENT, BLACK, 0.08), ACCENT_DARK)[state])
        if kind == "checked":
            r.paint(stroke([(3.3, 6.7), (5.6, 9.0), (9.8, 4.1)], 1.7), WHITE)
        else:
            r.paint(rounded_rect(3.5, 5.7, 9.5, 7.3, 0.8), WHITE)
    return glyph((13, 13), draw)


def radio(checked):
    def draw(r, state):
        if checked:
            r.paint(circle(6.5, 6.5, 6.5), (ACCENT, mix(ACCENT, BLACK, 0.08), ACCENT_DARK)[state])
            r.paint(circle(6.5, 6.5, 2.3), WHITE)
        else:
            r.paint(circle(6.5, 6.5, 6.5), (BUTTON_BORDER, ACCENT, ACCENT_DARK)[state])
            r.paint(circle(6.5, 6.5, 5.5), (PANEL, HOT, PRESSED)[state])
    return glyph((13, 13), draw)


def title_button(shape, hot):
    """26 x 18 title-bar buttons: a white glyph (none for the face of the user's buttons), on a hot or
    pressed face."""
    def draw(r, state):
        if state:
            face = hot if state == 1 else mix(hot, BLACK, 0.18)
            r.paint(rounded_rect(0, 0, 26, 18, 0), face)
        r.paint(shape, WHITE)
    return glyph((26, 18), draw)


def small_button(shape, hot):
    """16 x 14 buttons of a maximised MDI child in the menu line (and of small captions): the title
    buttons' white glyph on a face of the active title's colour with corners rounded by 2, so that
    they read as title buttons on the light menu line; hot and pressed faces as the title buttons'."""
    def draw(r, state):
        face = (TITLE[1], hot, mix(hot, BLACK, 0.18))[state]
        r.paint(rounded_rect(0, 0, 16, 14, 2.5), face)
        r.paint(shape, WHITE)
    return glyph((16, 14), draw)


def outline(x0, y0, x1, y1):
    """A 1-pixel rectangle outline through pixel centres."""
    return stroke([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)], 1.0)


CLOSE = stroke([(8.5, 4.5), (17.5, 13.5)], 1.3)
CLOSE_2 = stroke([(17.5, 4.5), (8.5, 13.5)], 1.3)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


SMALL_CLOSE = union(stroke([(5.5, 4.5), (10.5, 9.5)], 1.3), stroke([(10.5, 4.5), (5.5, 9.5)], 1.3))
SMALL_MIN = stroke([(5.5, 9.5), (10.5, 9.5)], 1.0)
SMALL_MAX = outline(5.5, 3.5, 10.5, 9.5)
SMALL_NORM = union(outline(4.5, 5.5, 9.5, 10.5), stroke([(6.5, 5.5), (6.5, 3.5), (11.5, 3.5), (11.5, 8.5), (9.5, 8.5)], 1.0))

HELP = union(stroke([(10.5, 6.5), (11.5, 4.5), (14.5, 4.5), (15.5, 6.5), (13.0, 9.0), (13.0, 10.5)], 1.2),
             circle(13.0, 13.5, 0.9))


def no_glyph(x, y):
    """The shape of the user title buttons' face: nothing drawn on it."""
    return float("inf")


def chevron(direction, colours):
    """An 11 x 11 chevron pointing 'up', 'down', 'left' or 'right'."""
    points = {"down": [(3, 4.5), (5.5, 7), (8, 4.5)], "up": [(3, 6.5), (5.5, 4), (8, 6.5)],
              "right": [(4.5, 3), (7, 5.5), (4.5, 8)], "left": [(6.5, 3), (4, 5.5), (6.5, 8)]}[direction]
    shape = stroke([(x + 0.0, y + 0.0) for x, y in points], 1.4)
    return glyph((11, 11), lambda r, state: r.paint(shape, colours[state]))


def thumb_frames():
    """A thin rounded thumb inside a frame of track colour."""
    frames = []
    for colour in (THUMB, THUMB_HOT, THUMB_PRESSED):
        r = Raster(11, 11)
        r.fill(SURFACE)
        r.paint(rounded_rect(3, 3, 8, 8, 2.5), colour)
        frames.append(r)
    return frames


def thumb_grip(vertical):
    """Three short ridges across the thumb (5 x 7 on a lying thumb, 7 x 5 on a standing one), a shade
    darker than the thumb in each state: normal, hot, pressed."""
    size = (7, 5) if vertical else (5, 7)
    ridges = [stroke([(0.5, y + 0.5), (6.5, y + 0.5)], 1.0) if vertical else stroke([(y + 0.5, 0.5), (y + 0.5, 6.5)], 1.0)
              for y in (0, 2, 4)]
    colours = (THUMB_HOT, THUMB_PRESSED, THUMB)
    return glyph(size, lambda r, state: r.paint(union(*ridges), colours[state]))


def size_grip():
    """The size grip in the box between the scroll bars: six dots in a triangle towards the
    bottom-right corner, in the glyph grey."""
    def draw(r, state):
        for i, j in ((2, 0), (1, 1), (2, 1), (0, 2), (1, 2), (2, 2)):
            r.paint(circle(3.5 + 4 * i, 3.5 + 4 * j, 1.1), GLYPH_GREY)
    return glyph((13, 13), draw, states=1)


def triangle(a, b, c):
    """The triangle through three points (a shape: negative inside)."""
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def shape(x, y):
        d = (side(a, b, x, y), side(b, c, x, y), side(c, a, x, y))
        return -1 if all(v >= 0 for v in d) or all(v <= 0 for v in d) else 1
    return shape


def track_thumb(vertical):
    """An 11 x 19 thumb pointing down at the ticks (19 x 11 pointing right on a standing bar): a
    rounded body and a point, in the thumb colours of each state."""
    if vertical:
        size, body, point = (19, 11), rounded_rect(0, 0, 15, 11, 2.5), triangle((14, 0), (19, 5.5), (14, 11))
    else:
        size, body, point = (11, 19), rounded_rect(0, 0, 11, 15, 2.5), triangle((0, 14), (5.5, 19), (11, 14))
    shape = union(body, point)
    return glyph(size, lambda r, state: r.paint(shape, (THUMB_HOT, ACCENT, ACCENT_DARK)[state]))


def grip(vertical):
    """The splitter's grip: two rows of four dots (two columns on a standing splitter), centred in
    the image, one frame per state."""
    size = (5, 17) if vertical else (17, 5)

    def draw(r, state):
        colour = (GLYPH_GREY, TEXT, ACCENT)[state]
        for i in (2, 6, 10, 14):
            for j in (1, 3):
                x, y = (j, i) if vertical else (i, j)
                r.paint(circle(x + 0.5, y + 0.5, 0.9), colour)
    return glyph(size, draw)


def tick(vertical):
    """A 1 x 4 tick (4 x 1 on a standing bar), one frame per state."""
    size = (4, 1) if vertical else (1, 4)
    return glyph(size, lambda r, state: r.fill((GLYPH_GREY, TEXT, ACCENT)[state]))


def channel():
    """A groove of the lowered colour with a 1-pixel line and rounded ends, lying or standing: its
    middle pixel stretches both ways."""
    return border([box(5, 5, LOW, LOW_BORDER, 1)], 2)


def light_region():
    """Where the gauge's light may shine: black inside the bar, a white rim of one pixel."""
    return filled_border([box(3, 3, BLACK, WHITE)], 1)


# --- sections -----------------------------------------------------------------------------------

def section(states, colour, font, hot=None, hot_font=None, transparency=0, hot_transparency=None, fades=False,
            **images):
    """The keys of one section: its colours per drawn state, whether its controls cross-fade between
    their looks (in the default number of steps), then its images."""
    keys = [("STATES", states), ("COLOR", tcolor(colour)), ("FONTCOLOR", tcolor(font)), ("TRANSPARENCY", transparency)]
    if states >= 2:
        keys += [("HOTCOLOR", tcolor(hot or colour)), ("HOTFONTCOLOR", tcolor(hot_font or font)),
                 ("HOTTRANSPARENCY", transparency if hot_transparency is None else hot_transparency)]
    keys += [("FADINGENABLED", int(fades)), ("GLOW", 0)]
    return keys + list(images.items())


def global_info():
    keys = [("VERSION", "8.00"), ("AUTHOR", "Zirvane"), ("DESCRIPTION", "Light surfaces with one accent colour"),
            ("MASTERBITMAP", "MASTER.BMP"), ("BORDERCOLOR", tcolor(LOW_BORDER))]
    keys += section(2, SURFACE, TEXT, hot=WHITE)
    keys += [("BOXCHECKED", check_box("checked")), ("BOXUNCHECKED", check_box("unchecked")),
             ("BOXGRAYED", check_box("grayed")), ("GRIPHORZ", grip(False)), ("GRIPVERT", grip(True)), ("RADIOCHECKED", radio(True)), ("RADIOUNCHECKED", radio(False)),
             ("CHECK", menu_check()),
             ("BICONCLOSE", title_button(union(CLOSE, CLOSE_2), CLOSE_HOT)),
             ("BICONMIN", title_button(stroke([(8.5, 9.5), (17.5, 9.5)], 1.0), TITLE_BUTTON_HOT)),
             ("BICONMAX", title_button(outline(8.5, 4.5, 17.5, 13.5), TITLE_BUTTON_HOT)),
             ("BICONNORM", title_button(union(outline(8.5, 6.5, 15.5, 13.5), stroke([(10.5, 6.5), (10.5, 4.5), (17.5, 4.5), (17.5, 11.5), (15.5, 11.5)], 1.0)), TITLE_BUTTON_HOT)),
             ("BICONHELP", title_button(HELP, TITLE_BUTTON_HOT)),
             ("TITLEBUTTON", title_button(no_glyph, TITLE_BUTTON_HOT)),
             ("SICONCLOSE", small_button(SMALL_CLOSE, CLOSE_HOT)),
             ("SICONMIN", small_button(SMALL_MIN, TITLE_BUTTON_HOT)),
             ("SICONMAX", small_button(SMALL_MAX, TITLE_BUTTON_HOT)),
             ("SICONNORM", small_button(SMALL_NORM, TITLE_BUTTON_HOT)),
             ("GRIPIMAGE", size_grip())]
    # The title's icon 4 pixels in from the frame, the buttons 2 pixels in from the right edge,
    # side by side and centred in the caption.
    keys += [("BILEFT", 4), ("BIRIGHT", 2), ("BITOP", 0), ("BISPACE", 0), ("BIVALIGN", 0)]
    return keys


def window_frames():
    """Forms and dialogs: a 1-pixel title-coloured line around the surface, the top band in the
    title colour with corners rounded by 6 pixels; inactive, then active."""
    frames = []
    for state in (0, 1):
        frame = box(16, 16, SURFACE, TITLE[state])
        frame.px[:7] = top_rounded(16, TITLE[state], 6).px[:7]
        frames.append(frame)
    return Border(frames, (4, 7, 4, 4), STRETCH)


def top_rounded(size, colour, radius):
    """A square of one colour whose top corners are rounded by radius."""
    tall = box(size, 2 * size, colour, radius=radius)
    frame = box(size, size, colour)
    frame.px[:radius] = tall.px[:radius]
    return frame


def title_frames():
    return Border([top_rounded(13, TITLE[s], 6) for s in (0, 1)], (6, 6, 6, 0), STRETCH | CENTRE)


def window_sections(prefix):
    return [(prefix, section(2, SURFACE, TEXT, hot=SURFACE, BORDERSMASK=window_frames())),
            (prefix + "TITLE", section(2, TITLE[0], TITLE_TEXT[0], hot=TITLE[1], hot_font=TITLE_TEXT[1],
                                       BORDERSMASK=title_frames()))]


def sections():
    field = lambda hot_border: [box(5, 5, PANEL, LOW_BORDER, 2), box(5, 5, PANEL, hot_border, 2)]
    scroll_glyphs = (GLYPH_GREY, TEXT, ACCENT)
    return [
        ("GLOBALINFO", global_info()),
        *window_sections("FORM"),
        *window_sections("DIALOG"),
        ("PANEL", section(1, PANEL, TEXT, BORDERSMASK=border([box(3, 3, PANEL, PANEL_BORDER)], 1))),
        ("PANEL_LOW", section(1, LOW, TEXT, BORDERSMASK=border([box(3, 3, LOW, LOW_BORDER)], 1))),
        ("EDIT", section(2, PANEL, TEXT, hot=PANEL, BORDERSMASK=border(field(ACCENT), 2))),
        ("COMBOBOX", section(2, PANEL, TEXT, hot=PANEL, BORDERSMASK=border(field(ACCENT), 2),
                             GLYPHMASK=chevron("down", scroll_glyphs))),
        ("COMBOBTN", section(3, PANEL, TEXT, hot=HOT, transparency=100, hot_transparency=0)),
        ("MENUBTN", section(3, PANEL, TEXT, hot=HOT, fades=True, BORDERSMASK=filled_border(button_frames(), 3))),
        ("BUTTON", section(3, PANEL, TEXT, hot=HOT, fades=True, BORDERSMASK=filled_border(button_frames(), 3))),
        ("SPEEDBUTTON", section(3, PANEL, TEXT, hot=HOT, transparency=100, hot_transparency=0, fades=True,
                                BORDERSMASK=Border(button_frames(), (3,) * 4, STRETCH | CENTRE | NOT_IN_STATE_0))),
        ("GAUGE", section(1, LOW, TEXT, BORDERSMASK=border([box(5, 5, LOW, LOW_BORDER, 2)], 2))),
        ("PROGRESSH", section(1, ACCENT, WHITE, LRGN=light_region())),
        ("PROGRESSV", section(1, ACCENT, WHITE)),
        ("STATUSBAR", section(1, SURFACE, TEXT, BORDERSMASK=Border([box(3, 3, SURFACE, PANEL_BORDER, sides=(0, 1, 0, 0))], (0, 1, 0, 0), STRETCH))),
        ("DIVIDER", section(1, PANEL_BORDER, TEXT, BORDERSMASK=divider_frames())),
        ("CHECKBOX", section(2, SURFACE, TEXT, hot_font=TEXT, transparency=100, fades=True)),
        ("DRAGBAR", section(1, TITLE[1], TITLE_TEXT[1])),
        ("SPLITTER", section(3, SURFACE, TEXT, hot=HOT)),
        ("RADIOBUTTON", section(2, SURFACE, TEXT, hot_font=TEXT, transparency=100, fades=True)),
        ("TRACKBAR", section(2, SURFACE, TEXT, hot=SURFACE, transparency=100, fades=True,
                             SLIDERCHANNEL=channel(), SLIDERMASK=track_thumb(False), SLIDERVMASK=track_thumb(True),
                             TICKHORZ=tick(False), TICKVERT=tick(True))),
        ("MAINMENU", section(1, PANEL, TEXT, BORDERSMASK=menu_frames())),
        ("MENUITEM", section(2, PANEL, TEXT, hot=HOT, transparency=100, hot_transparency=0,
                             BORDERSMASK=menu_item_frames())),
        ("ICOLINE", section(1, LOW, TEXT, BORDERSMASK=icon_column_frames())),
        ("DIVIDERV", section(1, PANEL, TEXT, transparency=100, BORDERSMASK=menu_divider_frames())),
        ("MENUCAPTION", section(1, SURFACE, GLYPH_GREY)),
        ("SELECTION", section(2, ACCENT, WHITE, hot=ACCENT, hot_font=WHITE)),
        ("SCROLLBTNTOP", section(3, SURFACE, TEXT, hot=SURFACE, GLYPHMASK=chevron("up", scroll_glyphs))),
        ("SCROLLBTNBOTTOM", section(3, SURFACE, TEXT, hot=SURFACE, GLYPHMASK=chevron("down", scroll_glyphs))),
        ("SCROLLBTNLEFT", section(3, SURFACE, TEXT, hot=SURFACE, GLYPHMASK=chevron("left", scroll_glyphs))),
        ("SCROLLBTNRIGHT", section(3, SURFACE, TEXT, hot=SURFACE, GLYPHMASK=chevron("right", scroll_glyphs))),
        ("SCROLLSLIDERV", section(3, SURFACE, TEXT, hot=SURFACE, BORDERSMASK=filled_border(thumb_frames(), 5),
                                  GLYPHMASK=thumb_grip(True))),
        ("SCROLLSLIDERH", section(3, SURFACE, TEXT, hot=SURFACE, BORDERSMASK=filled_border(thumb_frames(), 5),
                                  GLYPHMASK=thumb_grip(False))),
        ("SCROLLBAR1H", section(2, SURFACE, TEXT, hot=SURFACE)),
        ("SCROLLBAR1V", section(2, SURFACE, TEXT, hot=SURFACE)),
        ("SCROLLBAR2H", section(2, SURFACE, TEXT, hot=SURFACE)),
        ("SCROLLBAR2V", section(2, SURFACE, TEXT, hot=SURFACE)),
        ("GROUPBOX", section(1, PANEL, TEXT, BORDERSMASK=border([box(9, 9, PANEL, PANEL_BORDER, 4)], 4))),
        ("MENULINE", section(2, SURFACE, TEXT, hot=SURFACE, BORDERSMASK=menu_line_frames())),
        ("MDIAREA", section(1, MDI_AREA, TEXT)),
    ]


def build():
    skin = Skin()
    for name, keys in sections():
        skin.add(name, keys)
    return skin
