#!/usr/bin/env python3
"""Writes our skin and the test skins, and draws previews of a skin for people to look at.

  skingen.py product [FOLDER]      our skin (default: assets/skins/<its name>/ of the source tree)
  skingen.py tests FOLDER          every test skin into FOLDER/<NAME>/
  skingen.py shadows FOLDER        the default shadows of extended borders (acSHDA.png, acSHDI.png)
  skingen.py preview SKIN OUT.png  a sheet of sample controls; OUT-master.png beside it

Standard library only; the output depends on nothing but this code.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import preview  # noqa: E402
import productskin  # noqa: E402
import shadows  # noqa: E402
import testskins  # noqa: E402

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def product_folder():
    return os.path.join(SOURCE, "assets", "skins", productskin.NAME)


def main(argv):
    if len(argv) >= 1 and argv[0] == "product":
        productskin.build().write(argv[1] if len(argv) > 1 else product_folder())
    elif len(argv) == 2 and argv[0] == "tests":
        for name, description in testskins.TEST_SKINS.items():
            testskins.build(description).write(os.path.join(argv[1], name))
    elif len(argv) == 2 and argv[0] == "shadows":
        shadows.write(argv[1])
    elif len(argv) == 3 and argv[0] == "preview":
        preview.render(argv[1], argv[2])
        preview.render_master(argv[1], os.path.splitext(argv[2])[0] + "-master.png")
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
