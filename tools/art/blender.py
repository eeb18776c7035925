"""The blender, drawn upright in window coordinates and turned with cairo's
own transform when it tips over.

Upright geometry: the lid from y 38 to 72, the glass jar from the rim at y 70
down to y 372, the threaded collar, and the base standing on the counter
with its feet at y 466. The fish swims in the jar's water between y 200 and
285 and sinks onto the blades at y 365.
"""
import math

import cairo
import numpy as np

from shapes import (INK, Path, circle, clip_to, ellipse, fill, linear, paint, polygon, radial, rgb,
                    rounded_rect, smooth, stroke)

PIVOT = (320.0, 263.0)          # turning about this point puts the rim at y 456 upside down
WATER_LINE = 96.0

GLASS = (214, 238, 246)
GLASS_EDGE = (168, 212, 228)
SHINE = (244, 252, 255)
CHARCOAL = (62, 68, 82)
CHARCOAL_LIGHT = (104, 112, 130)
STEEL = (206, 214, 224)
STEEL_DARK = (140, 150, 166)
CHERRY = (214, 50, 48)
CHERRY_DARK = (158, 28, 34)
CHERRY_LIGHT = (240, 104, 90)
CREAM = (252, 244, 222)

FLUIDS = {
    "water": dict(top=(168, 230, 244), bottom=(64, 156, 214), surface=(214, 246, 252), line=(44, 118, 178),
                  swirl=(236, 250, 255), funnel=(220, 244, 250), bubble=(240, 252, 255)),
    "blood": dict(top=(222, 52, 44), bottom=(118, 12, 24), surface=(240, 108, 96), line=(96, 10, 20),
                  swirl=(246, 132, 116), funnel=(236, 120, 104), bubble=(246, 146, 130)),
    "goo": dict(top=(232, 104, 100), bottom=(172, 44, 54), surface=(246, 150, 136), line=(120, 24, 36),
                swirl=(250, 170, 150), funnel=(240, 150, 130), bubble=(252, 178, 160)),
}


# ---- geometry (upright) ------------------------------------------------------

def jar_outer():
    return (Path().M(150, 70).L(490, 70).C(492, 70, 493, 72, 493, 74)
            .L(452, 366).C(451, 370, 449, 372, 446, 372).L(194, 372).C(191, 372, 189, 370, 188, 366)
            .L(147, 74).C(147, 72, 148, 70, 150, 70).Z())


def jar_inner():
    return Path().M(156, 76).L(484, 76).L(445, 366).L(195, 366).Z()


def spout():
    return smooth([(150, 71), (134, 66), (128, 72), (136, 80), (150, 86)], closed=False).L(150, 71).Z()


def handle():
    outer = smooth([(480, 100), (528, 96), (548, 118), (544, 250), (520, 300), (462, 318)], closed=False)
    outer.L(466, 284).C(496, 276, 510, 258, 512, 236).L(514, 134).C(512, 128, 506, 126, 486, 130).Z()
    return outer


def lid():
    ring = rounded_rect(140, 52, 360, 22, 8)
    cap = rounded_rect(282, 36, 76, 20, 7)
    return ring, cap


def base():
    body = Path().M(204, 390).L(436, 390).C(446, 390, 452, 396, 454, 404).L(466, 450)
    body.C(468, 458, 462, 462, 454, 462).L(186, 462).C(178, 462, 172, 458, 174, 450).L(186, 404)
    body.C(188, 396, 194, 390, 204, 390).Z()
    return body


def collar():
    return rounded_rect(192, 364, 256, 30, 6)


def water_area(level):
    return polygon([(0, level), (640, level), (640, 480), (0, 480)])


# ---- painting ----------------------------------------------------------------

def transform(ctx, angle=0.0, offset=(0.0, 0.0)):
    ctx.translate(*PIVOT)
    ctx.rotate(angle)
    ctx.translate(-PIVOT[0] + offset[0], -PIVOT[1] + offset[1])


