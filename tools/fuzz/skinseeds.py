#!/usr/bin/env python3
"""Seeds of the skin fuzz targets: the options texts or the packed forms of our skin and of every
test skin, written into a folder.

  skinseeds.py options|pack FOLDER

A skin folder is packed as the program packs one: "ASzf", the entry count, then for each file its
name length, name, size and zlib stream; the ".dat" files first, then ".bmp", ".png" and ".jpg",
each kind in name order.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
KINDS = (".dat", ".bmp", ".png", ".jpg")


def skin_folders(work):
    subprocess.run([sys.executable, "-B", os.path.join(SOURCE, "tools", "skins", "skingen.py"), "tests", work],
                   check=True)
    ours = os.path.join(SOURCE, "assets", "skins")
    for parent in (ours, work):
        for name in sorted(os.listdir(parent)):
            folder = os.path.join(parent, name)
            if os.path.isfile(os.path.join(folder, "Options.dat")):
                yield name, folder


def packed(folder):
    names = []
    for kind in KINDS:
        names += sorted((n for n in os.listdir(folder) if n.lower().endswith(kind) and not n.startswith(".")),
                        key=str.upper)
    out = bytearray(b"ASzf" + struct.pack("<i", len(names)))
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        stored = name.encode("cp1252")
        out += struct.pack("<i", len(stored)) + stored + struct.pack("<i", len(data)) + zlib.compress(data)
    return bytes(out)


def main(argv):
    if len(argv) != 2 or argv[0] not in ("options", "pack"):
        sys.stderr.write(__doc__)
        return 2
    os.makedirs(argv[1], exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, folder in skin_folders(work):
            if argv[0] == "options":
                with open(os.path.join(folder, "Options.dat"), "rb") as f:
                    seed = f.read()
            else:
                seed = packed(folder)
            with open(os.path.join(argv[1], name.replace(" ", "_")), "wb") as f:
                f.write(seed)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
