#!/usr/bin/python3
"""Draws every picture, icon and cursor of VelmoraWin III as SVG into assets/.

Authoring-time tool only: the SVG files it writes are committed, and nothing
at build or run time needs this script, its fonts or its tools.  The drawings
live in the package scripts/assets/, one module per kind of drawing; its
catalogue is the one list of assets, from which this script also writes
assets/assets.txt and assets/cursors/hotspots.txt.

Lettering is turned into SVG <path> outlines here, so no font is needed when
the program runs.  Needs (Debian packages): python3-fonttools, libharfbuzz-bin
(hb-shape, for glyph placement and kerning), fonts-dancingscript and
fonts-dejavu-core.

Usage:  /usr/bin/python3 scripts/make-assets.py [OUTPUT_DIR]
        (OUTPUT_DIR defaults to the assets/ folder beside scripts/)
"""

import os
import sys

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import assets  # noqa: E402  (the package beside this script)


def main():
    out = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(HERE, "..", "assets")
    assets.build(out)


if __name__ == "__main__":
    main()