def interior_rows(angle):
    """Coverage of the jar's inside per screen row, for the blender turned by `angle`."""
    s = cairo.ImageSurface(cairo.FORMAT_A8, 640, 960)
    ctx = cairo.Context(s)
    ctx.translate(0, 240)
    transform(ctx, angle)
    jar_inner().emit(ctx)
    ctx.fill()
    s.flush()
    a = np.frombuffer(s.get_data(), np.uint8).reshape(960, s.get_stride())[:, :640].astype(np.float64) / 255.0
    return a.sum(axis=1), 240


def level_for(angle, area):
    """Screen row above which the jar holds no water, keeping `area` pixels of water."""
    rows, off = interior_rows(angle)
    below = np.cumsum(rows[::-1])[::-1]          # below[i] = water area from row i down
    i = int(np.searchsorted(-below, -area))      # first row whose remaining area drops under `area`
    i = max(1, min(i, len(rows) - 1))
    extra = (below[i - 1] - area) / max(rows[i - 1], 1e-9)
    return i - 1 + extra - off


def upright_water_area():
    rows, off = interior_rows(0.0)
    y = int(WATER_LINE) + off
    return rows[y:].sum()


def draw_glass(ctx, fluid=None, level=None, inside=None, shine=True, drops=False, goo_bits=False, blades=None):
    """The jar: glass walls, the fluid filling it below `level` (a screen row), the blades (`blades` is the
    blur's turn, None for still blades) and the glints on the glass."""
    outer, inner = jar_outer(), jar_inner()
    ctx.new_path()
    outer.emit(ctx)
    inner.emit(ctx)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.set_source_rgba(*rgb(GLASS))
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    paint(ctx, spout(), GLASS, 2.6)

    if fluid:
        draw_fluid(ctx, fluid, level, inside, goo_bits)
    if drops:
        with clip_to(ctx, inner):
            for (x, y, r) in [(214, 150, 3.2), (402, 128, 2.6), (250, 300, 2.8), (420, 262, 3.4), (300, 112, 2.2),
                              (380, 340, 2.4), (196, 230, 2.4)]:
                paint(ctx, ellipse(x, y, r * 0.8, r), (186, 228, 246), 1.2)
    draw_blades(ctx, blur=blades)
    if shine:
        with clip_to(ctx, outer):
            fill(ctx, polygon([(170, 84), (180, 84), (214, 356), (206, 356)]), SHINE)
            fill(ctx, polygon([(188, 84), (192, 84), (224, 340), (221, 340)]), SHINE)
            fill(ctx, polygon([(462, 90), (467, 90), (436, 330), (432, 330)]), SHINE)
    for i in range(5):
        y = 130 + i * 50
        x = 151 + (y - 76) * (39.0 / 290.0) + 5
        stroke(ctx, Path().M(x, y).L(x + 14 - (i % 2) * 6, y), GLASS_EDGE, 2.2)
    stroke(ctx, outer, INK, 3.0)
    stroke(ctx, inner, GLASS_EDGE, 1.6)


def draw_fluid(ctx, fluid, level, inside=None, goo_bits=False):
    """The jar's contents below the screen row `level`, whichever way the jar is turned;
    `inside(ctx, colours)` adds swirls or bubbles in window coordinates."""
    col = FLUIDS[fluid]
    inner = jar_inner()
    with clip_to(ctx, inner):
        m = ctx.get_matrix()
        ctx.identity_matrix()
        area = goo_surface(level) if fluid == "goo" else water_area(level)
        with clip_to(ctx, area):
            ctx.set_source(linear(0, level, 0, level + 300, [(0, col["top"]), (1, col["bottom"])]))
            ctx.paint()
            if inside is not None:
                inside(ctx, col)
        if fluid == "goo":
            stroke(ctx, goo_surface(level, closed=False), col["line"], 2.4)
        else:
            fill(ctx, polygon([(0, level - 0.5), (640, level - 0.5), (640, level + 5), (0, level + 5)]), col["surface"])
            stroke(ctx, Path().M(0, level).L(640, level), col["line"], 2.2)
        ctx.set_matrix(m)
        if goo_bits:
            draw_goo_bits(ctx)


