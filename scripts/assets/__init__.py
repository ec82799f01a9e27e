"""Every picture, icon and cursor of VelmoraWin III, drawn as SVG.

One module per kind of drawing; this module holds the catalogue, the one list
of what the program's assets folder holds.  From it the builder writes, beside
the drawings:

- assets.txt: one line per file (path, width, height, kind, what it shows),
  read by the build (the Qt resources) and by the tests;
- cursors/hotspots.txt: one line per cursor (name, then the hot spot's x and
  y in pixels from the top-left corner), compiled into the program.
"""

import os
import re
from collections import namedtuple

from . import banners, commands, cursors, icons, plates, portraits, scenes

# kind: "picture" fills its whole rectangle; "icon" and "cursor" are drawn on a
# transparent ground; a cursor's hot spot comes from cursors.CURSORS.
Asset = namedtuple("Asset", "path width height kind draw shows")

_CURSOR_SHOWS = {
    "cursor1-ok": "gloved hand making a ring with thumb and finger",
    "cursor2-ibeam-pen": "gloved hand holding a pen, with a text beam",
    "cursor3-ok-side": "gloved hand making a ring, seen from the side",
    "cursor4-ok": "gloved hand making a ring, turned to the left",
    "cursor5-crosshair-pen": "gloved hand holding a pen, with a crosshair",
    "cursor6-point-up": "gloved hand pointing up",
    "cursor7-open-hand": "open gloved hand",
    "cursor-ring": "gloved hand making a ring with thumb and finger",
    "cursor-forbidden": "pointing gloved hand with a red prohibition sign",
    "cursor-point": "pointing gloved hand",
}


def _nav(name):
    words = " ".join(plates.NAV[name])
    return Asset(f"pictures/{name}.svg", 123, 40, "picture", lambda: plates.nav_plate(plates.NAV[name]),
                 f"dark-blue plate with a yellow border and the green handwritten word {words}")


CATALOGUE = [
    Asset("pictures/smorse.svg", 133, 133, "picture", portraits.pic_smorse,
          "sepia portrait of a grey-haired, grey-bearded nineteenth-century gentleman"),
    Asset("pictures/caesar.svg", 133, 133, "picture", portraits.pic_caesar,
          "black-and-white photograph of a Roman marble head on its bust"),
    Asset("pictures/polybe.svg", 133, 133, "picture", portraits.pic_polybe,
          "antique statue of a bearded man in a draped cloak, holding a scroll"),
    Asset("pictures/gato.svg", 133, 133, "picture", scenes.pic_gato,
          "grey tabby kitten asleep among plush toys"),
    Asset("pictures/mers.svg", 133, 133, "picture", scenes.pic_mers,
          "naval ensign (white, red cross, Union flag in the canton) above Royal Navy"),
    Asset("pictures/semaphore.svg", 133, 133, "picture", scenes.pic_semaphore,
          "sailor holding two flags divided diagonally red and yellow"),
    Asset("pictures/banner.svg", 344, 101, "picture", banners.banner,
          "VelmoraWin in rainbow italics with Win in outlined green script, III in blue outlined in gold, on blue"),
    *[_nav(name) for name in plates.NAV],
    Asset("pictures/cmd-home.svg", 61, 61, "picture", commands.cmd_home, "house on a blue square"),
    Asset("pictures/cmd-web.svg", 61, 61, "picture", commands.cmd_web, "folder with a globe on a blue square"),
    Asset("pictures/cmd-write.svg", 61, 61, "picture", commands.cmd_write,
          "sheet with a fountain pen on a blue square"),
    Asset("pictures/cmd-about.svg", 61, 61, "picture", commands.cmd_about, "light bulb on a blue square"),
    Asset("pictures/cmd-close.svg", 61, 61, "picture", commands.cmd_close, "prohibition sign on a blue square"),
    Asset("pictures/icon-main.svg", 32, 32, "icon", icons.icon_main,
          "disc brake with an orange calliper (main window and application icon)"),
    Asset("pictures/icon-result.svg", 32, 32, "icon", icons.icon_result,
          "clipboard with three lines of writing (result window icon)"),
    Asset("pictures/about-banner.svg", 373, 31, "picture", banners.about_banner,
          "about window title banner: orange close mark at the left (within the first 25 x 25 px), "
          "red Au Sujet De... tab at the right"),
    Asset("pictures/about-logo.svg", 243, 75, "picture", banners.about_logo,
          "the product's lettering with 3.0 beneath, on light blue"),
    *[Asset(f"cursors/{name}.svg", 32, 32, "cursor", draw, _CURSOR_SHOWS[name])
      for name, (draw, _x, _y) in cursors.CURSORS.items()],
]

MANIFEST_HEAD = (
    "# Every picture, icon and cursor of the program, one per line; written by\n"
    "# scripts/make-assets.py, do not edit. Fields: path, width and height in\n"
    "# pixels, kind (picture: fills its rectangle; icon, cursor: transparent\n"
    "# ground), then what it shows. Cursor hot spots: cursors/hotspots.txt.\n"
)


def manifest():
    lines = [MANIFEST_HEAD]
    for a in CATALOGUE:
        # The build reads this file as a CMake list: no semicolons.
        assert ";" not in a.shows and "\n" not in a.shows, a.path
        lines.append(f"{a.path} {a.width} {a.height} {a.kind} {a.shows}\n")
    return "".join(lines)


def hotspots():
    # one line per cursor: name, then the hot spot's x and y in pixels from the top-left corner
    lines = [f"{name} {x} {y}" for name, (_draw, x, y) in cursors.CURSORS.items()]
    return "\n".join(lines) + "\n"


_SIZE = re.compile(r'<svg [^>]*width="(\d+)" height="(\d+)" viewBox="0 0 (\d+) (\d+)"')


def build(out):
    """Draws everything into the folder `out`, printing each file written."""

    def write(rel, content):
        path = os.path.join(out, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(content)
        print("wrote", os.path.relpath(path, os.path.join(out, "..")))

    seen = set()
    for a in CATALOGUE:
        assert a.path not in seen, f"{a.path} is listed twice"
        seen.add(a.path)
        content = a.draw()
        m = _SIZE.match(content)
        size = (a.width, a.height)
        if not m or tuple(map(int, m.groups())) != size * 2:
            raise SystemExit(f"{a.path}: the drawing's size is not the catalogue's {a.width} x {a.height}")
        write(a.path, content)
    write("cursors/hotspots.txt", hotspots())
    write("assets.txt", manifest())
