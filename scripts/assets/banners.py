"""Product name lettering, the main banner, the about window's banner and logo."""

from .lettering import SANS_BOLD, SANS_BOLD_OBLIQUE, SCRIPT_FONT, SERIF_BOLD, font
from .svgdoc import lin, n, rad, svg


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
