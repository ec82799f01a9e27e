#!/usr/bin/python3
"""Draws every picture, icon and cursor of VelmoraWin III as SVG into assets/.

Authoring-time tool only: the SVG files it writes are committed, and nothing
at build or run time needs this script, its fonts or its tools.

Lettering is turned into SVG <path> outlines here, so no font is needed when
the program runs.  Needs (Debian packages): python3-fonttools, libharfbuzz-bin
(hb-shape, for glyph placement and kerning), fonts-dancingscript and
fonts-dejavu-core.

Usage:  /usr/bin/python3 scripts/make-assets.py [OUTPUT_DIR]
        (OUTPUT_DIR defaults to the assets/ folder beside scripts/)
"""

import json
import math
import os
import subprocess
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(HERE, "..", "assets")

SCRIPT_FONT = "/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf"
SANS_BOLD_OBLIQUE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"


# --------------------------------------------------------------------------
# Numbers and SVG boilerplate

def n(v):
    """Short decimal form of a coordinate."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def svg(w, h, body, defs=""):
    head = (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n')
    if defs.strip():
        head += "<defs>\n" + defs.strip() + "\n</defs>\n"
    return head + body.strip() + "\n</svg>\n"


def write(rel, content):
    path = os.path.join(OUT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(content)
    print("wrote", os.path.relpath(path, os.path.join(OUT, "..")))


def lin(id_, x1, y1, x2, y2, stops, user=True, extra=""):
    """A linear gradient; stops are (offset, colour[, opacity])."""
    units = ' gradientUnits="userSpaceOnUse"' if user else ""
    s = (f'<linearGradient id="{id_}" x1="{n(x1)}" y1="{n(y1)}" x2="{n(x2)}" y2="{n(y2)}"'
         f'{units}{extra}>')
    for st in stops:
        op = f' stop-opacity="{n(st[2])}"' if len(st) > 2 else ""
        s += f'<stop offset="{n(st[0])}" stop-color="{st[1]}"{op}/>'
    return s + "</linearGradient>\n"


def rad(id_, cx, cy, r, stops, fx=None, fy=None, user=True, extra=""):
    units = ' gradientUnits="userSpaceOnUse"' if user else ""
    f = ""
    if fx is not None:
        f = f' fx="{n(fx)}" fy="{n(fy)}"'
    s = f'<radialGradient id="{id_}" cx="{n(cx)}" cy="{n(cy)}" r="{n(r)}"{f}{units}{extra}>'
    for st in stops:
        op = f' stop-opacity="{n(st[2])}"' if len(st) > 2 else ""
        s += f'<stop offset="{n(st[0])}" stop-color="{st[1]}"{op}/>'
    return s + "</radialGradient>\n"


def poly(points):
    return "M" + " L".join(f"{n(x)},{n(y)}" for x, y in points) + " Z"


# --------------------------------------------------------------------------
# Lettering as outlines

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


# --------------------------------------------------------------------------
# Navigation plates: dark-blue plate, yellow border, green handwriting

def nav_plate(word_lines):
    w, h = 123, 40
    defs = (lin("rim", 0, 0, 0, h, [(0, "#fff3a0"), (0.45, "#ffd21a"), (1, "#b88400")])
            + lin("plate", 0, 3, 0, h - 3, [(0, "#1f3fb0"), (0.5, "#0b1f7a"), (1, "#040c3c")])
            + lin("gloss", 0, 3, 0, 20, [(0, "#ffffff", 0.28), (1, "#ffffff", 0)])
            + lin("ink", 0, 6, 0, 34, [(0, "#9dff7a"), (0.5, "#2fe02f"), (1, "#0f9a1f")]))
    body = [
        f'<rect x="0" y="0" width="{w}" height="{h}" fill="url(#rim)"/>',
        f'<rect x="0.5" y="0.5" width="{w-1}" height="{h-1}" fill="none" stroke="#7a5200" stroke-width="1"/>',
        f'<rect x="3" y="3" width="{w-6}" height="{h-6}" rx="2" fill="url(#plate)" stroke="#6b4a00" stroke-width="1"/>',
        f'<path d="M5,4 H{w-5} Q{w-4},4 {w-4},5 V16 Q{w/2},22 5,16 V5 Q5,4 6,4 Z" fill="url(#gloss)"/>',
    ]
    f = font(SCRIPT_FONT)
    if len(word_lines) == 1:
        boxes = [(9, 7, w - 9, h - 8)]
        max_size = 30
    else:
        boxes = [(17, 3.5, w - 17, 22.5), (6, 17.5, w - 6, 36.5)]
        max_size = 24
    for text, box in zip(word_lines, boxes):
        d, size, _ = f.fit(text, box, max_size)
        body.append(f'<path d="{d}" fill="#000000" fill-opacity="0.55" transform="translate(1.2,1.4)"/>')
        body.append(f'<path d="{d}" fill="url(#ink)" stroke="#064d10" stroke-width="0.6" '
                    f'stroke-linejoin="round"/>')
    return svg(w, h, "\n".join(body), defs)


NAV = {
    "nav-morse": ["Morse"],
    "nav-alphanum": ["Alpha", "Numérique"],
    "nav-caesar": ["J.Caesar"],
    "nav-polybius": ["Polybius"],
    "nav-gato": ["'Gato'"],
    "nav-mers": ["'Mers'"],
    "nav-semaphore": ["Sémaphore"],
}


def make_nav():
    for name, lines in NAV.items():
        write(f"pictures/{name}.svg", nav_plate(lines))


# --------------------------------------------------------------------------
# Command icons, 61 x 61, each on a blue square

def blue_tile(w=61, h=61):
    defs = (lin("tile", 0, 0, w, h, [(0, "#3a72e8"), (0.55, "#1c47b8"), (1, "#0c2a86")])
            + lin("tileshine", 0, 0, 0, h * 0.5, [(0, "#ffffff", 0.22), (1, "#ffffff", 0)]))
    body = (f'<rect x="0" y="0" width="{w}" height="{h}" fill="url(#tile)"/>\n'
            f'<rect x="0.5" y="0.5" width="{w-1}" height="{h-1}" fill="none" stroke="#06185a" stroke-width="1"/>\n'
            f'<path d="M1,1 H{w-1} V{h*0.42} Q{w/2},{h*0.3} 1,{h*0.42} Z" fill="url(#tileshine)"/>\n')
    return defs, body


def cmd_home():
    defs, body = blue_tile()
    defs += (lin("wall", 0, 28, 0, 52, [(0, "#fffdf0"), (1, "#dccb98")])
             + lin("roof", 0, 9, 0, 32, [(0, "#ff7a52"), (0.5, "#e12a12"), (1, "#9c0e06")])
             + lin("brick", 40, 0, 46, 0, [(0, "#c2563a"), (1, "#7a2a18")])
             + lin("door", 34, 0, 43, 0, [(0, "#a0622c"), (1, "#5c3414")])
             + lin("glass", 19, 35, 29, 45, [(0, "#e8f8ff"), (0.5, "#8ccaf0"), (1, "#3a84c8")])
             + rad("shadow", 30.5, 52.5, 24, [(0, "#000000", 0.5), (1, "#000000", 0)]))
    roof_l = lambda y: 30.5 - (y - 8.5) * (23.5 / 23.5)
    tiles = "".join(
        f'<path d="M{n(roof_l(y))},{n(y)} H{n(61 - roof_l(y))}" stroke="#8a1005" stroke-width="0.7" stroke-opacity="0.7"/>'
        for y in (16, 22, 27.5))
    body += f"""
<ellipse cx="30.5" cy="52.5" rx="25" ry="4" fill="url(#shadow)"/>
<path d="M40,22 V12 H46 V26 Z" fill="url(#brick)" stroke="#3a1208" stroke-width="0.9"/>
<rect x="39" y="10" width="8" height="2.8" fill="#8a8a8a" stroke="#333" stroke-width="0.8"/>
<rect x="13.5" y="27" width="34" height="24.5" fill="url(#wall)" stroke="#4a3418" stroke-width="1"/>
<rect x="13.5" y="27" width="34" height="4" fill="#000" fill-opacity="0.18"/>
<rect x="18.5" y="34.5" width="11" height="10" fill="url(#glass)" stroke="#4a3418" stroke-width="1"/>
<path d="M24,34.5 V44.5 M18.5,39.5 H29.5" stroke="#fffdf0" stroke-width="1.3"/>
<path d="M18.5,34.5 V44.5 M18.5,39.5 H29.5 M24,34.5 V44.5" stroke="#4a3418" stroke-width="0.4" fill="none"/>
<rect x="34.5" y="36" width="8.5" height="15.5" fill="url(#door)" stroke="#3a2008" stroke-width="1"/>
<circle cx="41" cy="44" r="0.9" fill="#ffd84a" stroke="#6a4a00" stroke-width="0.3"/>
<path d="M11,52 H50" stroke="#2e6a1a" stroke-width="1.6" stroke-linecap="round"/>
<path d="M6.5,31 L30.5,8.5 L54.5,31 Z" fill="url(#roof)" stroke="#4a0603" stroke-width="1.1" stroke-linejoin="round"/>
{tiles}
<path d="M10.5,29 L30.5,10.5 L37,16.5" stroke="#ffffff" stroke-opacity="0.55" stroke-width="1" fill="none" stroke-linecap="round"/>
"""
    return svg(61, 61, body, defs)


def cmd_web():
    defs, body = blue_tile()
    defs += (lin("fback", 0, 14, 0, 48, [(0, "#5fb2ff"), (1, "#1d5fd6")])
             + lin("ffront", 0, 24, 0, 49, [(0, "#a6dcff"), (0.4, "#55a8ff"), (1, "#1f66d8")])
             + rad("sea", 36.5, 34.5, 16, [(0, "#c8f0ff"), (0.45, "#3aa0ec"), (1, "#0a3a8e")], fx=35.5, fy=33)
             + lin("land", 0, 28, 0, 54, [(0, "#8ee06a"), (1, "#2a8a24")])
             + rad("gshine", 36, 33, 8, [(0, "#ffffff", 0.75), (1, "#ffffff", 0)]))
    gx, gy, r = 40, 40.5, 13.5
    # meridians and parallels of the globe
    grid = []
    for k in (-0.62, 0, 0.62):
        rx = abs(k) * r if k else 0
        if k == 0:
            grid.append(f'M{gx},{n(gy - r)} V{n(gy + r)}')
        else:
            grid.append(f'M{gx},{n(gy - r)} A{n(r * 0.55)},{n(r)} 0 0 {1 if k > 0 else 0} {gx},{n(gy + r)}')
    for dy in (-0.5, 0, 0.5):
        yy = gy + dy * r
        half = math.sqrt(r * r - (dy * r) ** 2)
        grid.append(f'M{n(gx - half)},{n(yy)} Q{gx},{n(yy + 2.2 * (1 if dy >= 0 else -1) * 0 + 1.2)} {n(gx + half)},{n(yy)}')
    body += f"""
<path d="M7,15.5 Q7,13.5 9,13.5 H20 L23.5,17 H50 Q52,17 52,19 V47 H7 Z" fill="url(#fback)" stroke="#06205e" stroke-width="1.1" stroke-linejoin="round"/>
<rect x="10" y="19.5" width="39" height="20" fill="#ffffff" stroke="#9ab" stroke-width="0.5"/>
<path d="M12,23.5 H40 M12,27 H44 M12,30.5 H36" stroke="#9aa8c0" stroke-width="1"/>
<path d="M4.5,26 Q4.5,24.5 6,24.5 H52 Q54,24.5 53.6,26.2 L51,48 Q50.8,49.5 49,49.5 H9 Q7.2,49.5 7,48 Z" fill="url(#ffront)" stroke="#06205e" stroke-width="1.1" stroke-linejoin="round"/>
<path d="M7,27 H51" stroke="#ffffff" stroke-opacity="0.7" stroke-width="1"/>
<circle cx="{gx}" cy="{gy}" r="{r + 1.2}" fill="#000" fill-opacity="0.3"/>
<circle cx="{gx}" cy="{gy}" r="{r}" fill="url(#sea)"/>
<path d="M31,31 Q34,28.5 38,29 Q41,28 42,30.5 Q40,33 41.5,35 Q39,37.5 40.5,41 Q38.5,45 35.5,44 Q34.5,40 32,38.5 Q29.5,36 31,31 Z" fill="url(#land)" stroke="#1a5a14" stroke-width="0.5"/>
<path d="M44,33 Q47.5,32 50.5,35.5 Q52.5,40 50.5,44.5 Q48,44.5 47,41.5 Q44.5,40.5 45.5,37.5 Q43,36 44,33 Z" fill="url(#land)" stroke="#1a5a14" stroke-width="0.5"/>
<path d="M38,47.5 Q41.5,46 44.5,48 Q46,51 42,52.5 Q38.5,51.5 38,47.5 Z" fill="url(#land)" stroke="#1a5a14" stroke-width="0.5"/>
<path d="{' '.join(grid)}" fill="none" stroke="#ffffff" stroke-opacity="0.45" stroke-width="0.6"/>
<circle cx="{gx}" cy="{gy}" r="{r}" fill="none" stroke="#041a4a" stroke-width="1.1"/>
<ellipse cx="35.5" cy="34" rx="6" ry="4.5" fill="url(#gshine)"/>
"""
    return svg(61, 61, body, defs)


def cmd_write():
    defs, body = blue_tile()
    defs += (lin("paper", 0, 8, 0, 54, [(0, "#ffffff"), (1, "#dfe3ee")])
             + lin("barrel", 0, -3, 0, 3, [(0, "#5a1a2a"), (0.35, "#c04060"), (0.55, "#7a1a30"), (1, "#2a0610")])
             + lin("gold", 0, -3, 0, 3, [(0, "#fff2a8"), (0.5, "#e0a820"), (1, "#7a5200")])
             + lin("nib", 0, -2.5, 0, 2.5, [(0, "#f4f4f4"), (0.5, "#b8b8b8"), (1, "#606060")]))
    lines = []
    for i, (x2) in enumerate((38, 40, 35, 40, 39, 28, 37)):
        y = 17 + i * 4.6
        lines.append(f'M15,{n(y)} H{x2}')
    lines_d = " ".join(lines)
    body += f"""
