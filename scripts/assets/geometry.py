"""Geometry helpers: polygon clipping and the Union flag."""

import math

from .svgdoc import n, poly


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
