#!/usr/bin/env python3
"""Tests of the skin tools: our skin is what the generator makes and has everything the
controls look up; the checker names what a skin lacks."""
import filecmp
import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import imagefile  # noqa: E402
import productskin  # noqa: E402
import shadows  # noqa: E402
import skincheck  # noqa: E402
from skingen import product_folder  # noqa: E402


def rewrite_options(folder, edit):
    """Options.dat of folder passed line by line through edit (a line -> lines) and written back."""
    path = os.path.join(folder, "Options.dat")
    with open(path, encoding="latin-1", newline="") as f:
        lines = f.read().split("\r\n")
    with open(path, "w", encoding="latin-1", newline="") as f:
        f.write("\r\n".join(edit(lines)))


def without_section(name):
    def edit(lines):
        out, skipping = [], False
        for line in lines:
            if line.startswith("["):
                skipping = line == "[%s]" % name
            if not skipping:
                out.append(line)
        return out
    return edit


class OurSkin(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.mkdtemp()
        self.copy = os.path.join(self.temp, "skin")
        shutil.copytree(product_folder(), self.copy)

    def tearDown(self):
        shutil.rmtree(self.temp)

    def test_committed_files_are_the_generators_output(self):
        fresh = os.path.join(self.temp, "fresh")
        productskin.build().write(fresh)
        listing = sorted(os.listdir(fresh))
        self.assertEqual(listing, sorted(os.listdir(product_folder())))
        match, mismatch, errors = filecmp.cmpfiles(fresh, product_folder(), listing, shallow=False)
        self.assertEqual((mismatch, errors), ([], []))

    def test_has_everything_the_controls_look_up(self):
        self.assertEqual(skincheck.check(product_folder()), [])

    def test_a_removed_section_is_named_alone(self):
        rewrite_options(self.copy, without_section("BUTTON"))
        self.assertEqual(skincheck.check(self.copy), ["missing section BUTTON"])

    def test_missing_images_and_rectangles_outside_the_master(self):
        section = [""]

        def damage(lines):
            out = []
            for line in lines:
                if line.startswith("["):
                    section[0] = line
                if section[0] == "[COMBOBOX]" and line.startswith("GLYPHMASK="):
                    continue
                if section[0] == "[EDIT]" and line.startswith("BORDERSMASK="):
                    line = "BORDERSMASK=^9990^0000^9999^0010^0002^0002^0002^0002^2^0^1^0"
                out.append(line)
            return out
        rewrite_options(self.copy, damage)
        width, height = imagefile.image_size(os.path.join(self.copy, "MASTER.BMP"))
        self.assertEqual(skincheck.check(self.copy), [
            "image EDIT BORDERSMASK: (9990, 0, 9999, 10) outside the %dx%d master bitmap" % (width, height),
            "missing image COMBOBOX GLYPHMASK"])


    def test_a_section_asking_for_glows_needs_its_own_glow_image(self):
        section = [""]

        def glowing(lines):
            out = []
            for line in lines:
                if line.startswith("["):
                    section[0] = line
                if section[0] in ("[BUTTON]", "[EDIT]") and line == "GLOW=0":
                    line = "GLOW=1"
                if section[0] == "[EDIT]" and line.startswith("STATES="):
                    out.append("GLOW0=^0000^0000^0003^0003^0001^0001^0001^0001^1^0^1^0")
                out.append(line)
            return out
        rewrite_options(self.copy, glowing)
        self.assertEqual(skincheck.check(self.copy), ["missing image BUTTON GLOW0"])


class DefaultShadows(unittest.TestCase):
    def test_soft_shadows_around_a_transparent_middle(self):
        folder = tempfile.mkdtemp()
        try:
            shadows.write(folder)
            for name in ("acSHDA.png", "acSHDI.png"):
                self.assertEqual(imagefile.image_size(os.path.join(folder, name)), (33, 33))
        finally:
            shutil.rmtree(folder)
        active, inactive = shadows.shadow_pixels(shadows.SHADOWS["acSHDA.png"]), shadows.shadow_pixels(
            shadows.SHADOWS["acSHDI.png"])
        alpha = lambda rows, x, y: rows[y][x][3]  # noqa: E731
        self.assertEqual(alpha(active, 16, 16), 0)                  # the form covers the middle
        self.assertGreater(alpha(active, 16, 8), alpha(active, 16, 2))  # fading outwards
        self.assertEqual(alpha(active, 16, 0), 0)                   # gone at the edge
        self.assertGreater(alpha(active, 16, 8), alpha(inactive, 16, 8))
        self.assertEqual(alpha(active, 8, 16), alpha(active, 16, 8))   # the same on every side


if __name__ == "__main__":
    unittest.main()