<g transform="rotate(-7 30 31)">
<path d="M12,7.5 H41 L48,14.5 V55 H12 Z" fill="#000" fill-opacity="0.3" transform="translate(1.6,1.6)"/>
<path d="M12,7.5 H41 L48,14.5 V55 H12 Z" fill="url(#paper)" stroke="#3a4660" stroke-width="0.9" stroke-linejoin="round"/>
<path d="M41,7.5 V14.5 H48" fill="#c8cedd" stroke="#3a4660" stroke-width="0.8" stroke-linejoin="round"/>
<path d="M15,11.5 H33" stroke="#1a2a8a" stroke-width="1.6" stroke-linecap="round"/>
<path d="{lines_d}" stroke="#5a6478" stroke-width="1.1" stroke-linecap="round"/>
<path d="M16,50 Q19,45.5 21,49 Q23,52 25.5,47.5 Q27,45 28.5,48" fill="none" stroke="#1a2a8a" stroke-width="1" stroke-linecap="round"/>
</g>
<g transform="translate(29.5,47.5) rotate(-48)">
<path d="M3,2.6 L32,3.4 L32,-3.4 L3,-2.6 Z" fill="#000" fill-opacity="0.3" transform="translate(1.5,2)"/>
<path d="M0,0 L7,-2.6 H10 V2.6 H7 Z" fill="url(#nib)" stroke="#222" stroke-width="0.6" stroke-linejoin="round"/>
<path d="M0.6,0 H6.2" stroke="#222" stroke-width="0.5"/>
<circle cx="6.3" cy="0" r="0.6" fill="#222"/>
<path d="M10,-2.7 H14 V2.7 H10 Z" fill="#1a1a1a" stroke="#000" stroke-width="0.5"/>
<path d="M14,-3.4 H34 Q36.5,-3.4 36.5,0 Q36.5,3.4 34,3.4 H14 Z" fill="url(#barrel)" stroke="#1a0006" stroke-width="0.8"/>
<rect x="19" y="-3.45" width="2.2" height="6.9" fill="url(#gold)" stroke="#5a3a00" stroke-width="0.4"/>
<path d="M23,-3.6 H34 Q35.5,-3.6 35,-4.8 H23.5 Z" fill="url(#gold)" stroke="#5a3a00" stroke-width="0.4"/>
<path d="M15,-1.7 H34" stroke="#ffffff" stroke-opacity="0.45" stroke-width="0.8" stroke-linecap="round"/>
</g>
"""
    return svg(61, 61, body, defs)


def cmd_about():
    defs, body = blue_tile()
    defs += (rad("halo", 30.5, 24, 27, [(0, "#fff8b0", 0.95), (0.45, "#ffe640", 0.45), (1, "#ffd000", 0)])
             + rad("bulb", 30.5, 24, 17, [(0, "#ffffff"), (0.35, "#fffbd0"), (0.8, "#ffe650"), (1, "#f2b800")],
                   fx=26.5, fy=18.5)
             + lin("screw", 23, 0, 38, 0, [(0, "#6a6a6a"), (0.3, "#f4f4f4"), (0.6, "#b4b4b4"), (1, "#545454")])
             + lin("contact", 26, 0, 35, 0, [(0, "#2a2a2a"), (0.4, "#8a8a8a"), (1, "#1a1a1a")]))
    rays = []
    for a in range(-160, -10, 30):
        t = math.radians(a)
        x1, y1 = 30.5 + 19 * math.cos(t), 24 + 19 * math.sin(t)
        x2, y2 = 30.5 + 25 * math.cos(t), 24 + 25 * math.sin(t)
        rays.append(f"M{n(x1)},{n(y1)} L{n(x2)},{n(y2)}")
    for a in (0, 180):
        t = math.radians(a)
        rays.append(f"M{n(30.5 + 19 * math.cos(t))},24 L{n(30.5 + 25 * math.cos(t))},24")
    body += f"""
<circle cx="30.5" cy="24" r="27" fill="url(#halo)"/>
<path d="{' '.join(rays)}" stroke="#fff27a" stroke-width="1.8" stroke-linecap="round"/>
<path d="M23.5,42 C23.5,36 16,32 16,24 A14.5,14.5 0 1 1 45,24 C45,32 37.5,36 37.5,42 Z" fill="url(#bulb)" stroke="#8a6400" stroke-width="1.1" stroke-linejoin="round"/>
<path d="M27.5,42 L28,31 M33.5,42 L33,31" stroke="#8a7a5a" stroke-width="0.8" fill="none"/>
<path d="M28,31 L29,27.5 L30,31 L31,27.5 L32,31 L33,27.5 L33,31" stroke="#ff7a00" stroke-width="1" fill="none" stroke-linejoin="round"/>
<path d="M28,31 L29,27.5 L30,31 L31,27.5 L32,31 L33,27.5" stroke="#ffffff" stroke-width="0.4" fill="none"/>
<path d="M20.5,18 A11,11 0 0 1 28,12" stroke="#ffffff" stroke-width="2.2" stroke-linecap="round" fill="none" stroke-opacity="0.9"/>
<rect x="23" y="41.5" width="15" height="10" rx="1.5" fill="url(#screw)" stroke="#2a2a2a" stroke-width="0.9"/>
<path d="M23.2,44.6 L37.8,43.4 M23.2,47.6 L37.8,46.4 M23.2,50.6 L37.8,49.4" stroke="#3a3a3a" stroke-width="0.9"/>
<path d="M26,51.5 H35 L33.5,55 Q30.5,56.5 27.5,55 Z" fill="url(#contact)" stroke="#111" stroke-width="0.8" stroke-linejoin="round"/>
"""
    return svg(61, 61, body, defs)


def prohibition(cx, cy, r, ring, gid="ring", white=True):
    """Red ring crossed by a bar from top-left to bottom-right."""
    defs = (rad(gid, cx - r * 0.3, cy - r * 0.35, r * 1.6, [(0, "#ff6a5a"), (0.5, "#e01212"), (1, "#8a0000")]))
    inner = r - ring / 2
    body = ""
    if white:
        body += f'<circle cx="{n(cx)}" cy="{n(cy)}" r="{n(inner)}" fill="#ffffff"/>\n'
    bar = (f'<rect x="{n(cx - inner - 0.5)}" y="{n(cy - ring * 0.45)}" width="{n(2 * inner + 1)}" height="{n(ring * 0.9)}" '
           f'fill="url(#{gid})" transform="rotate(45 {n(cx)} {n(cy)})"/>\n')
    body += bar
    body += (f'<circle cx="{n(cx)}" cy="{n(cy)}" r="{n(r)}" fill="none" stroke="url(#{gid})" stroke-width="{n(ring)}"/>\n')
    return defs, body


def cmd_close():
    defs, body = blue_tile()
    d2, b2 = prohibition(30.5, 30.5, 20.5, 6.5)
    defs += d2
    body += '<circle cx="31.8" cy="32" r="24.5" fill="#000" fill-opacity="0.3"/>\n'
    body += b2
    body += ('<circle cx="30.5" cy="30.5" r="23.9" fill="none" stroke="#4a0000" stroke-width="0.9"/>\n'
             '<circle cx="30.5" cy="30.5" r="17.1" fill="none" stroke="#4a0000" stroke-width="0.7"/>\n'
             '<path d="M13.5,22 A19,19 0 0 1 30,11.5" stroke="#ffffff" stroke-opacity="0.6" stroke-width="2" '
             'fill="none" stroke-linecap="round"/>\n')
    return svg(61, 61, body, defs)


def make_commands():
    write("pictures/cmd-home.svg", cmd_home())
    write("pictures/cmd-web.svg", cmd_web())
    write("pictures/cmd-write.svg", cmd_write())
    write("pictures/cmd-about.svg", cmd_about())
    write("pictures/cmd-close.svg", cmd_close())


# --------------------------------------------------------------------------
# Cursors: white gloved hands, black outline, blue accents, 32 x 32

INK = "#000000"
GLOVE = "#ffffff"
BLUE = "#1e4fd8"


class Hand:
    """A glove silhouette built from thick strokes and filled shapes.

    Every part is first drawn 2 px wider in black, then all parts in white,
    so the outline surrounds the union of the parts; the creases come after.
    """

    def __init__(self):
        self.parts = []     # (kind, d, width)
        self.details = []   # raw SVG drawn over the white

    def stroke(self, d, w):
        self.parts.append(("s", d, w))
        return self

    def fill(self, d):
        self.parts.append(("f", d, 0))
        return self

    def crease(self, d, w=0.8, colour=INK):
        self.details.append(f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{n(w)}" '
                            f'stroke-linecap="round" stroke-linejoin="round"/>')
        return self

    def raw(self, s):
        self.details.append(s)
        return self

    def svg(self, outline=1.0):
        out = []
        for colour, extra in ((INK, 2 * outline), (GLOVE, 0)):
            for kind, d, w in self.parts:
                if kind == "s":
                    out.append(f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{n(w + extra)}" '
                               f'stroke-linecap="round" stroke-linejoin="round"/>')
                else:
                    s = (f' stroke="{colour}" stroke-width="{n(extra)}" stroke-linejoin="round"'
                         if extra else "")
                    out.append(f'<path d="{d}" fill="{colour}"{s}/>')
        return "\n".join(out + self.details)


def cuff(x0, y0, x1, y1, angle=0.0, cx=None, cy=None):
    """A glove cuff: a white band with blue stripes, outlined in black."""
    rot = f' transform="rotate({n(angle)} {n(cx)} {n(cy)})"' if angle else ""
    h = y1 - y0
    return (f'<g{rot}>'
            f'<rect x="{n(x0)}" y="{n(y0)}" width="{n(x1 - x0)}" height="{n(h)}" rx="1.5" '
            f'fill="{GLOVE}" stroke="{INK}" stroke-width="1"/>'
            f'<rect x="{n(x0 + 0.5)}" y="{n(y0 + h * 0.3)}" width="{n(x1 - x0 - 1)}" height="{n(h * 0.4)}" '
            f'fill="{BLUE}"/>'
            f'</g>')


def hand_point_up():
    """Index finger up; its tip at pixel (12, 1)."""
    h = Hand()
    h.stroke("M12.5,3.5 V16", 5)                       # index finger
    h.stroke("M17.5,14.5 V17", 5)                      # folded middle finger
    h.stroke("M21.5,15.5 V18", 5)                      # folded ring finger
    h.stroke("M25,17 V19", 4)                          # folded little finger
    h.stroke("M12,21 Q8.5,19 6.5,15", 4.4)             # thumb
    h.fill("M10,15 H27 Q27.5,19.5 26.5,23 L25,26 H11.5 Q10,24 10,21 Z")  # back of the hand
    h.crease("M15.5,13 V18.5 M19.5,14 V19 M23.5,15.5 V19.5", 1)
    h.crease("M10.5,18.5 Q11.8,20.6 13.6,21.8", 0.9)
    h.crease("M16.5,21.5 V24 M19.5,21.5 V24 M22.5,21.5 V24", 1, BLUE)
    h.raw(cuff(10.5, 25.5, 25.5, 30.5))
    return h


def ring_fingers(h, folded):
    """Thumb and forefinger closed in a ring; its rim passes through pixel (7, 7)."""
    if folded:
        h.stroke("M20,14.5 V17", 5)                    # folded middle finger
        h.stroke("M24,15.5 V18", 5)                    # folded ring finger
        h.stroke("M27.2,17 V19.5", 4)                  # folded little finger
    else:
        h.stroke("M18.5,3.5 L19,16", 4.2)              # middle finger, straight up
        h.stroke("M23.3,5 L22.8,16", 4)                # ring finger
        h.stroke("M27.4,9 L25.8,17", 3.6)              # little finger
    h.fill("M13.5,15 H27.5 Q28.8,20 27.8,23.5 L26.5,26.5 H14.5 Q12.5,24 12.5,21 Z")  # palm
    h.stroke("M15.5,16 C16.2,10.5 14,6.6 10.6,6.4 C9.2,6.3 8,6.9 7.3,7.8", 3.4)        # forefinger
    h.stroke("M14.5,22 C9,22.5 5.8,19 5.5,14.5 C5.3,11.5 6,9.2 7.3,7.8", 3.6)           # thumb
    if folded:
        h.crease("M17.5,13 V18.5 M21.5,14 V19 M25.5,15.5 V19.5", 1)
    else:
        h.crease("M20.8,9 L21,16.5 M25,10.5 L24.4,17", 0.9)
    h.crease("M6.2,6.8 L8.6,9", 0.9)                   # where the fingertips meet
    h.crease("M18.5,21.5 V24 M21.5,21.5 V24 M24.5,21.5 V24", 1, BLUE)
    h.raw(cuff(14.5, 25.5, 27.5, 30.5))
    return h


def cursor_point():
    return svg(32, 32, hand_point_up().svg())


def cursor_forbidden():
    h = hand_point_up()
    d, b = prohibition(18.5, 20.5, 4.8, 1.9, gid="nogo")
    return svg(32, 32, h.svg() + "\n" + b, d)


def cursor_ok():
    return svg(32, 32, ring_fingers(Hand(), folded=False).svg())


def cursor_ok_mirror():
    body = f'<g transform="translate(32,0) scale(-1,1)">\n{ring_fingers(Hand(), folded=False).svg()}\n</g>'
    return svg(32, 32, body)


def cursor_ok_side():
    # The OK hand turned so that the ring faces left: the rim passes through (4, 16).
    body = (f'<g transform="translate(4.5,16.5) rotate(-45) scale(0.8) translate(-7,-7.5)">\n'
            f'{ring_fingers(Hand(), folded=False).svg()}\n</g>')
    return svg(32, 32, body)


def cursor_ring():
    return svg(32, 32, ring_fingers(Hand(), folded=True).svg())


def hand_with_pen(dx, dy):
    """A writing hand seen from the thumb side; the pen's nib points down to the left."""
    fist = Hand()
    fist.fill("M16.5,22 C16.5,17 21.5,14 25.5,15.5 C29.5,17 30.5,22 28.5,25.5 "
              "C26.5,28.5 21.5,29.5 18.5,27.5 C17,26.3 16.4,24.2 16.5,22 Z")
    fist.stroke("M18,25.5 L15.2,24.6", 3)                      # forefinger tip under the pen
    fist.crease("M19.5,23.5 C21.5,25 24,25.6 26.5,24.8", 0.9)   # curled fingers
    fist.crease("M21.5,27.6 C23.5,27.4 25.5,26.6 27,25.4", 0.9)
    fist.raw(cuff(21.5, 26.5, 31, 31.5, -45, 26.3, 29))
    thumb = Hand()
    thumb.stroke("M25,17.5 C22.5,17.8 20,19 18,20.8", 3.4)
    thumb.crease("M23.8,16.3 C24.4,17.2 24.4,18.2 24,19", 0.8, BLUE)
    pen = ('<path d="M9,29.5 L11.2,24.8 L13.6,27.1 Z" fill="#d8d8d8" stroke="#000" stroke-width="0.8" stroke-linejoin="round"/>'
           '<path d="M12.4,25.8 L28,10.2" stroke="#000" stroke-width="4.2" stroke-linecap="round"/>'
           '<path d="M12.4,25.8 L28,10.2" stroke="#2a55e0" stroke-width="2.4" stroke-linecap="round"/>'
           '<path d="M13.2,24.2 L26.8,10.6" stroke="#b8ccff" stroke-width="0.7" stroke-linecap="round"/>')
    return (f'<g transform="translate({n(dx)},{n(dy)}) scale(0.84)">\n{fist.svg()}\n{pen}\n{thumb.svg()}\n</g>')


