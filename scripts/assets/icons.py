"""Window icons, 32 x 32, on a transparent background."""

import math

from .svgdoc import lin, n, rad, svg


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
