#!/usr/bin/env python3
"""Checks a skin folder against what the program's controls look up (lookups.py).

  skincheck.py SKIN-FOLDER

Prints one line per problem and exits with 1 when there is any:
  missing section S                   a section the controls look up
  missing image S K                   an image key of it, with inheritance where the engine inherits,
                                      or of a section whose key asks for the image (a glow)
  image S K: (l, t, r, b) outside the WxH master bitmap
  image S K: file F missing           an image file that is not in the folder
A missing section is named once; its own keys are not listed again.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import imagefile  # noqa: E402
from lookups import KEYED_LOOKUPS, LOOKUPS  # noqa: E402
from optionsfile import parse_image, read_options  # noqa: E402


def _image_problems(folder, sections, master_size):
    problems = []
    for name, keys in sections.items():
        for key, value in keys.items():
            image = parse_image(value)
            if not image:
                continue
            if image["form"] == "!":
                if not os.path.isfile(os.path.join(folder, image["file"])):
                    problems.append("image %s %s: file %s missing" % (name, key, image["file"]))
                continue
            left, top, right, bottom = image["rect"]
            width, height = master_size or (0, 0)
            if not (0 <= left < right <= width and 0 <= top < bottom <= height):
                problems.append("image %s %s: (%d, %d, %d, %d) outside the %dx%d master bitmap"
                                % (name, key, left, top, right, bottom, width, height))
    return problems


def _find_image(sections, section, key, inherit):
    """The image value of the key in the section or, when inherit, its nearest ancestor."""
    visited = []
    while section in sections and section not in visited:
        value = sections[section].get(key)
        if value and parse_image(value):
            return value
        if not inherit:
            return None
        visited.append(section)
        section = sections[section].get("PARENTCLASS", "")
    return None


def check(folder):
    """The problems of the skin in folder, as the lines the tool prints."""
    sections = {name: dict(keys) for name, keys in read_options(folder)}
    master = sections.get("GLOBALINFO", {}).get("MASTERBITMAP")
    master_path = os.path.join(folder, master) if master else None
    master_size = imagefile.image_size(master_path) if master_path and os.path.isfile(master_path) else None
    problems = _image_problems(folder, sections, master_size)
    named = set()
    for lookup in LOOKUPS:
        if lookup.section not in sections:
            if lookup.section not in named:
                problems.append("missing section %s" % lookup.section)
                named.add(lookup.section)
            continue
        for keys, inherit in ((lookup.images, True), (lookup.own_images, False)):
            for key in keys:
                if not _find_image(sections, lookup.section, key, inherit):
                    problems.append("missing image %s %s" % (lookup.section, key))
    for lookup in KEYED_LOOKUPS:
        for name, keys in sections.items():
            if _integer(keys.get(lookup.key)) > 0:
                problems += ["missing image %s %s" % (name, key) for key in lookup.own_images
                             if not _find_image(sections, name, key, False)]
    return problems


def _integer(value):
    """The value as the engine reads a number: 0 when missing or not a number."""
    try:
        return int(value)
    except (TypeError, ValueError):
        return 0


def main(argv):
    if len(argv) != 1:
        sys.stderr.write(__doc__)
        return 2
    problems = check(argv[0])
    for line in problems:
        print(line)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
