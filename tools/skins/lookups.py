"""What the program's skinned controls and painters look up in a skin: one table, extended by
every control that comes to look up something more.

Each entry names a section and the image keys read from it. Keys in `images` are found in the
section or, through "PARENTCLASS", in its ancestors; keys in `own_images` in the section alone.
A keyed entry names images that every section must hold itself once it gives a key a value above 0.
"""
from dataclasses import dataclass


@dataclass(frozen=True)
class Lookup:
    user: str
    section: str
    images: tuple = ()
    own_images: tuple = ()


@dataclass(frozen=True)
class KeyedLookup:
    user: str
    key: str
    own_images: tuple


TITLE_BUTTONS = ("BICONCLOSE", "BICONMIN", "BICONMAX", "BICONNORM", "BICONHELP")
CHECK_GLYPHS = ("BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED")

LOOKUPS = [
    Lookup("common indexes: check-box and radio glyphs", "GLOBALINFO", CHECK_GLYPHS),
    Lookup("form skinning: title-bar buttons", "GLOBALINFO", TITLE_BUTTONS),
    Lookup("form skinning: the face of the user's title buttons", "GLOBALINFO", ("TITLEBUTTON",)),
    Lookup("form skinning: small caption buttons and a maximised MDI child's buttons in the menu line",
           "GLOBALINFO", ("SICONCLOSE", "SICONMIN", "SICONMAX", "SICONNORM")),
    Lookup("form skinning: an MDI form's client area behind its children", "MDIAREA"),
    Lookup("form skinning", "FORM", ("BORDERSMASK",)),
    Lookup("form skinning", "FORMTITLE"),
    Lookup("dialog skinning", "DIALOG", ("BORDERSMASK",)),
    Lookup("dialog skinning", "DIALOGTITLE"),
    Lookup("panel", "PANEL", ("BORDERSMASK",)),
    Lookup("lowered panel", "PANEL_LOW", ("BORDERSMASK",)),
    Lookup("edit, memo and masked edit", "EDIT", ("BORDERSMASK",)),
    Lookup("combo box", "COMBOBOX", ("BORDERSMASK",), own_images=("GLYPHMASK",)),
    Lookup("combo box button", "COMBOBTN"),
    Lookup("push buttons of the program's forms", "MENUBTN", ("BORDERSMASK",)),
    Lookup("push button", "BUTTON", ("BORDERSMASK",)),
    Lookup("speed button", "SPEEDBUTTON", ("BORDERSMASK",)),
    Lookup("progress bar: the trough; gauge", "GAUGE", ("BORDERSMASK",)),
    Lookup("progress bar: the blocks of a horizontal bar; gauge: the light's region", "PROGRESSH",
           own_images=("LRGN",)),
    Lookup("progress bar: the blocks of a vertical bar; gauge: a standing bar that is not animated", "PROGRESSV"),
    Lookup("status bar", "STATUSBAR"),
    Lookup("status bar without panel frames, speed-button divider: the line between parts", "DIVIDER",
           ("BORDERSMASK",)),
    Lookup("bevel: box or lines, lowered", "PANEL_LOW", ("BORDERSMASK",)),
    Lookup("bevel: box or lines, raised", "PANEL", ("BORDERSMASK",)),
    Lookup("bevel: frame", "GROUPBOX", ("BORDERSMASK",)),
    Lookup("check box, radio-group buttons and the group box's caption; the program's common section NEWSITE",
           "CHECKBOX"),
    Lookup("radio button", "RADIOBUTTON"),
    Lookup("drag bar", "DRAGBAR"),
    Lookup("splitter", "SPLITTER"),
    Lookup("splitter grips", "GLOBALINFO", ("GRIPHORZ", "GRIPVERT")),
    Lookup("labels: the text colour where no section beneath gives a font colour of its own", "GLOBALINFO"),
    Lookup("track bar", "TRACKBAR",
           ("SLIDERCHANNEL", "SLIDERMASK", "SLIDERVMASK", "TICKHORZ", "TICKVERT")),
    Lookup("group box; the program's common sections NEWPROGRESS...", "GROUPBOX", ("BORDERSMASK",)),
    Lookup("skinned menus: the menu window and its border", "MAINMENU", ("BORDERSMASK",)),
    Lookup("skinned menus: items, normal and hot", "MENUITEM", ("BORDERSMASK",)),
    Lookup("skinned menus: icon column", "ICOLINE"),
    Lookup("skinned menus: dividers", "DIVIDERV", ("BORDERSMASK",)),
    Lookup("skinned menus: caption items", "MENUCAPTION"),
    Lookup("skinned menus: check marks of checked items and radio items", "GLOBALINFO", ("CHECK", "RADIOCHECKED")),
    Lookup("selections and highlight colours", "SELECTION"),
    Lookup("scroll bars", "SCROLLBTNTOP", ("GLYPHMASK",)),
    Lookup("scroll bars", "SCROLLBTNBOTTOM", ("GLYPHMASK",)),
    Lookup("scroll bars", "SCROLLBTNLEFT", ("GLYPHMASK",)),
    Lookup("scroll bars", "SCROLLBTNRIGHT", ("GLYPHMASK",)),
    Lookup("scroll bars", "SCROLLSLIDERV", ("BORDERSMASK", "GLYPHMASK")),
    Lookup("scroll bars", "SCROLLSLIDERH", ("BORDERSMASK", "GLYPHMASK")),
    Lookup("scroll bars", "SCROLLBAR1H"),
    Lookup("scroll bars", "SCROLLBAR1V"),
    Lookup("scroll bars", "SCROLLBAR2H"),
    Lookup("scroll bars", "SCROLLBAR2V"),
    Lookup("scroll bars: the size grip in the box between them", "GLOBALINFO", ("GRIPIMAGE",)),
    Lookup("menu line: the form's menu bar and the text colours of its items", "MENULINE", ("BORDERSMASK",)),
]

KEYED_LOOKUPS = [
    KeyedLookup("glow around hot controls", "GLOW", ("GLOW0",)),
]
