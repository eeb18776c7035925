"""Vector paths that can be bent and moved before they are drawn, plus fill
helpers and text set from font outlines.

A Path is a list of segments in local coordinates; `map` sends every point
(control points too) through a function, which is how fish bodies bend and
whole blenders turn over.
"""
import math
import os

import cairo

INK = (34, 38, 58)

KAPPA = 0.5522847498


class Path:
    def __init__(self, segs=None):
        self.segs = list(segs or [])

    def M(self, x, y):
        self.segs.append(("M", (x, y)))
        return self

    def L(self, x, y):
        self.segs.append(("L", (x, y)))
        return self

    def C(self, x1, y1, x2, y2, x3, y3):
        self.segs.append(("C", (x1, y1), (x2, y2), (x3, y3)))
        return self

    def Z(self):
        self.segs.append(("Z",))
        return self

    def extend(self, other):
        self.segs.extend(other.segs)
        return self

    def map(self, fn):
        return Path([(s[0],) + tuple(fn(*p) for p in s[1:]) for s in self.segs])

    def moved(self, dx, dy):
        return self.map(lambda x, y: (x + dx, y + dy))

    def scaled(self, sx, sy=None, cx=0.0, cy=0.0):
        sy = sx if sy is None else sy
        return self.map(lambda x, y: (cx + (x - cx) * sx, cy + (y - cy) * sy))

    def rotated(self, angle, cx=0.0, cy=0.0):
        return self.map(rotator(angle, cx, cy))

    def emit(self, ctx):
        for s in self.segs:
            if s[0] == "M":
                ctx.move_to(*s[1])
            elif s[0] == "L":
                ctx.line_to(*s[1])
            elif s[0] == "C":
                ctx.curve_to(*s[1], *s[2], *s[3])
            else:
                ctx.close_path()


def rotator(angle, cx=0.0, cy=0.0):
    c, s = math.cos(angle), math.sin(angle)
    return lambda x, y: (cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)


def ellipse(cx, cy, rx, ry):
    kx, ky = rx * KAPPA, ry * KAPPA
    return (Path().M(cx + rx, cy)
            .C(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry)
            .C(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy)
            .C(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry)
            .C(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy).Z())


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(points, closed=True):
    p = Path().M(*points[0])
    for pt in points[1:]:
        p.L(*pt)
    return p.Z() if closed else p


def smooth(points, closed=True, tension=1.0):
    """A smooth curve through the points (Catmull-Rom turned into Beziers)."""
    n = len(points)
    p = Path().M(*points[0])
    count = n if closed else n - 1
    for i in range(count):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[i]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[(i + 1) % n]
        t = tension / 6.0
        c1 = (p1[0] + (p2[0] - p0[0]) * t, p1[1] + (p2[1] - p0[1]) * t)
        c2 = (p2[0] - (p3[0] - p1[0]) * t, p2[1] - (p3[1] - p1[1]) * t)
        p.C(*c1, *c2, *p2)
    return p.Z() if closed else p