def goo_surface(level, closed=True):
    pts = [(140, level + 2), (190, level - 4), (232, level + 5), (276, level - 3), (318, level + 6), (362, level - 4),
           (404, level + 4), (446, level - 3), (500, level + 3)]
    p = smooth(pts, closed=False)
    if closed:
        p.L(640, level).L(640, 480).L(0, 480).L(0, level).Z()
    return p


def draw_blades(ctx, blur=None):
    if blur is None:
        for sx, tip in ((-1, (262, 346)), (1, (378, 346))):
            paint(ctx, polygon([(320, 356), tip, (tip[0] - sx * 4, tip[1] + 8)]), STEEL, 2.0)
        for sx, tip in ((-1, (276, 366)), (1, (364, 366))):
            paint(ctx, polygon([(320, 358), tip, (tip[0] + sx * 2, tip[1] - 7)]), STEEL_DARK, 2.0)
    else:
        paint(ctx, ellipse(320, 356, 66, 10), (196, 206, 218, 150), 2.0)
        for i in range(3):
            a0 = blur + i * 2.1
            ctx.new_path()
            ctx.save()
            ctx.translate(320, 356)
            ctx.scale(1.0, 0.15)
            ctx.arc(0, 0, 58 - i * 14, a0, a0 + 1.6)
            ctx.restore()
            ctx.set_source_rgba(*rgb((248, 250, 255)))
            ctx.set_line_width(2.0)
            ctx.stroke()
    paint(ctx, ellipse(320, 358, 12, 7), STEEL, 2.0)
    paint(ctx, ellipse(320, 353, 5, 4), STEEL_DARK, 1.6)


def draw_goo_bits(ctx):
    """Lumps, bubbles and a fish skeleton in the goo."""
    inner = jar_inner()
    with clip_to(ctx, inner):
        for (x, y, r) in [(220, 180, 9), (400, 210, 12), (260, 300, 10), (372, 320, 8), (300, 150, 7), (430, 150, 8)]:
            fill(ctx, ellipse(x, y, r * 1.3, r), (190, 56, 62))
            fill(ctx, ellipse(x - r * 0.3, y - r * 0.3, r * 0.4, r * 0.25), (250, 160, 150))
        for (x, y, r) in [(200, 130, 5), (246, 230, 4), (418, 270, 6), (350, 130, 4), (300, 340, 5), (440, 330, 4)]:
            paint(ctx, circle(x, y, r), (252, 184, 166), 1.4, (150, 40, 50))
            fill(ctx, circle(x - r * 0.35, y - r * 0.35, r * 0.3), (255, 235, 225))
        bone = (250, 244, 230)
        cx, cy = 330, 250
        spine = Path().M(cx - 44, cy).L(cx + 40, cy)
        stroke(ctx, spine, INK, 7)
        for i in range(6):
            x = cx - 30 + i * 12
            rib = Path().M(x, cy - 14 + i).C(x - 3, cy - 5, x - 3, cy + 5, x, cy + 14 - i)
            stroke(ctx, rib, INK, 6)
            stroke(ctx, rib, bone, 2.6)
        stroke(ctx, spine, bone, 3.6)
        tail = polygon([(cx + 38, cy), (cx + 58, cy - 14), (cx + 54, cy), (cx + 58, cy + 14)])
        paint(ctx, tail, bone, 2.2)
        head = smooth([(cx - 40, cy - 14), (cx - 62, cy - 6), (cx - 66, cy + 2), (cx - 58, cy + 10), (cx - 40, cy + 13)])
        paint(ctx, head, bone, 2.4)
        for dx in (-2, 2):
            stroke(ctx, Path().M(cx - 56 + dx, cy - 5).L(cx - 52 + dx, cy - 1), INK, 2.0)
            stroke(ctx, Path().M(cx - 56 + dx, cy - 1).L(cx - 52 + dx, cy - 5), INK, 2.0)


