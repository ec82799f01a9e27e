"""Navigation plates, 123 x 40: dark-blue plate, yellow border, green handwriting."""

from .lettering import SCRIPT_FONT, font
from .svgdoc import lin, svg


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