def cursor_ibeam_pen():
    beam = ("M2.5,2.5 Q5.5,2.5 5.5,5 V13 Q5.5,15.5 2.5,15.5 M8.5,2.5 Q5.5,2.5 5.5,5 V13 Q5.5,15.5 8.5,15.5 "
            "M3.5,9 H7.5")
    body = (f'<path d="{beam}" fill="none" stroke="#ffffff" stroke-width="3" stroke-linecap="round"/>\n'
            f'<path d="{beam}" fill="none" stroke="#000000" stroke-width="1" stroke-linecap="round"/>\n'
            + hand_with_pen(4, 2.5))
    return svg(32, 32, body)


def cursor_crosshair_pen():
    cross = "M0.5,12.5 H10.5 M5.5,7.5 V17.5"
    body = (f'<path d="{cross}" stroke="#ffffff" stroke-width="3" stroke-linecap="square"/>\n'
            f'<circle cx="5.5" cy="12.5" r="3" fill="none" stroke="#ffffff" stroke-width="3"/>\n'
            f'<path d="{cross}" stroke="#000000" stroke-width="1"/>\n'
            f'<circle cx="5.5" cy="12.5" r="3" fill="none" stroke="{BLUE}" stroke-width="1"/>\n'
            + hand_with_pen(4, 2.5))
    return svg(32, 32, body)


def cursor_open_hand():
    """An open hand, palm centre at (16, 14)."""
    h = Hand()
    h.stroke("M12.3,12 L10.5,4.5", 3.8)          # forefinger
    h.stroke("M16.2,11 V2.5", 4)                  # middle finger
    h.stroke("M20.2,12 L21.5,4", 3.8)             # ring finger
    h.stroke("M23.2,14 L25.8,8", 3.4)             # little finger
    h.stroke("M10.5,19.5 Q7.5,17.5 4.5,13", 4)    # thumb
    h.fill("M9.5,12 H24.5 Q25.5,17 24.5,20.5 L22.5,25 H11.5 Q9.5,22 9.3,18 Z")
    h.crease("M14.2,8 L14.4,12.5 M18.3,8 L18.1,12.5 M22,10.5 L21.6,13.5", 0.9)
    h.crease("M10,17 Q11.2,18.8 13,20", 0.9)
    h.crease("M15,18.5 Q16.5,19.5 19,18.5", 0.9, BLUE)
    h.raw(cuff(10.5, 24.5, 23.5, 29.5))
    return svg(32, 32, h.svg())


CURSORS = {
    "cursor1-ok": (cursor_ok, 7, 7),
    "cursor2-ibeam-pen": (cursor_ibeam_pen, 5, 9),
    "cursor3-ok-side": (cursor_ok_side, 4, 16),
    "cursor4-ok": (cursor_ok_mirror, 24, 7),
    "cursor5-crosshair-pen": (cursor_crosshair_pen, 5, 12),
    "cursor6-point-up": (cursor_point, 12, 1),
    "cursor7-open-hand": (cursor_open_hand, 16, 14),
    "cursor-ring": (cursor_ring, 7, 7),
    "cursor-forbidden": (cursor_forbidden, 12, 1),
    "cursor-point": (cursor_point, 12, 1),
}


def make_cursors():
    # one line per cursor: name, then the hot spot's x and y in pixels from the top-left corner
    lines = []
    for name, (fn, x, y) in CURSORS.items():
        write(f"cursors/{name}.svg", fn())
        lines.append(f"{name} {x} {y}")
    write("cursors/hotspots.txt", "\n".join(lines) + "\n")


# --------------------------------------------------------------------------
# Window icons, 32 x 32, transparent background

def icon_main():
    """A car disc brake: drilled grey disc, dark hub, orange calliper."""
    cx, cy, R = 14.5, 17.5, 13.6
    defs = (rad("disc", cx - 4, cy - 5, R * 1.5, [(0, "#ffffff"), (0.35, "#d4d7dc"), (0.75, "#9aa0a8"), (1, "#5c626a")])
            + rad("hub", cx - 2, cy - 2.5, 9, [(0, "#c8ccd2"), (0.6, "#6a7078"), (1, "#3a3e44")])
            + lin("cal", 18, 2, 30, 17, [(0, "#ffd27a"), (0.3, "#ff9a1a"), (0.75, "#e06000"), (1, "#8a3200")])
            + lin("calhi", 0, 0, 1, 1, [(0, "#ffffff", 0.8), (1, "#ffffff", 0)], user=False))
    holes = []
    for k in range(12):
        a = math.radians(k * 30 + 15)
        holes.append(f'<circle cx="{n(cx + 10.6 * math.cos(a))}" cy="{n(cy + 10.6 * math.sin(a))}" r="0.95"/>')
    lugs = []
    for k in range(5):
        a = math.radians(k * 72 - 90)
        lugs.append(f'<circle cx="{n(cx + 3.9 * math.cos(a))}" cy="{n(cy + 3.9 * math.sin(a))}" r="0.85"/>')

    def arc_pt(r, deg):
        a = math.radians(deg)
        return cx + r * math.cos(a), cy + r * math.sin(a)

    # calliper: a curved block over the upper-right rim of the disc
    a0, a1, r0, r1 = -92, -8, 8.2, 16.2
    p0, p1, p2, p3 = arc_pt(r1, a0), arc_pt(r1, a1), arc_pt(r0, a1), arc_pt(r0, a0)
    cal = (f"M{n(p0[0])},{n(p0[1])} A{r1},{r1} 0 0 1 {n(p1[0])},{n(p1[1])} "
           f"Q{n(p1[0] + 0.4)},{n((p1[1] + p2[1]) / 2)} {n(p2[0])},{n(p2[1])} "
           f"A{r0},{r0} 0 0 0 {n(p3[0])},{n(p3[1])} Q{n(p3[0] - 0.6)},{n((p3[1] + p0[1]) / 2)} {n(p0[0])},{n(p0[1])} Z")
    q0, q1 = arc_pt(14.4, -80), arc_pt(14.4, -22)
    body = f"""
<circle cx="{n(cx + 0.8)}" cy="{n(cy + 0.9)}" r="{R}" fill="#000" fill-opacity="0.25"/>
<circle cx="{cx}" cy="{cy}" r="{R}" fill="url(#disc)" stroke="#30343a" stroke-width="1"/>
<circle cx="{cx}" cy="{cy}" r="{n(R - 1.6)}" fill="none" stroke="#ffffff" stroke-opacity="0.35" stroke-width="0.6"/>
<g fill="#2a2d32">{''.join(holes)}</g>
<circle cx="{cx}" cy="{cy}" r="7" fill="url(#hub)" stroke="#25282c" stroke-width="0.9"/>
<circle cx="{cx}" cy="{cy}" r="1.9" fill="#15171a"/>
<g fill="#15171a">{''.join(lugs)}</g>
<path d="{cal}" fill="#000" fill-opacity="0.3" transform="translate(0.8,0.9)"/>
<path d="{cal}" fill="url(#cal)" stroke="#4a1c00" stroke-width="1" stroke-linejoin="round"/>
<path d="M{n(q0[0])},{n(q0[1])} A14.4,14.4 0 0 1 {n(q1[0])},{n(q1[1])}" fill="none" stroke="#ffe0a0" stroke-width="1" stroke-linecap="round" stroke-opacity="0.9"/>
<circle cx="{n(arc_pt(12.2, -70)[0])}" cy="{n(arc_pt(12.2, -70)[1])}" r="1" fill="#ffe6b0" stroke="#6a2a00" stroke-width="0.5"/>
<circle cx="{n(arc_pt(12.2, -30)[0])}" cy="{n(arc_pt(12.2, -30)[1])}" r="1" fill="#ffe6b0" stroke="#6a2a00" stroke-width="0.5"/>
"""
    return svg(32, 32, body, defs)


def icon_result():
    """A clipboard holding a sheet with three lines of writing."""
    defs = (lin("board", 4, 4, 28, 31, [(0, "#e0a060"), (0.5, "#b06a2c"), (1, "#7a4216")])
            + lin("sheet", 0, 7, 0, 29, [(0, "#ffffff"), (1, "#e4e8f0")])
            + lin("clip", 0, 1, 0, 9, [(0, "#ffffff"), (0.45, "#c4c8cc"), (1, "#6a7078")]))
    writing = ("M8.5,14.2 q0.8,-1.2 1.6,-0.2 t1.6,0 t1.6,0.2 t1.6,-0.2 t1.6,0 t1.6,0.2 t1.6,-0.2 t1.6,0 "
               "M8.5,19.2 q0.8,-1.2 1.6,-0.2 t1.6,0 t1.6,0.2 t1.6,-0.2 t1.6,0 t1.6,0.2 t1.6,0 "
               "M8.5,24.2 q0.8,-1.2 1.6,-0.2 t1.6,0 t1.6,0.2 t1.6,-0.2 t1.6,0")
    body = f"""
<rect x="4.8" y="4.3" width="24" height="27" rx="2.2" fill="#000" fill-opacity="0.3"/>
<rect x="3.5" y="3.5" width="24" height="27" rx="2.2" fill="url(#board)" stroke="#4a2608" stroke-width="1"/>
<rect x="6.5" y="7.5" width="18" height="20.5" fill="url(#sheet)" stroke="#5a6070" stroke-width="0.8"/>
<path d="{writing}" fill="none" stroke="#1838b8" stroke-width="1.3" stroke-linecap="round" stroke-linejoin="round"/>
<path d="M10.5,3 Q10.5,1.5 12,1.5 H19 Q20.5,1.5 20.5,3 V7.5 Q20.5,9 19,9 H12 Q10.5,9 10.5,7.5 Z" fill="url(#clip)" stroke="#2a2e34" stroke-width="0.9"/>
<rect x="13.5" y="3.2" width="4" height="1.8" rx="0.9" fill="#3a3e44"/>
"""
    return svg(32, 32, body, defs)


