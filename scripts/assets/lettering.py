"""Lettering as outlines: glyphs placed by hb-shape and drawn as SVG paths,
so no font is needed when the program runs."""

import json
import subprocess

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

from .svgdoc import n


SCRIPT_FONT = "/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf"
SANS_BOLD_OBLIQUE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"


class Font:
    def __init__(self, path):
        self.file = path
        self.tt = TTFont(path)
        self.glyphs = self.tt.getGlyphSet()
        self.order = self.tt.getGlyphOrder()
        self.upm = self.tt["head"].unitsPerEm

    def shape(self, text):
        """Glyph names and pen positions (font units) from hb-shape."""
        res = subprocess.run(["hb-shape", "--output-format=json", "--no-glyph-names",
                              self.file, "--text=" + text],
                             check=True, capture_output=True, text=True)
        x = 0
        out = []
        for g in json.loads(res.stdout):
            out.append((self.order[g["g"]], x + g["dx"], g["dy"]))
            x += g["ax"]
        return out, x

    def _draw(self, pen, text, size, x, y, slant=0.0, tracking=0.0):
        s = size / self.upm
        placed, _ = self.shape(text)
        for i, (name, gx, gy) in enumerate(placed):
            gx += i * tracking / s
            # x' = s*gx' + slant*s*gy' ; y' = -s*gy'
            t = TransformPen(pen, (s, 0, slant * s, -s, x + gx * s, y - gy * s))
            self.glyphs[name].draw(t)

    def bounds(self, text, size, x=0.0, y=0.0, slant=0.0, tracking=0.0):
        bp = BoundsPen(self.glyphs)
        self._draw(bp, text, size, x, y, slant, tracking)
        return bp.bounds  # xmin, ymin, xmax, ymax (SVG coordinates)

    def path(self, text, size, x, y, slant=0.0, tracking=0.0):
        pen = SVGPathPen(self.glyphs, ntos=n)
        self._draw(pen, text, size, x, y, slant, tracking)
        return pen.getCommands()

    def fit(self, text, box, max_size, slant=0.0, tracking=0.0):
        """Size and place text so that its ink fills box (x0, y0, x1, y1), centred."""
        x0, y0, x1, y1 = box
        b = self.bounds(text, 100, 0, 0, slant, tracking)
        w, h = b[2] - b[0], b[3] - b[1]
        size = min(max_size, 100 * (x1 - x0) / w, 100 * (y1 - y0) / h)
        k = size / 100
        ox = (x0 + x1) / 2 - (b[0] + b[2]) / 2 * k
        oy = (y0 + y1) / 2 - (b[1] + b[3]) / 2 * k
        return self.path(text, size, ox, oy, slant, tracking), size, (ox, oy)


_fonts = {}


def font(path):
    if path not in _fonts:
        _fonts[path] = Font(path)
    return _fonts[path]
