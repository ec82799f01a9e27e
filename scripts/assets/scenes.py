"""Section pictures, 133 x 133: the naval ensign, the kitten and the sailor with flags."""

from .geometry import union_flag
from .lettering import SERIF_BOLD, font
from .svgdoc import lin, n, poly, rad, svg


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