def make_icons():
    write("pictures/icon-main.svg", icon_main())
    write("pictures/icon-result.svg", icon_result())


# --------------------------------------------------------------------------
# Geometry helpers

def clip_poly(points, rect):
    """Sutherland-Hodgman clipping of a polygon to an axis-aligned rectangle."""
    x0, y0, x1, y1 = rect

    def clip(pts, inside, cut):
        out = []
        for i, cur in enumerate(pts):
            prev = pts[i - 1]
            if inside(cur):
                if not inside(prev):
                    out.append(cut(prev, cur))
                out.append(cur)
            elif inside(prev):
                out.append(cut(prev, cur))
        return out

    def at_x(x):
        return lambda p, q: (x, p[1] + (q[1] - p[1]) * (x - p[0]) / (q[0] - p[0]))

    def at_y(y):
        return lambda p, q: (p[0] + (q[0] - p[0]) * (y - p[1]) / (q[1] - p[1]), y)

    pts = list(points)
    for inside, cut in ((lambda p: p[0] >= x0, at_x(x0)), (lambda p: p[0] <= x1, at_x(x1)),
                        (lambda p: p[1] >= y0, at_y(y0)), (lambda p: p[1] <= y1, at_y(y1))):
        if not pts:
            break
        pts = clip(pts, inside, cut)
    return pts


def band(p, q, a, b):
    """Quadrilateral covering offsets a..b (perpendicular, left of p->q) along segment p->q."""
    dx, dy = q[0] - p[0], q[1] - p[1]
    L = math.hypot(dx, dy)
    nx, ny = -dy / L, dx / L
    return [(p[0] + nx * a, p[1] + ny * a), (q[0] + nx * a, q[1] + ny * a),
            (q[0] + nx * b, q[1] + ny * b), (p[0] + nx * b, p[1] + ny * b)]


def union_flag(x, y, w, h):
    """The Union flag drawn in the rectangle (x, y, w, h)."""
    rect = (x, y, x + w, y + h)
    k = h / 30.0
    cx, cy = x + w / 2, y + h / 2
    out = [f'<rect x="{n(x)}" y="{n(y)}" width="{n(w)}" height="{n(h)}" fill="#012169"/>']
    corners = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    white, red = [], []
    for c in corners:
        # each arm runs from the centre out to a corner; extend beyond the corner, then clip
        far = (c[0] + (c[0] - cx), c[1] + (c[1] - cy))
        white.append(clip_poly(band((cx, cy), far, -3 * k, 3 * k), rect))
    # counterchanged red: the same rotational side of every arm
    for c in corners:
        far = (c[0] + (c[0] - cx), c[1] + (c[1] - cy))
        red.append(clip_poly(band((cx, cy), far, -2 * k, 0), rect))
    out += [f'<path d="{poly(p)}" fill="#ffffff"/>' for p in white]
    out += [f'<path d="{poly(p)}" fill="#c8102e"/>' for p in red]
    out.append(f'<rect x="{n(x)}" y="{n(cy - 5 * k)}" width="{n(w)}" height="{n(10 * k)}" fill="#ffffff"/>')
    out.append(f'<rect x="{n(cx - 5 * k)}" y="{n(y)}" width="{n(10 * k)}" height="{n(h)}" fill="#ffffff"/>')
    out.append(f'<rect x="{n(x)}" y="{n(cy - 3 * k)}" width="{n(w)}" height="{n(6 * k)}" fill="#c8102e"/>')
    out.append(f'<rect x="{n(cx - 3 * k)}" y="{n(y)}" width="{n(6 * k)}" height="{n(h)}" fill="#c8102e"/>')
    return "\n".join(out)


# --------------------------------------------------------------------------
# Section pictures, 133 x 133

def pic_mers():
    """A naval ensign on its staff above the words Royal Navy."""
    defs = (lin("sky", 0, 0, 0, 96, [(0, "#5d8fd0"), (0.6, "#a9cbef"), (1, "#dcecfa")])
            + lin("sea", 0, 90, 0, 133, [(0, "#2a5a9a"), (1, "#0b2550")])
            + lin("pole", 10, 0, 15, 0, [(0, "#7a5a2a"), (0.4, "#f0d8a0"), (1, "#6a4a1a")])
            + rad("knob", 11.5, 6.5, 4, [(0, "#fff6c0"), (0.6, "#e8b830"), (1, "#8a6000")])
            + lin("wave", 20, 0, 126, 0, [(0, "#000000", 0), (0.12, "#000000", 0.16), (0.26, "#ffffff", 0.22),
                                          (0.42, "#000000", 0.18), (0.58, "#ffffff", 0.2), (0.74, "#000000", 0.2),
                                          (0.9, "#ffffff", 0.15), (1, "#000000", 0.1)])
            + lin("plaque", 0, 96, 0, 126, [(0, "#23357a"), (0.5, "#0e1d56"), (1, "#050d30")])
            + lin("goldline", 0, 0, 133, 0, [(0, "#8a6000"), (0.5, "#ffe27a"), (1, "#8a6000")]))
    fx, fy, fw, fh = 16, 12, 108, 54
    cross = 8.6   # width of the red cross
    cxv = fx + fw / 2
    cyh = fy + fh / 2
    canton_w, canton_h = cxv - cross / 2 - fx, cyh - cross / 2 - fy
    f = font(SERIF_BOLD)
    d, size, _ = f.fit("Royal Navy", (14, 101, 119, 118), 26)
    body = f"""
<rect x="0" y="0" width="133" height="133" fill="url(#sky)"/>
<path d="M0,30 Q20,24 40,30 T80,28 T133,30" fill="none" stroke="#ffffff" stroke-opacity="0.3" stroke-width="5"/>
<rect x="0" y="88" width="133" height="45" fill="url(#sea)"/>
<rect x="{n(fx + 1.5)}" y="{n(fy + 2)}" width="{fw}" height="{fh}" fill="#000000" fill-opacity="0.22"/>
<rect x="{fx}" y="{fy}" width="{fw}" height="{fh}" fill="#ffffff"/>
<rect x="{n(cxv - cross / 2)}" y="{fy}" width="{n(cross)}" height="{fh}" fill="#c8102e"/>
<rect x="{fx}" y="{n(cyh - cross / 2)}" width="{fw}" height="{n(cross)}" fill="#c8102e"/>
{union_flag(fx, fy, canton_w, canton_h)}
<rect x="{fx}" y="{fy}" width="{fw}" height="{fh}" fill="url(#wave)"/>
<rect x="{fx}" y="{fy}" width="{fw}" height="{fh}" fill="none" stroke="#3a3a4a" stroke-width="0.8"/>
<rect x="10" y="8" width="4.5" height="90" fill="url(#pole)" stroke="#4a3210" stroke-width="0.6"/>
<circle cx="12.25" cy="7" r="3.8" fill="url(#knob)" stroke="#5a3e00" stroke-width="0.6"/>
<path d="M14.5,{fy + 1} H{fx}  M14.5,{fy + fh - 1} H{fx}" stroke="#333" stroke-width="0.8"/>
<rect x="4" y="95" width="125" height="30" rx="3" fill="url(#plaque)" stroke="url(#goldline)" stroke-width="1.6"/>
<rect x="7" y="98" width="119" height="24" rx="2" fill="none" stroke="#e8c050" stroke-opacity="0.6" stroke-width="0.6"/>
<path d="{d}" fill="#000000" fill-opacity="0.6" transform="translate(1,1.2)"/>
<path d="{d}" fill="#ffffff" stroke="#e8c050" stroke-width="0.5"/>
"""
    return svg(133, 133, body, defs)


# --------------------------------------------------------------------------
# Product name lettering, banners and logo

RAINBOW = [(0, "#ff2a2a"), (0.18, "#ff8c1a"), (0.36, "#ffe81a"), (0.54, "#3ee03e"),
           (0.72, "#2aa8ff"), (0.88, "#4a4aff"), (1, "#b040ff")]


def product_name(x, baseline, width, dark_outline="#0a0a3a", light_ground=False):
    """'Velmora' in rainbow italic capitals-and-lower-case, 'Win' in green script.

    Returns (defs, body, bounds) with the lettering filling `width` from x."""
    sans, script = font(SANS_BOLD_OBLIQUE), font(SCRIPT_FONT)
    gap = 0.02
    b1 = sans.bounds("Velmora", 100)
    b2 = script.bounds("Win", 115)
    total = (b1[2] - b1[0]) + (b2[2] - b2[0]) + gap * 100
    k = width / total
    s1, s2 = 100 * k, 115 * k
    x1 = x - b1[0] * k
    d1 = sans.path("Velmora", s1, x1, baseline)
    x2 = x + (b1[2] - b1[0]) * k + gap * 100 * k - b2[0] * k
    d2 = script.path("Win", s2, x2, baseline + 0.02 * s1)
    bb1 = sans.bounds("Velmora", s1, x1, baseline)
    bb2 = script.bounds("Win", s2, x2, baseline + 0.02 * s1)
    top, bottom = min(bb1[1], bb2[1]), max(bb1[3], bb2[3])
    defs = (lin("rainbow", bb1[0], 0, bb1[2], 0, RAINBOW)
            + lin("rainshine", 0, bb1[1], 0, bb1[3], [(0, "#ffffff", 0.55), (0.45, "#ffffff", 0.05),
                                                    (0.5, "#000000", 0.0), (1, "#000000", 0.25)])
            + lin("wingreen", 0, bb2[1], 0, bb2[3], [(0, "#d4ff9a"), (0.45, "#3ddc3d"), (1, "#07801e")]))
    sw = max(0.8, s1 / 40)
    shadow = "#000000" if not light_ground else "#1a2a5a"
    body = f"""
<path d="{d1}" fill="{shadow}" fill-opacity="0.45" transform="translate({n(sw * 1.3)},{n(sw * 1.5)})"/>
<path d="{d1}" fill="url(#rainbow)" stroke="{dark_outline}" stroke-width="{n(sw)}" stroke-linejoin="round"/>
<path d="{d1}" fill="url(#rainshine)"/>
<path d="{d2}" fill="{shadow}" fill-opacity="0.45" transform="translate({n(sw * 1.3)},{n(sw * 1.5)})"/>
<path d="{d2}" fill="none" stroke="#02300a" stroke-width="{n(sw * 3.2)}" stroke-linejoin="round"/>
<path d="{d2}" fill="url(#wingreen)" stroke="#eaffd8" stroke-width="{n(sw * 0.9)}" stroke-linejoin="round"/>
"""
    return defs, body, (x, top, x + width, bottom)


def banner():
    w, h = 344, 101
    defs = (lin("bg", 0, 0, 0, h, [(0, "#0a1a78"), (0.5, "#1f48cc"), (1, "#07145e")])
            + rad("glow", w / 2, 40, 160, [(0, "#6aa0ff", 0.55), (1, "#6aa0ff", 0)])
            + lin("three", 0, 64, 0, 97, [(0, "#8ab0ff"), (0.45, "#2456f0"), (1, "#0a2490")])
            + lin("gold", 0, 64, 0, 97, [(0, "#fff2a0"), (0.5, "#ffc830"), (1, "#b07800")]))
    d_name, b_name, box = product_name(10, 58, 322)
    defs += d_name
    serif = font(SERIF_BOLD)
    d3, _, _ = serif.fit("III", (146, 66, 198, 96), 60, tracking=2)
    stars = "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="#ffffff" fill-opacity="{o}"/>'
                    for x, y, r, o in ((20, 80, 1, 0.7), (44, 90, 0.7, 0.5), (300, 78, 1.1, 0.7),
                                       (322, 92, 0.7, 0.5), (90, 86, 0.6, 0.45), (250, 90, 0.8, 0.55),
                                       (120, 94, 0.6, 0.4), (222, 82, 0.6, 0.4)))
    body = f"""
<rect x="0" y="0" width="{w}" height="{h}" fill="url(#bg)"/>
<ellipse cx="{w / 2}" cy="40" rx="170" ry="48" fill="url(#glow)"/>
<path d="M0,64 Q86,56 172,64 T344,62" fill="none" stroke="#ffffff" stroke-opacity="0.12" stroke-width="10"/>
{stars}
{b_name}
<path d="{d3}" fill="#000000" fill-opacity="0.45" transform="translate(1.6,1.8)"/>
<path d="{d3}" fill="none" stroke="url(#gold)" stroke-width="3.2" stroke-linejoin="round"/>
<path d="{d3}" fill="url(#three)" stroke="#5a3a00" stroke-width="0.6" stroke-linejoin="round"/>
<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="#04103f" stroke-width="1"/>
"""
    return svg(w, h, body, defs)