def rounded_rect(x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    k = r * (1 - KAPPA)
    return (Path().M(x + r, y).L(x + w - r, y).C(x + w - k, y, x + w, y + k, x + w, y + r)
            .L(x + w, y + h - r).C(x + w, y + h - k, x + w - k, y + h, x + w - r, y + h)
            .L(x + r, y + h).C(x + k, y + h, x, y + h - k, x, y + h - r)
            .L(x, y + r).C(x, y + k, x + k, y, x + r, y).Z())


# ---- painting ----------------------------------------------------------------

def rgb(c, a=1.0):
    return (c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, a)


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def linear(x0, y0, x1, y1, stops):
    g = cairo.LinearGradient(x0, y0, x1, y1)
    for off, c in stops:
        g.add_color_stop_rgba(off, *rgb(c, c[3] / 255.0 if len(c) > 3 else 1.0))
    return g


def radial(cx, cy, r, stops, fx=None, fy=None):
    g = cairo.RadialGradient(cx if fx is None else fx, cy if fy is None else fy, 0, cx, cy, r)
    for off, c in stops:
        g.add_color_stop_rgba(off, *rgb(c, c[3] / 255.0 if len(c) > 3 else 1.0))
    return g


def fill(ctx, path, paint, alpha=1.0):
    ctx.new_path()
    path.emit(ctx)
    if isinstance(paint, tuple):
        ctx.set_source_rgba(*rgb(paint, alpha))
    else:
        ctx.set_source(paint)
    ctx.fill()


def stroke(ctx, path, colour=INK, width=2.0, alpha=1.0):
    ctx.new_path()
    path.emit(ctx)
    ctx.set_source_rgba(*rgb(colour, alpha))
    ctx.set_line_width(width)
    ctx.stroke()


def paint(ctx, path, paint_, width=2.0, colour=INK):
    """Fill and outline, the house style."""
    fill(ctx, path, paint_)
    stroke(ctx, path, colour, width)


class clip_to:
    """Context manager: drawing inside it is clipped to the path."""

    def __init__(self, ctx, path):
        self.ctx, self.path = ctx, path

    def __enter__(self):
        self.ctx.save()
        self.ctx.new_path()
        self.path.emit(self.ctx)
        self.ctx.clip()
        return self.ctx

    def __exit__(self, *exc):
        self.ctx.restore()
        return False


# ---- text from font outlines -------------------------------------------------

FONT_DIRS = ["/usr/share/fonts/truetype"]
FONTS = {
    "logo": ("leckerli-one", "LeckerliOne-Regular.ttf", "fonts-leckerli-one"),
    "bold": ("dejavu", "DejaVuSans-Bold.ttf", "fonts-dejavu-core"),
    "mono": ("dejavu", "DejaVuSansMono-Bold.ttf", "fonts-dejavu-core"),
}
_loaded = {}


class MissingFont(RuntimeError):
    pass


def font(name):
    """The named font's outlines; refuses to go on without the real file."""
    if name not in _loaded:
        folder, filename, package = FONTS[name]
        path = os.path.join(FONT_DIRS[0], folder, filename)
        if not os.path.isfile(path):
            raise MissingFont("font file %s is missing: install the Debian package %s" % (path, package))
        from fontTools.ttLib import TTFont

        tt = TTFont(path)
        _loaded[name] = (tt, tt.getGlyphSet(), tt.getBestCmap(), tt["head"].unitsPerEm)
    return _loaded[name]


class _PathPen:
    def __init__(self, glyphset, fn):
        from fontTools.pens.basePen import BasePen

        outer = self

        class Pen(BasePen):
            def _moveTo(self, p):
                outer.path.M(*fn(*p))

            def _lineTo(self, p):
                outer.path.L(*fn(*p))

            def _curveToOne(self, p1, p2, p3):
                outer.path.C(*fn(*p1), *fn(*p2), *fn(*p3))

            def _closePath(self):
                outer.path.Z()

        self.path = Path()
        self.pen = Pen(glyphset)


def glyphs(name, text, size):
    """(path, advance) of each character, origin on the baseline at x 0, y down."""
    tt, gs, cmap, upem = font(name)
    k = size / upem
    out = []
    for ch in text:
        gname = cmap.get(ord(ch))
        if gname is None:
            raise MissingFont("font %s has no glyph for %r" % (name, ch))
        pp = _PathPen(gs, lambda x, y: (x * k, -y * k))
        gs[gname].draw(pp.pen)
        out.append((pp.path, gs[gname].width * k))
    return out


def text_width(name, text, size, spacing=0.0):
    return sum(adv for _, adv in glyphs(name, text, size)) + spacing * max(0, len(text) - 1)


def text_path(name, text, size, x, y, spacing=0.0, align="left"):
    """One path for a line of text with its baseline at y."""
    gl = glyphs(name, text, size)
    width = sum(adv for _, adv in gl) + spacing * max(0, len(text) - 1)
    if align == "center":
        x -= width / 2
    elif align == "right":
        x -= width
    p = Path()
    for path, adv in gl:
        p.extend(path.moved(x, y))
        x += adv + spacing
    return p
