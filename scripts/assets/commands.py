"""Command icons, 61 x 61, each on a blue square."""

import math

from .svgdoc import lin, n, rad, svg


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