def about_logo():
    w, h = 243, 75
    defs = (lin("bg", 0, 0, 0, h, [(0, "#eaf5ff"), (0.5, "#c4e2ff"), (1, "#9cc8f4")])
            + lin("ver", 0, 50, 0, 72, [(0, "#7aa4ff"), (0.5, "#1f4fe0"), (1, "#0a2490")])
            + lin("gold", 0, 50, 0, 72, [(0, "#fff2a0"), (0.5, "#ffc830"), (1, "#b07800")]))
    d_name, b_name, box = product_name(9, 42, 225, light_ground=True)
    defs += d_name
    serif = font(SERIF_BOLD)
    dv, _, _ = serif.fit("3.0", (104, 51, 140, 71), 40, tracking=1)
    body = f"""
<rect x="0" y="0" width="{w}" height="{h}" fill="url(#bg)"/>
<path d="M0,18 Q60,8 121,18 T243,16 V0 H0 Z" fill="#ffffff" fill-opacity="0.35"/>
<path d="M20,61 H92 M152,61 H223" stroke="#3a6ad0" stroke-width="1" stroke-opacity="0.6"/>
{b_name}
<path d="{dv}" fill="#000000" fill-opacity="0.35" transform="translate(1,1.2)"/>
<path d="{dv}" fill="none" stroke="url(#gold)" stroke-width="2.4" stroke-linejoin="round"/>
<path d="{dv}" fill="url(#ver)" stroke="#5a3a00" stroke-width="0.5"/>
<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="#5a86c0" stroke-width="1"/>
"""
    return svg(w, h, body, defs)


def about_banner():
    w, h = 373, 31
    defs = (lin("bar", 0, 0, 0, h, [(0, "#5c8ef0"), (0.45, "#1c4cc8"), (0.55, "#123ca8"), (1, "#0a2470")])
            + rad("close", 10.5, 9.5, 9, [(0, "#ffe0a0"), (0.45, "#ff9a1a"), (1, "#c04e00")])
            + lin("tab", 0, 0, 0, h, [(0, "#ff6a5a"), (0.45, "#e01a12"), (0.55, "#c80e08"), (1, "#7a0400")]))
    sans = font(SANS_BOLD)
    tab_x = 262
    dt, _, _ = sans.fit("Au Sujet De...", (tab_x + 14, 9.5, w - 8, 22), 14)
    body = f"""
<rect x="0" y="0" width="{w}" height="{h}" fill="url(#bar)"/>
<rect x="0" y="0" width="{w}" height="13" fill="#ffffff" fill-opacity="0.14"/>
<path d="M26,27.5 H{tab_x - 8}" stroke="#ffd84a" stroke-width="1" stroke-opacity="0.55"/>
<circle cx="12.5" cy="12.5" r="8.5" fill="#000000" fill-opacity="0.35" transform="translate(0.8,0.9)"/>
<circle cx="12.5" cy="12.5" r="8.5" fill="url(#close)" stroke="#5a2000" stroke-width="1"/>
<path d="M9.3,9.3 L15.7,15.7 M15.7,9.3 L9.3,15.7" stroke="#5a2000" stroke-width="2.4" stroke-linecap="round"/>
<path d="M9.3,9.3 L15.7,15.7 M15.7,9.3 L9.3,15.7" stroke="#ffffff" stroke-width="1.2" stroke-linecap="round"/>
<path d="M{tab_x},{h} L{tab_x + 10},3 Q{tab_x + 11},1.5 {tab_x + 13},1.5 H{w} V{h} Z" fill="#000000" fill-opacity="0.3" transform="translate(-2,0)"/>
<path d="M{tab_x},{h} L{tab_x + 10},3 Q{tab_x + 11},1.5 {tab_x + 13},1.5 H{w} V{h} Z" fill="url(#tab)" stroke="#4a0000" stroke-width="1"/>
<path d="M{tab_x + 11},3.5 H{w - 1}" stroke="#ffffff" stroke-opacity="0.5" stroke-width="1"/>
<path d="{dt}" fill="#000000" fill-opacity="0.5" transform="translate(0.8,0.9)"/>
<path d="{dt}" fill="#ffffff"/>
<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="#06154a" stroke-width="1"/>
"""
    return svg(w, h, body, defs)


def make_banners():
    write("pictures/banner.svg", banner())
    write("pictures/about-logo.svg", about_logo())
    write("pictures/about-banner.svg", about_banner())


# --------------------------------------------------------------------------
# Portrait helpers

class Rng:
    """A small deterministic generator, so that every run draws the same strands."""

    def __init__(self, seed):
        self.s = seed & 0xFFFFFFFF

    def __call__(self, a=0.0, b=1.0):
        self.s = (1103515245 * self.s + 12345) & 0x7FFFFFFF
        return a + (b - a) * self.s / 0x7FFFFFFF


def strands(rng, count, start, end, colour, width, opacity, bend=3.0):
    """Hair-like strokes; start(rng) and end(rng, p0) give the two end points."""
    out = []
    for _ in range(count):
        p0 = start(rng)
        p1 = end(rng, p0)
        mx, my = (p0[0] + p1[0]) / 2 + rng(-bend, bend), (p0[1] + p1[1]) / 2 + rng(-bend, bend)
        out.append(f"M{n(p0[0])},{n(p0[1])} Q{n(mx)},{n(my)} {n(p1[0])},{n(p1[1])}")
    return (f'<path d="{" ".join(out)}" fill="none" stroke="{colour}" stroke-width="{n(width)}" '
            f'stroke-opacity="{n(opacity)}" stroke-linecap="round"/>')


def pic_smorse():
    """Sepia portrait of a grey-haired, grey-bearded nineteenth-century gentleman."""
    defs = (rad("bg", 62, 50, 95, [(0, "#efe2c2"), (0.45, "#cfb386"), (0.8, "#8e6a3e"), (1, "#4a3218")])
            + lin("coat", 0, 85, 0, 133, [(0, "#4a3420"), (1, "#1c1208")])
            + rad("skin", 58, 46, 30, [(0, "#f6e4bc"), (0.55, "#dcb888"), (1, "#9a7248")], fx=56, fy=42)
            + lin("hair", 0, 18, 0, 60, [(0, "#fbf5e6"), (0.5, "#ddd0b4"), (1, "#a8987a")])
            + lin("beard", 0, 58, 0, 110, [(0, "#efe4cc"), (0.5, "#d2c3a2"), (1, "#9c8a68")])
            + rad("vign", 66, 60, 98, [(0, "#2a1a08", 0), (0.6, "#2a1a08", 0), (1, "#2a1a08", 0.75)])
            + lin("shade", 50, 0, 86, 0, [(0, "#000000", 0), (0.6, "#3a2410", 0), (1, "#3a2410", 0.35)]))
    r = Rng(7)

    def hair_pair(g, jitter=0.0):
        t = math.radians(g(188, 352))
        a = (66 + 18.5 * math.cos(t), 47 + 19 * math.sin(t))
        t2 = t + math.radians(g(-4, 4))
        b = (66 + 22 * math.cos(t2), 41 + 21.5 * math.sin(t2) + g(0, 2))
        return a, b

    def hair_strands(count, colour, width, opacity):
        out = []
        for _ in range(count):
            a, b = hair_pair(r)
            f = r(0.15, 0.35)
            a = (a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f)
            mx, my = (a[0] + b[0]) / 2 + r(-1, 1), (a[1] + b[1]) / 2 + r(-1, 1)
            out.append(f"M{n(a[0])},{n(a[1])} Q{n(mx)},{n(my)} {n(b[0])},{n(b[1])}")
        return (f'<path d="{" ".join(out)}" fill="none" stroke="{colour}" stroke-width="{n(width)}" '
                f'stroke-opacity="{n(opacity)}" stroke-linecap="round"/>')

    hair_str = hair_strands(70, "#7a6a50", 0.45, 0.6)
    hair_hi = hair_strands(50, "#ffffff", 0.5, 0.7)
    side_l = strands(r, 18, lambda g: (g(43.5, 48), g(33, 40)),
                     lambda g, p: (p[0] + g(-1.5, 0.5), p[1] + g(6, 10)), "#7a6a50", 0.5, 0.6, 1)
    side_r = strands(r, 18, lambda g: (g(84, 88.5), g(33, 40)),
                     lambda g, p: (p[0] + g(-0.5, 1.5), p[1] + g(6, 10)), "#7a6a50", 0.5, 0.6, 1)

    def beard_half(y):
        if y < 70:
            return 18.5
        return max(0.0, 18.5 * math.sqrt(max(0.0, 1 - ((y - 70) / 40.0) ** 2)))

    def beard_strands(count, colour, width, opacity):
        out = []
        for _ in range(count):
            y0 = r(62, 100)
            hw = beard_half(y0) - 1.5
            if hw <= 1:
                continue
            x0 = 66 + r(-hw, hw)
            if y0 < 74 and abs(x0 - 66) < 11:
                y0 = 74 + r(0, 3)   # keep the mouth clear
            y1 = y0 + r(7, 13)
            hw1 = beard_half(y1) - 1.5
            x1 = 66 + (x0 - 66) * 0.78
            x1 = max(66 - hw1, min(66 + hw1, x1)) if hw1 > 0 else 66
            mx = (x0 + x1) / 2 + r(-1.2, 1.2)
            out.append(f"M{n(x0)},{n(y0)} Q{n(mx)},{n((y0 + y1) / 2)} {n(x1)},{n(y1)}")
        return (f'<path d="{" ".join(out)}" fill="none" stroke="{colour}" stroke-width="{n(width)}" '
                f'stroke-opacity="{n(opacity)}" stroke-linecap="round"/>')

    beard_dark = beard_strands(120, "#6a5a40", 0.5, 0.5)
    beard_hi = beard_strands(100, "#fffaf0", 0.55, 0.6)
    mous = strands(r, 24, lambda g: (g(61, 71), g(66.5, 68)),
                   lambda g, p: (p[0] + (p[0] - 66) * 0.7 + g(-0.5, 0.5), p[1] + g(3, 5)), "#6a5a40", 0.45, 0.7, 0.6)
    body = f"""
<rect x="0" y="0" width="133" height="133" fill="url(#bg)"/>
<g transform="translate(66,136) scale(1.08) translate(-66,-133)">
<path d="M4,133 C6,112 20,100 44,94 L66,100 L88,94 C112,100 127,112 129,133 Z" fill="url(#coat)"/>
<path d="M44,94 L56,133 M88,94 L76,133" stroke="#5e4630" stroke-width="1.2" fill="none"/>
<path d="M44,94 C46,104 50,116 56,133 L48,133 C44,118 40,106 36,98 Z" fill="#2a1c0e"/>
<path d="M88,94 C86,104 82,116 76,133 L84,133 C88,118 92,106 96,98 Z" fill="#2a1c0e"/>
<path d="M49,90 L66,128 L83,90 Z" fill="#efe6d2" stroke="#8a7450" stroke-width="0.6"/>
<path d="M49,90 L57,100 L54,104 Z M83,90 L75,100 L78,104 Z" fill="#ffffff" stroke="#8a7450" stroke-width="0.5"/>
<path d="M60,108 L66,112 L72,108 L70,118 L66,115 L62,118 Z" fill="#1a1008"/>
<circle cx="66" cy="121" r="0.9" fill="#3a2a18"/>
<path d="M55,62 L55,90 Q66,96 77,90 L77,62 Z" fill="#a07850"/>
<ellipse cx="47.5" cy="55" rx="4" ry="7" fill="#d2aa7a" stroke="#8a6438" stroke-width="0.6"/>
<ellipse cx="84.5" cy="55" rx="4" ry="7" fill="#b8905e" stroke="#8a6438" stroke-width="0.6"/>
<ellipse cx="66" cy="51" rx="18" ry="23.5" fill="url(#skin)"/>
<ellipse cx="66" cy="51" rx="18" ry="23.5" fill="url(#shade)"/>
<path d="M45,46 C42,34 48,21 62,19 C74,17 86,22 88,34 C89.5,41 88,47 86.5,50 C85,42 83,35 80,31 C74,28 60,28 53,31 C49,35 47.5,41 47,48 Z" fill="url(#hair)" stroke="#8a7a5e" stroke-width="0.5"/>
<path d="M44,47 C41,40 42,32 46,30 C48,36 48,42 48,49 Z" fill="url(#hair)"/>
<path d="M88,47 C91,40 90,32 86,30 C84,36 84,42 84,49 Z" fill="url(#hair)"/>
{hair_str}
{hair_hi}
{side_l}
{side_r}
<path d="M53,44 Q58,40.5 63,43.5" stroke="#8e7e62" stroke-width="2.4" fill="none" stroke-linecap="round"/>
<path d="M69,43.5 Q74,40.5 79,44" stroke="#8e7e62" stroke-width="2.4" fill="none" stroke-linecap="round"/>
<path d="M53,44 Q58,41 63,43.5 M69,43.5 Q74,41 79,44" stroke="#f6efe0" stroke-width="0.7" fill="none"/>
<path d="M54.5,49 Q58.5,46.5 62.5,49 Q58.5,51 54.5,49 Z" fill="#f3ead6" stroke="#4a3218" stroke-width="0.6"/>
<path d="M69.5,49 Q73.5,46.5 77.5,49 Q73.5,51 69.5,49 Z" fill="#f3ead6" stroke="#4a3218" stroke-width="0.6"/>
<circle cx="58.7" cy="48.8" r="1.6" fill="#3a2610"/>
<circle cx="73.7" cy="48.8" r="1.6" fill="#3a2610"/>
<circle cx="58.2" cy="48.3" r="0.45" fill="#ffffff"/>
<circle cx="73.2" cy="48.3" r="0.45" fill="#ffffff"/>
<path d="M54.5,48.6 Q58.5,45.6 62.8,48.6 M69.2,48.6 Q73.5,45.6 77.5,48.6" stroke="#3a2610" stroke-width="0.9" fill="none"/>
<path d="M55.5,52.5 Q58.5,54 61.5,52.5 M70.5,52.5 Q73.5,54 76.5,52.5" stroke="#8a6438" stroke-width="0.6" fill="none" stroke-opacity="0.8"/>
<path d="M64.5,49.5 C64,55 62.5,59 62,62 Q63,64.5 66,64.5 Q69,64.5 70,62.5" stroke="#8a6438" stroke-width="0.8" fill="none"/>
<path d="M66.5,50 C67.5,55 69,59 70,62" stroke="#b08a5c" stroke-width="2.2" fill="none" stroke-opacity="0.45"/>
<path d="M63,63.5 Q64,62.5 65,63.5 M67.2,63.5 Q68.2,62.5 69.2,63.5" stroke="#5a3c1c" stroke-width="0.7" fill="none"/>
<path d="M47,56 C47,68 50,80 55,92 C58,101 62,108 66,110 C70,108 74,101 77,92 C82,80 85,68 85,56 C84,62 80,66 76,67 Q66,64 56,67 C52,66 48,62 47,56 Z" fill="url(#beard)"/>
<path d="M56,67 Q60,65 66,66 Q72,65 76,67 C78,70 77,73 74,72 Q70,70.5 66,71.5 Q62,70.5 58,72 C55,73 54,70 56,67 Z" fill="#e6dcc4" stroke="#8a7a5e" stroke-width="0.5"/>
{beard_dark}
{beard_hi}
{mous}
<path d="M62.5,74 Q66,75.5 69.5,74" stroke="#6a4a28" stroke-width="0.8" fill="none"/>
</g>
<rect x="0" y="0" width="133" height="133" fill="url(#vign)"/>
<rect x="2" y="2" width="129" height="129" fill="none" stroke="#f4ead0" stroke-opacity="0.5" stroke-width="1"/>
"""
    return svg(133, 133, body, defs)

