"""Numbers and SVG boilerplate shared by every drawing."""


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
