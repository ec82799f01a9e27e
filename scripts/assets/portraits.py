"""Section pictures, 133 x 133: the three portraits (Morse, Caesar, Polybius)."""

import math

from .svgdoc import lin, n, rad, svg


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