def pic_caesar():
    """Black-and-white photograph of a Roman marble head on its bust."""
    defs = (rad("bg", 70, 52, 100, [(0, "#6e6e6e"), (0.45, "#3c3c3c"), (1, "#0c0c0c")])
            + rad("marble", 56, 46, 40, [(0, "#ffffff"), (0.35, "#e6e6e6"), (0.75, "#b2b2b2"), (1, "#6c6c6c")],
                  fx=54, fy=42)
            + lin("neck", 48, 0, 86, 0, [(0, "#d8d8d8"), (0.45, "#bdbdbd"), (1, "#4e4e4e")])
            + lin("chest", 30, 0, 104, 0, [(0, "#e2e2e2"), (0.4, "#cacaca"), (0.8, "#7a7a7a"), (1, "#3e3e3e")])
            + lin("chestfade", 0, 104, 0, 130, [(0, "#000000", 0), (1, "#000000", 0.45)])
            + lin("cap", 0, 22, 0, 46, [(0, "#f4f4f4"), (1, "#a6a6a6")])
            + lin("lock", 0, 0, 0, 1, [(0, "#f2f2f2"), (1, "#9c9c9c")], user=False)
            + lin("rshade", 52, 0, 88, 0, [(0, "#000000", 0), (0.55, "#000000", 0), (1, "#000000", 0.5)])
            + rad("vign", 66, 62, 96, [(0, "#000000", 0), (0.65, "#000000", 0), (1, "#000000", 0.7)]))
    r = Rng(11)
    # locks combed forward from the crown down to the forehead, their tips curling
    locks = []

    def lock(xs, ys, xe, ye, w, curl):
        # a tapered lock from (xs, ys) to (xe, ye), its tip curling sideways by `curl`
        dx, dy = xe - xs, ye - ys
        L = math.hypot(dx, dy)
        nx, ny = -dy / L * w / 2, dx / L * w / 2
        tip = (xe + curl, ye + 0.6)
        d = (f"M{n(xs - nx)},{n(ys - ny)} Q{n((xs + xe) / 2 - nx * 1.3)},{n((ys + ye) / 2 - ny * 1.3)} {n(xe - nx * 0.6)},{n(ye - ny * 0.6)} "
             f"Q{n(xe + curl * 0.3)},{n(ye + 2)} {n(tip[0])},{n(tip[1])} "
             f"Q{n(xe + nx * 0.4)},{n(ye + ny * 0.4)} {n(xe + nx * 0.8)},{n(ye + ny * 0.8 - 1)} "
             f"Q{n((xs + xe) / 2 + nx * 1.1)},{n((ys + ye) / 2 + ny * 1.1)} {n(xs + nx)},{n(ys + ny)} Z")
        locks.append(f'<path d="{d}" fill="url(#lock)" stroke="#5a5a5a" stroke-width="0.5" stroke-linejoin="round"/>')
        locks.append(f'<path d="M{n(xs + nx * 0.2)},{n(ys + ny * 0.2 + 1)} Q{n((xs + xe) / 2 - nx * 0.2)},{n((ys + ye) / 2)} {n(xe - nx * 0.1)},{n(ye - 1)}" '
                     f'stroke="#ffffff" stroke-width="0.55" fill="none" stroke-opacity="0.75"/>')

    def hairline(x):
        return 39.5 + ((x - 66) / 17.0) ** 2 * 6.5

    for k in range(13):
        xe = 47 + k * 3.15 + r(-0.4, 0.4)
        xs = 66 + (xe - 66) * 0.45
        ys = 23.5 + abs(xe - 66) * 0.12
        lock(xs, ys, xe, hairline(xe) + r(-0.5, 0.5), 4.6, -1.6 if xe < 66 else 1.6)
    for k in range(12):
        xe = 48.5 + k * 3.15 + r(-0.4, 0.4)
        xs = 66 + (xe - 66) * 0.6
        ys = 28 + abs(xe - 66) * 0.1
        lock(xs, ys, xe, hairline(xe) - 4 + r(-0.5, 0.5), 3.6, -1.2 if xe < 66 else 1.2)
    locks_svg = "\n".join(locks)
    body = f"""
<rect x="0" y="0" width="133" height="133" fill="url(#bg)"/>
<path d="M12,133 C14,114 28,102 48,97 L84,97 C104,102 118,114 120,133 Z" fill="url(#chest)"/>
<path d="M12,133 C14,114 28,102 48,97 L84,97 C104,102 118,114 120,133 Z" fill="url(#chestfade)"/>
<path d="M32,110 Q44,114 52,126 M100,110 Q88,116 82,128 M58,101 Q66,105 74,101" stroke="#8a8a8a" stroke-width="0.8" fill="none" stroke-opacity="0.8"/>
<path d="M49,76 C49,86 48,92 45,99 Q66,106 87,99 C84,92 83,86 83,76 Z" fill="url(#neck)"/>
<path d="M56,93 Q66,97 77,91" stroke="#5a5a5a" stroke-width="0.7" fill="none" stroke-opacity="0.7"/>
<g transform="translate(66,50) scale(1.14) translate(-66,-52)">
<ellipse cx="45.5" cy="56" rx="4.2" ry="8" fill="#d4d4d4" stroke="#6a6a6a" stroke-width="0.6"/>
<path d="M45,51 Q43.5,56 45.5,61" stroke="#7a7a7a" stroke-width="0.8" fill="none"/>
<ellipse cx="86.5" cy="56" rx="4" ry="8" fill="#8a8a8a" stroke="#4a4a4a" stroke-width="0.6"/>
<path d="M47,44 C46,60 49,74 56,82 Q61,87.5 66,88 Q71,87.5 76,82 C83,74 86,60 85,44 C84,33 77,26 66,26 C55,26 48,33 47,44 Z" fill="url(#marble)"/>
<path d="M47,44 C46,60 49,74 56,82 Q61,87.5 66,88 Q71,87.5 76,82 C83,74 86,60 85,44 C84,33 77,26 66,26 C55,26 48,33 47,44 Z" fill="url(#rshade)"/>
<path d="M45.5,47 C44,36 49,24 62,21.5 C75,20 86,26 87.5,38 C88,42 87.5,46 86.5,49 C85,44 84,41 82,40 Q66,34.5 50,40 C48,41.5 47,44 45.5,47 Z" fill="url(#cap)" stroke="#6a6a6a" stroke-width="0.5"/>
{locks_svg}
<path d="M55,45 Q66,43 77,45" stroke="#9a9a9a" stroke-width="0.6" fill="none"/>
<path d="M52,52 Q57,48.5 63,51 M69,51 Q75,48.5 80,52" stroke="#6e6e6e" stroke-width="1.6" fill="none" stroke-linecap="round" stroke-opacity="0.8"/>
<path d="M53.5,55.5 Q58,52.5 62.5,55.5 Q58,57.5 53.5,55.5 Z" fill="#dedede" stroke="#555" stroke-width="0.7"/>
<path d="M69.5,55.5 Q74,52.5 78.5,55.5 Q74,57.5 69.5,55.5 Z" fill="#b4b4b4" stroke="#444" stroke-width="0.7"/>
<path d="M53.8,55 Q58,52.8 62.2,55 M69.8,55 Q74,52.8 78.2,55" stroke="#3a3a3a" stroke-width="0.9" fill="none"/>
<path d="M54.5,58.5 Q58,60 61.5,58.5 M70.5,58.5 Q74,60 77.5,58.5" stroke="#8a8a8a" stroke-width="0.6" fill="none"/>
<path d="M64.5,54 C64,61 62.5,66 61.5,69 Q63,71.5 66,71.5 Q69.5,71.5 70.5,69" stroke="#6a6a6a" stroke-width="0.8" fill="none"/>
<path d="M67,54 C68.5,61 70,65 70.5,69 Q69,70.5 67,70.5" fill="#7a7a7a" fill-opacity="0.55"/>
<path d="M62.5,70.5 Q63.5,69.6 64.5,70.5 M67.5,70.5 Q68.5,69.6 69.5,70.5" stroke="#3a3a3a" stroke-width="0.7" fill="none"/>
<path d="M58,66 Q57,72 59,77 M74,66 Q75.5,72 73.5,77" stroke="#8a8a8a" stroke-width="0.7" fill="none"/>
<path d="M60.5,76.5 Q66,75 71.5,76.5" stroke="#3a3a3a" stroke-width="0.9" fill="none" stroke-linecap="round"/>
<path d="M61.5,77.2 Q66,79.4 70.5,77.2" stroke="#8a8a8a" stroke-width="0.6" fill="none"/>
<path d="M63,81.5 Q66,83 69,81.5" stroke="#9a9a9a" stroke-width="0.6" fill="none"/>
<path d="M52,36 Q58,33.5 64,35" stroke="#ffffff" stroke-width="0.8" fill="none" stroke-opacity="0.0"/>
<path d="M50,60 Q51,70 55,76" stroke="#ffffff" stroke-width="1.6" fill="none" stroke-opacity="0.45" stroke-linecap="round"/>
</g>
<rect x="0" y="0" width="133" height="133" fill="url(#vign)"/>
"""
    return svg(133, 133, body, defs)


def curls(rng, cx, cy, rx, ry, count, rad_, dark, light):
    """Carved curls scattered over an ellipse: a dark arc and a light arc each."""
    d_dark, d_light = [], []
    for _ in range(count):
        while True:
            u, v = rng(-1, 1), rng(-1, 1)
            if u * u + v * v <= 1:
                break
        x, y = cx + u * rx, cy + v * ry
        rr = rad_ * rng(0.8, 1.2)
        d_dark.append(f"M{n(x - rr)},{n(y)} A{n(rr)},{n(rr)} 0 1 0 {n(x + rr * 0.3)},{n(y - rr * 0.95)}")
        d_light.append(f"M{n(x - rr * 0.6)},{n(y - rr * 0.2)} A{n(rr * 0.6)},{n(rr * 0.6)} 0 0 1 {n(x + rr * 0.4)},{n(y - rr * 0.5)}")
    return (f'<path d="{" ".join(d_dark)}" fill="none" stroke="{dark}" stroke-width="0.8" stroke-linecap="round"/>'
            f'<path d="{" ".join(d_light)}" fill="none" stroke="{light}" stroke-width="0.5" stroke-linecap="round" stroke-opacity="0.7"/>')


