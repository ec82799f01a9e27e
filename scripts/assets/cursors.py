"""Cursors, 32 x 32: white gloved hands, black outline, blue accents."""

from .commands import prohibition
from .svgdoc import n, svg


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