def draw_handle(ctx):
    h = handle()
    fill(ctx, h, linear(480, 0, 548, 0, [(0, CHARCOAL), (0.6, CHARCOAL_LIGHT), (1, CHARCOAL)]))
    stroke(ctx, h, INK, 3.0)


def draw_lid(ctx):
    ring, cap = lid()
    paint(ctx, cap, linear(0, 36, 0, 56, [(0, CHARCOAL_LIGHT), (1, CHARCOAL)]), 3.0)
    paint(ctx, ring, linear(0, 52, 0, 74, [(0, CHARCOAL_LIGHT), (1, CHARCOAL)]), 3.0)
    fill(ctx, rounded_rect(152, 56, 200, 4, 2), (150, 158, 176))
    fill(ctx, rounded_rect(292, 40, 30, 3, 1.5), (150, 158, 176))


def draw_base(ctx, dial=0.0, lamp=False, offset=(0, 0)):
    ctx.save()
    ctx.translate(*offset)
    for x in (196, 444):
        paint(ctx, rounded_rect(x - 14, 456, 28, 10, 4), CHARCOAL, 2.4)
    c = collar()
    paint(ctx, c, linear(0, 364, 0, 394, [(0, CHARCOAL_LIGHT), (1, CHARCOAL)]), 3.0)
    for i in range(1, 6):
        stroke(ctx, Path().M(198, 364 + i * 5).L(442, 364 + i * 5), INK, 1.2, 0.5)
    b = base()
    fill(ctx, b, linear(0, 390, 0, 462, [(0, CHERRY_LIGHT), (0.35, CHERRY), (1, CHERRY_DARK)]))
    with clip_to(ctx, b):
        fill(ctx, polygon([(170, 390), (470, 390), (470, 402), (170, 402)]), STEEL)
        stroke(ctx, Path().M(170, 402).L(470, 402), STEEL_DARK, 2)
        fill(ctx, polygon([(196, 410), (212, 410), (200, 456), (188, 456)]), CHERRY_LIGHT)
    stroke(ctx, b, INK, 3.0)
    # two buttons on each side of the speed dial
    for i, x in enumerate((222, 256, 384, 418)):
        top = (120, 204, 120) if i == 0 else ((250, 206, 74) if i == 3 else CREAM)
        pressed = lamp and i == 0
        paint(ctx, rounded_rect(x - 13, 420 + (3 if pressed else 0), 26, 22 - (3 if pressed else 0), 6), CREAM, 2.4)
        fill(ctx, rounded_rect(x - 9, 423 + (3 if pressed else 0), 18, 6, 3), top)
    paint(ctx, circle(320, 428, 26), radial(312, 420, 30, [(0, (252, 254, 255)), (1, STEEL_DARK)]), 2.8)
    for i in range(11):
        a = math.radians(135 + 27 * i)
        stroke(ctx, Path().M(320 + 20 * math.cos(a), 428 + 20 * math.sin(a)).L(320 + 24 * math.cos(a), 428 + 24 * math.sin(a)),
               INK, 1.6)
    a = math.radians(135 + 270 * dial)
    paint(ctx, polygon([(320 + 18 * math.cos(a), 428 + 18 * math.sin(a)),
                        (320 + 4 * math.cos(a + 1.6), 428 + 4 * math.sin(a + 1.6)),
                        (320 + 4 * math.cos(a - 1.6), 428 + 4 * math.sin(a - 1.6))]), CHERRY, 1.6)
    paint(ctx, circle(320, 428, 5), STEEL, 1.6)
    paint(ctx, circle(452, 412, 4.5), (255, 90, 60) if lamp else (110, 40, 40), 1.6)
    ctx.restore()