def pic_polybe():
    """An antique statue of a bearded man in a draped cloak, holding a scroll."""
    defs = (lin("sky", 0, 0, 0, 133, [(0, "#4f86d4"), (0.6, "#9cc4ee"), (1, "#d8e9f8")])
            + lin("col", 104, 0, 128, 0, [(0, "#b8ac94"), (0.35, "#f0e8d6"), (1, "#8a7e66")])
            + rad("stone", 52, 30, 90, [(0, "#fbf6ea"), (0.4, "#e4dac4"), (0.8, "#b4a88e"), (1, "#857a62")], fx=46, fy=24)
            + lin("drape", 40, 60, 110, 133, [(0, "#f6efe0"), (0.5, "#d6cbb2"), (1, "#8e826a")])
            + lin("arm", 18, 0, 40, 0, [(0, "#a89c84"), (0.5, "#ebe2cf"), (1, "#c4b89e")])
            + rad("face", 58, 30, 18, [(0, "#fdf8ee"), (0.6, "#e4d9c2"), (1, "#a89c82")], fx=56, fy=28)
            + lin("hair", 0, 14, 0, 62, [(0, "#e8dfca"), (1, "#a69a80")])
            + lin("scroll", 0, 100, 0, 112, [(0, "#fff8e6"), (0.5, "#e0d2b0"), (1, "#9a8a66")]))
    r = Rng(23)
    folds_dark = ("M66,66 Q52,86 34,110 M76,68 Q62,92 44,122 M88,72 Q76,98 60,133 "
                  "M98,84 Q96,108 98,133 M86,112 Q84,122 86,133 M74,116 Q72,126 74,133 "
                  "M100,74 Q92,80 84,78")
    folds_light = ("M69,67 Q55,88 37,112 M79,70 Q66,94 48,124 M91,75 Q80,100 64,133 "
                   "M101,88 Q99,110 101,133 M89,114 Q87,124 89,133 M77,118 Q75,127 77,133")
    body = f"""
<rect x="0" y="0" width="133" height="133" fill="url(#sky)"/>
<ellipse cx="24" cy="22" rx="22" ry="6" fill="#ffffff" fill-opacity="0.45"/>
<ellipse cx="36" cy="18" rx="12" ry="5" fill="#ffffff" fill-opacity="0.5"/>
<ellipse cx="100" cy="40" rx="26" ry="5" fill="#ffffff" fill-opacity="0.35"/>
<rect x="106" y="0" width="22" height="133" fill="url(#col)"/>
<path d="M110,0 V133 M114,0 V133 M118,0 V133 M122,0 V133" stroke="#8a7e66" stroke-width="0.8" stroke-opacity="0.7"/>
<path d="M111,0 V133 M115,0 V133 M119,0 V133 M123,0 V133" stroke="#ffffff" stroke-width="0.6" stroke-opacity="0.5"/>
<path d="M26,74 C20,88 18,110 20,133 H38 C38,114 40,96 42,84 Z" fill="url(#arm)" stroke="#7a6e56" stroke-width="0.6"/>
<path d="M28,88 Q26,104 28,122" stroke="#8e826a" stroke-width="0.8" fill="none" stroke-opacity="0.7"/>
<path d="M24,76 C30,68 42,65 56,63 L74,63 C88,65 98,68 104,78 C110,96 112,116 112,133 H30 C32,114 36,96 40,84 Z" fill="url(#stone)" stroke="#7a6e56" stroke-width="0.6"/>
<path d="M40,80 Q48,84 58,82 M44,92 Q52,96 58,92" stroke="#a89c82" stroke-width="0.9" fill="none" stroke-opacity="0.8"/>
<path d="M64,62 C72,62 90,64 102,72 C110,90 112,114 112,133 H36 C40,124 46,118 52,108 C58,96 60,80 64,62 Z" fill="url(#drape)" stroke="#7a6e56" stroke-width="0.7"/>
<path d="M64,62 C60,80 58,96 52,108 C46,118 40,124 36,133" stroke="#6e624a" stroke-width="3" fill="none" stroke-linecap="round"/>
<path d="M63,63 C59,80 57,95 51,107 C45,117 39,123 35,131" stroke="#fbf6ea" stroke-width="1.4" fill="none" stroke-linecap="round"/>
<path d="{folds_dark}" stroke="#8a7e64" stroke-width="1.6" fill="none" stroke-linecap="round" stroke-opacity="0.85"/>
<path d="{folds_light}" stroke="#fffaf0" stroke-width="1.1" fill="none" stroke-linecap="round" stroke-opacity="0.8"/>
<path d="M98,78 C102,92 100,104 90,110 L72,112 L70,104 L88,100 C92,94 92,86 90,80 Z" fill="url(#drape)" stroke="#7a6e56" stroke-width="0.6"/>
<path d="M94,84 Q96,96 88,104 M90,108 L74,109" stroke="#8a7e64" stroke-width="1.1" fill="none" stroke-opacity="0.8"/>
<rect x="56" y="100" width="24" height="11" rx="5.5" fill="url(#scroll)" stroke="#6e624a" stroke-width="0.6" transform="rotate(-12 68 105)"/>
<ellipse cx="57.5" cy="107.5" rx="2.4" ry="5.3" fill="#efe4c8" stroke="#6e624a" stroke-width="0.6" transform="rotate(-12 57.5 107.5)"/>
<path d="M70,101 C74,99 78,100 79,103 C80,106 78,109 74,110 C71,110.5 69,108 69,105 Z" fill="url(#face)" stroke="#7a6e56" stroke-width="0.6"/>
<path d="M72,102 Q75,104 73.5,108 M75,101.5 Q78,104 76.5,108" stroke="#9a8e74" stroke-width="0.6" fill="none"/>
<path d="M55,52 L55,64 Q61,67 68,64 L68,52 Z" fill="#c8bca2"/>
<g transform="translate(61.5,61.5) scale(1.26) translate(-61.5,-58)">
<path d="M47,36 C46,24 52,15 61.5,15 C71,15 77,24 76,36 C73,30 68,27 61.5,27 C55,27 50,30 47,36 Z" fill="url(#hair)" stroke="#7a6e56" stroke-width="0.5"/>
<ellipse cx="61.5" cy="36" rx="12.5" ry="15.5" fill="url(#face)"/>
<path d="M48,34 C46,24 52,14 61.5,14 C71,14 77,24 75,34 C72,28 67,25.5 61.5,25.5 C56,25.5 51,28 48,34 Z" fill="url(#hair)" stroke="#7a6e56" stroke-width="0.5"/>
{curls(r, 61.5, 22, 12, 6.5, 26, 2.0, "#7e735a", "#fffaf0")}
<path d="M49.5,38 C49,48 52,56 56,61 Q61.5,66 67,61 C71,56 74,48 73.5,38 C72,42 70,45 67,46 Q61.5,44.5 56,46 C53,45 51,42 49.5,38 Z" fill="url(#hair)" stroke="#7a6e56" stroke-width="0.5"/>
{curls(r, 61.5, 54, 9.5, 6.5, 24, 1.8, "#7e735a", "#fffaf0")}
<path d="M55.5,47.5 Q58.5,45 61.5,46.5 Q64.5,45 67.5,47.5 Q64.5,49.5 61.5,48.5 Q58.5,49.5 55.5,47.5 Z" fill="#d8cdb4" stroke="#7a6e56" stroke-width="0.6"/>
<path d="M53,33.5 Q56.5,31 60,33 M63,33 Q66.5,31 70,33.5" stroke="#8a7e64" stroke-width="1.3" fill="none" stroke-linecap="round"/>
<path d="M53.8,36.5 Q56.6,34.6 59.4,36.5 Q56.6,37.8 53.8,36.5 Z M63.6,36.5 Q66.4,34.6 69.2,36.5 Q66.4,37.8 63.6,36.5 Z" fill="#f4ecdc" stroke="#6e624a" stroke-width="0.6"/>
<path d="M61,34 C61,38 60,41 59.5,43 Q61,44.5 63,43.2" stroke="#7a6e56" stroke-width="0.7" fill="none"/>
<path d="M62.2,35 C63,38.5 63.8,41 64,43" stroke="#a89c82" stroke-width="1.4" fill="none" stroke-opacity="0.6"/>
</g>
"""
    return svg(133, 133, body, defs)


def pic_gato():
    """A grey tabby kitten asleep among plush toys."""
    defs = (lin("wall", 0, 0, 0, 80, [(0, "#f6d8e8"), (1, "#e8b8d4")])
            + lin("blanket", 0, 70, 0, 133, [(0, "#fff4dc"), (1, "#e6c890")])
            + rad("bear", 28, 40, 40, [(0, "#e0a868"), (0.6, "#b06e34"), (1, "#6e3e16")], fx=22, fy=32)
            + rad("muzzle", 30, 44, 7, [(0, "#fff0d8"), (1, "#e0b88a")])
            + rad("bunny", 104, 50, 34, [(0, "#ffffff"), (0.6, "#ffe0ec"), (1, "#e8a8c4")], fx=98, fy=42)
            + rad("ball", 114, 112, 12, [(0, "#ffffff"), (0.35, "#7ac8ff"), (1, "#1a5ab8")], fx=110, fy=106)
            + rad("fur", 70, 92, 38, [(0, "#d6d6de"), (0.6, "#a4a4ae"), (1, "#62626c")], fx=64, fy=82)
            + rad("head", 44, 92, 18, [(0, "#dcdce4"), (0.6, "#aaaab4"), (1, "#6a6a74")], fx=40, fy=86)
            + rad("shadow", 70, 112, 50, [(0, "#7a5a30", 0.45), (1, "#7a5a30", 0)]))
    stripes_back = ("M62,80 Q66,86 64,92 M72,79 Q76,86 74,93 M82,81 Q85,87 84,94 M91,85 Q93,90 92,96 "
                    "M99,91 Q100,95 99,100")
    stripes_head = "M38,79 Q40,82 39.5,85 M43,78 Q44,81 44,84.5 M48,79 Q48,82 47.5,85"
    body = f"""
<rect x="0" y="0" width="133" height="133" fill="url(#wall)"/>
<path d="M0,20 H133 M0,44 H133" stroke="#ffffff" stroke-opacity="0.35" stroke-width="6"/>
<path d="M0,72 Q40,64 80,70 T133,66 V133 H0 Z" fill="url(#blanket)"/>
<path d="M0,96 Q30,90 60,96 T133,92 M0,118 Q34,112 66,118 T133,114" stroke="#e8a8c4" stroke-width="3" fill="none" stroke-opacity="0.5"/>
<ellipse cx="70" cy="114" rx="54" ry="12" fill="url(#shadow)"/>
<!-- teddy bear -->
<circle cx="14" cy="22" r="7" fill="url(#bear)" stroke="#4a2a0e" stroke-width="0.8"/>
<circle cx="14" cy="22" r="3.5" fill="#e8b888"/>
<circle cx="44" cy="22" r="7" fill="url(#bear)" stroke="#4a2a0e" stroke-width="0.8"/>
<circle cx="44" cy="22" r="3.5" fill="#e8b888"/>
<ellipse cx="29" cy="76" rx="22" ry="22" fill="url(#bear)" stroke="#4a2a0e" stroke-width="0.8"/>
<ellipse cx="29" cy="78" rx="11" ry="13" fill="#e8b888" fill-opacity="0.8"/>
<ellipse cx="8" cy="70" rx="7" ry="11" fill="url(#bear)" stroke="#4a2a0e" stroke-width="0.8" transform="rotate(20 8 70)"/>
<circle cx="29" cy="38" r="17" fill="url(#bear)" stroke="#4a2a0e" stroke-width="0.8"/>
<ellipse cx="29" cy="45" rx="7.5" ry="6" fill="url(#muzzle)" stroke="#8a5a2a" stroke-width="0.5"/>
<ellipse cx="29" cy="42.5" rx="2.6" ry="1.9" fill="#2a160a"/>
<path d="M29,44.5 V47 M26.5,48 Q29,49.5 31.5,48" stroke="#2a160a" stroke-width="0.8" fill="none" stroke-linecap="round"/>
<circle cx="22.5" cy="35" r="2.2" fill="#1a0e06"/>
<circle cx="35.5" cy="35" r="2.2" fill="#1a0e06"/>
<circle cx="21.8" cy="34.3" r="0.7" fill="#ffffff"/>
<circle cx="34.8" cy="34.3" r="0.7" fill="#ffffff"/>
<path d="M16,56 L29,60 L42,56 L40,64 L29,62 L18,64 Z" fill="#d82a3a" stroke="#7a0a14" stroke-width="0.6"/>
<circle cx="29" cy="60.5" r="2.4" fill="#b81a2a" stroke="#7a0a14" stroke-width="0.5"/>
<!-- bunny -->
<ellipse cx="96" cy="16" rx="5" ry="16" fill="url(#bunny)" stroke="#b06a8a" stroke-width="0.7" transform="rotate(-12 96 16)"/>
<ellipse cx="96" cy="17" rx="2.4" ry="11" fill="#ffb0cc" transform="rotate(-12 96 17)"/>
<ellipse cx="114" cy="18" rx="5" ry="16" fill="url(#bunny)" stroke="#b06a8a" stroke-width="0.7" transform="rotate(14 114 18)"/>
<ellipse cx="114" cy="19" rx="2.4" ry="11" fill="#ffb0cc" transform="rotate(14 114 19)"/>
<ellipse cx="106" cy="72" rx="19" ry="20" fill="url(#bunny)" stroke="#b06a8a" stroke-width="0.7"/>
<circle cx="105" cy="44" r="14" fill="url(#bunny)" stroke="#b06a8a" stroke-width="0.7"/>
<circle cx="99.5" cy="42" r="1.8" fill="#2a1a2a"/>
<circle cx="110.5" cy="42" r="1.8" fill="#2a1a2a"/>
<path d="M103.5,47 L106.5,47 L105,49 Z" fill="#e05a8a"/>
<path d="M105,49 V50.5 M102.5,51.5 Q105,53 107.5,51.5" stroke="#8a3a5a" stroke-width="0.6" fill="none"/>
<circle cx="96" cy="48" r="2.5" fill="#ff8ab0" fill-opacity="0.45"/>
<circle cx="114" cy="48" r="2.5" fill="#ff8ab0" fill-opacity="0.45"/>
<!-- ball -->
<circle cx="116" cy="112" r="12" fill="url(#ball)" stroke="#0a3a7a" stroke-width="0.7"/>
<path d="M104.5,109 Q116,114 127.5,109 M116,100 Q111,112 116,124" stroke="#ffe84a" stroke-width="2" fill="none"/>
<!-- kitten: tail, body, head -->
<path d="M104,98 C112,106 104,118 84,119 C66,120 48,116 40,110" stroke="#4e4e58" stroke-width="8.6" fill="none" stroke-linecap="round"/>
<path d="M104,98 C112,106 104,118 84,119 C66,120 48,116 40,110" stroke="#a2a2ac" stroke-width="7" fill="none" stroke-linecap="round"/>
<path d="M99,112 L101,116 M90,116 L91,120 M80,117 L80,121 M70,116.5 L69,120.5" stroke="#5e5e68" stroke-width="1.5" stroke-linecap="round"/>
<path d="M46,100 C46,84 62,76 78,77 C96,78 108,88 106,100 C105,110 92,114 76,114 C60,114 46,110 46,100 Z" fill="url(#fur)" stroke="#4e4e58" stroke-width="0.8"/>
<path d="{stripes_back}" stroke="#5e5e68" stroke-width="2" fill="none" stroke-linecap="round" stroke-opacity="0.8"/>
<path d="M58,108 C66,106 72,108 78,112" stroke="#4e4e58" stroke-width="0.7" fill="none"/>
<path d="M34,100 C36,108 50,110 60,108 C66,107 66,103 60,102 C52,101 44,101 34,100 Z" fill="#b4b4bc" stroke="#4e4e58" stroke-width="0.7"/>
<path d="M52,104 V107.5 M56,103.5 V107.5" stroke="#6e6e78" stroke-width="0.6"/>
<path d="M30,78 L32,66 L40,75 Z" fill="#8a8a94" stroke="#4e4e58" stroke-width="0.8" stroke-linejoin="round"/>
<path d="M32,74.5 L33,69 L37,73.5 Z" fill="#f4a8bc"/>
<path d="M50,75 L58,67 L58,79 Z" fill="#8a8a94" stroke="#4e4e58" stroke-width="0.8" stroke-linejoin="round"/>
<path d="M52.5,75 L56.5,71 L56.5,77 Z" fill="#f4a8bc"/>
<ellipse cx="44" cy="90" rx="16" ry="13.5" fill="url(#head)" stroke="#4e4e58" stroke-width="0.8"/>
<path d="{stripes_head}" stroke="#5e5e68" stroke-width="1.4" fill="none" stroke-linecap="round"/>
<ellipse cx="44" cy="97" rx="7.5" ry="5" fill="#e8e8ee" fill-opacity="0.9"/>
<path d="M34,89 Q37.5,91.5 41,89 M47,89 Q50.5,91.5 54,89" stroke="#2a2a32" stroke-width="1.1" fill="none" stroke-linecap="round"/>
<path d="M35,90.5 L34,92 M40,90.5 L41,92 M48,90.5 L47,92 M53,90.5 L54,92" stroke="#2a2a32" stroke-width="0.5" stroke-linecap="round"/>
<path d="M42.3,94.5 H45.7 L44,96.3 Z" fill="#f47a9a" stroke="#a04060" stroke-width="0.4" stroke-linejoin="round"/>
<path d="M44,96.3 V97.6 M41.6,98.4 Q44,99.8 46.4,98.4" stroke="#4e4e58" stroke-width="0.6" fill="none" stroke-linecap="round"/>
<path d="M38,96.5 L27,94.5 M38,98 L27.5,99 M50,96.5 L61,94.5 M50,98 L60.5,99" stroke="#ffffff" stroke-width="0.5" stroke-opacity="0.9"/>
<path d="M64,70 h3.5 l-3.5,4 h3.5 M71,61 h5 l-5,5.5 h5 M80,50 h6.5 l-6.5,7 h6.5" stroke="#6a6ab8" stroke-width="1.3" fill="none" stroke-linecap="round" stroke-linejoin="round" stroke-opacity="0.8"/>
"""
    return svg(133, 133, body, defs)


def semaphore_flag(hx, hy, size, angle, outward):
    """A square flag on a short staff held at (hx, hy), divided diagonally red and yellow."""
    s = size
    # staff along the local x axis, flag hanging on the outward side of its end
    sign = 1 if outward > 0 else -1
    y0, y1 = (0, s) if sign > 0 else (-s, 0)
    fx0, fx1 = 7, 7 + s
    # diagonal from the upper hoist corner to the lower fly corner
    hoist_top = (fx0, y0 if sign > 0 else y1)
    fly_bottom = (fx1, y1 if sign > 0 else y0)
    red = [hoist_top, (fx1, hoist_top[1]), fly_bottom]
    yellow = [hoist_top, fly_bottom, (fx0, fly_bottom[1])]
    return (f'<g transform="translate({n(hx)},{n(hy)}) rotate({n(angle)})">'
            f'<path d="{poly(red)}" fill="url(#fred)"/>'
            f'<path d="{poly(yellow)}" fill="url(#fyel)"/>'
            f'<rect x="{fx0}" y="{n(min(y0, y1))}" width="{s}" height="{s}" fill="url(#fwave)" stroke="#5a2a00" stroke-width="0.7"/>'
            f'<path d="M-3,0 H{fx1 + 1}" stroke="#3a2410" stroke-width="2.2" stroke-linecap="round"/>'
            f'<path d="M-3,-0.4 H{fx1 + 1}" stroke="#c8a070" stroke-width="0.8" stroke-linecap="round"/>'
            f'</g>')


def pic_semaphore():
    """A sailor in uniform signalling with two red-and-yellow flags."""
    defs = (lin("sky", 0, 0, 0, 100, [(0, "#3f7fd0"), (0.7, "#a6cdf2"), (1, "#e2f0fb")])
            + lin("sea", 0, 98, 0, 133, [(0, "#2c6aa8"), (1, "#0c2c5c")])
            + lin("fred", 0, 0, 1, 1, [(0, "#ff4a3a"), (1, "#c40e0e")], user=False)
            + lin("fyel", 0, 0, 1, 1, [(0, "#fff27a"), (1, "#f2c000")], user=False)
            + lin("fwave", 0, 0, 1, 0, [(0, "#000000", 0.12), (0.35, "#ffffff", 0.18), (0.7, "#000000", 0.14),
                                        (1, "#ffffff", 0.1)], user=False)
            + lin("jumper", 40, 0, 94, 0, [(0, "#0e1e52"), (0.4, "#23408e"), (1, "#0a1640")])
            + lin("sleeve", 0, 0, 1, 0, [(0, "#0c1a48"), (0.5, "#2a4a9a"), (1, "#0c1a48")], user=False)
            + rad("skin", 62, 40, 16, [(0, "#ffe2c4"), (0.7, "#efbc90"), (1, "#c48a5a")], fx=60, fy=37)
            + lin("cap", 0, 16, 0, 32, [(0, "#ffffff"), (1, "#cfd6e0")]))
    # arms raised in a V; hands at (30, 30) and (103, 30)
    body = f"""
<rect x="0" y="0" width="133" height="133" fill="url(#sky)"/>
<ellipse cx="30" cy="76" rx="26" ry="5" fill="#ffffff" fill-opacity="0.5"/>
<ellipse cx="106" cy="84" rx="22" ry="4" fill="#ffffff" fill-opacity="0.45"/>
<rect x="0" y="98" width="133" height="35" fill="url(#sea)"/>
<path d="M0,104 Q10,102 20,104 T40,104 T60,104 T80,104 T100,104 T120,104 T140,104 M0,114 Q12,112 24,114 T48,114 T72,114 T96,114 T120,114 T144,114" stroke="#ffffff" stroke-opacity="0.3" stroke-width="1" fill="none"/>
<path d="M96,92 L118,92 L114,98 L99,98 Z M104,92 V84 H110 V92" fill="#5a6470" stroke="#2a3038" stroke-width="0.6"/>
{semaphore_flag(36, 40, 21, -128, -1)}
{semaphore_flag(97, 40, 21, -52, 1)}
<path d="M50,72 L36,40" stroke="#070f30" stroke-width="11.5" stroke-linecap="round"/>
<path d="M50,72 L36,40" stroke="url(#sleeve)" stroke-width="10" stroke-linecap="round"/>
<path d="M83,72 L97,40" stroke="#070f30" stroke-width="11.5" stroke-linecap="round"/>
<path d="M83,72 L97,40" stroke="url(#sleeve)" stroke-width="10" stroke-linecap="round"/>
<path d="M40.6,47.5 L35.2,49.8 M92.4,47.5 L97.8,49.8 M41.6,49.8 L36.2,52.1 M91.4,49.8 L96.8,52.1" stroke="#ffffff" stroke-width="1.2"/>
<circle cx="36" cy="38.5" r="5" fill="url(#skin)" stroke="#8a5a30" stroke-width="0.6"/>
<circle cx="97" cy="38.5" r="5" fill="url(#skin)" stroke="#8a5a30" stroke-width="0.6"/>
<path d="M38,133 L40,76 C42,66 50,62 58,61 H75 C83,62 91,66 93,76 L95,133 Z" fill="url(#jumper)" stroke="#060c28" stroke-width="0.8"/>
<path d="M50,61 L66,86 L83,61 L88,64 L66,96 L45,64 Z" fill="#1a3480" stroke="#ffffff" stroke-width="0"/>
<path d="M47,62.5 L66,91 L86,62.5" stroke="#ffffff" stroke-width="1.2" fill="none"/>
<path d="M44.5,64 L66,95.5 L88.5,64" stroke="#ffffff" stroke-width="1.2" fill="none"/>
<path d="M55,61 L66,78 L78,61 Z" fill="#f4f4f4"/>
<path d="M56.5,61 L66,74.5 L76.5,61" stroke="#2a4a9a" stroke-width="1.2" fill="none"/>
<path d="M62,84 L66,80 L70,84 L68,96 L66,92 L64,96 Z" fill="#111111"/>
<path d="M40,112 H93" stroke="#0a1234" stroke-width="0.8" stroke-opacity="0.6"/>
<rect x="58" y="52" width="16" height="11" fill="#e6ae80"/>
<ellipse cx="66" cy="41" rx="12.5" ry="14" fill="url(#skin)" stroke="#a0704a" stroke-width="0.6"/>
<ellipse cx="53.6" cy="42" rx="2.2" ry="3.4" fill="#eab286" stroke="#a0704a" stroke-width="0.5"/>
<ellipse cx="78.4" cy="42" rx="2.2" ry="3.4" fill="#d89a6a" stroke="#a0704a" stroke-width="0.5"/>
<path d="M54,36 C54,28 59,26 66,26 C73,26 78,28 78,36 C76,32 72,31 66,31.5 C60,31 56,32 54,36 Z" fill="#5a3a1e"/>
<path d="M49.5,29 C50,22 56,17 66,17 C76,17 82,22 82.5,29 Z" fill="url(#cap)" stroke="#8a96a8" stroke-width="0.7"/>
<path d="M47.5,29.5 Q66,25 84.5,29.5 Q86,31 84.5,32.5 Q66,28 47.5,32.5 Q46,31 47.5,29.5 Z" fill="#ffffff" stroke="#8a96a8" stroke-width="0.7"/>
<path d="M60.5,41 Q62,39.8 63.5,41 M68.5,41 Q70,39.8 71.5,41" stroke="#3a2410" stroke-width="1" fill="none" stroke-linecap="round"/>
<circle cx="62" cy="41.8" r="1.1" fill="#2a1a0a"/>
<circle cx="70" cy="41.8" r="1.1" fill="#2a1a0a"/>
<path d="M59.5,38.3 Q62,37 64,38 M68,38 Q70,37 72.5,38.3" stroke="#5a3a1e" stroke-width="0.9" fill="none" stroke-linecap="round"/>
<path d="M66,42 Q65,46 64.5,47 Q66,48 67.5,47.3" stroke="#b07a50" stroke-width="0.8" fill="none"/>
<path d="M61.5,50 Q66,53 70.5,50" stroke="#8a3a2a" stroke-width="1" fill="none" stroke-linecap="round"/>
<circle cx="58.5" cy="47" r="2.2" fill="#ff8a7a" fill-opacity="0.3"/>
<circle cx="73.5" cy="47" r="2.2" fill="#ff8a7a" fill-opacity="0.3"/>
"""
    return svg(133, 133, body, defs)



def make_pictures():
    write("pictures/mers.svg", pic_mers())
    write("pictures/smorse.svg", pic_smorse())
    write("pictures/caesar.svg", pic_caesar())
    write("pictures/polybe.svg", pic_polybe())
    write("pictures/gato.svg", pic_gato())
    write("pictures/semaphore.svg", pic_semaphore())


def main():
    make_pictures()
    make_banners()
    make_nav()
    make_commands()
    make_icons()
    make_cursors()


if __name__ == "__main__":
    main()
