"""Dorode, the fish: a side view that can swim, bend and flop, and a front
view that can look at the player, panic, give up or turn into an angel.

Side-view coordinates: the fish faces left, u runs from the nose (0) to the
tail tip (about 100), v is the height, 0 on the spine, growing downwards.
Front-view coordinates: the body's centre is (0, 0).
"""
import math

from shapes import (INK, Path, circle, clip_to, ellipse, fill, linear, paint, radial, rotator,
                    smooth, stroke)

ORANGE = (250, 146, 44)
ORANGE_DARK = (222, 96, 30)
ORANGE_LIGHT = (255, 184, 84)
BELLY = (255, 226, 150)
FIN = (255, 118, 58)
FIN_LIGHT = (255, 178, 98)
WHITE = (255, 255, 255)
BLUSH = (255, 132, 96)
MOUTH = (120, 34, 30)
TONGUE = (240, 104, 84)
SWEAT = (196, 234, 255)

LINE = 2.4


# ---- warps -------------------------------------------------------------------

def bend(kappa, centre=45.0):
    """Curls the fish along its spine: kappa > 0 lifts both ends, < 0 arches the back."""
    if abs(kappa) < 1e-9:
        return lambda u, v: (u, v)
    r = 1.0 / kappa

    def fn(u, v):
        a = (u - centre) / r
        return centre + (r + v) * math.sin(a), -r + (r + v) * math.cos(a)
    return fn


def wave(phase, amp):
    """The swimming undulation, growing towards the tail."""
    return lambda u, v: (u, v + amp * math.sin(phase - u * 0.05) * (max(u, 0.0) / 100.0) ** 2)


def chain(*fns):
    def fn(u, v):
        for f in fns:
            u, v = f(u, v)
        return u, v
    return fn


def place(x, y, angle=0.0, mirror=False, scale=1.0, pivot=(50.0, 0.0)):
    """From side-view coordinates to frame coordinates, turning about the pivot."""
    rot = rotator(angle, *pivot)

    def fn(u, v):
        u, v = rot(u, v)
        u, v = (u - pivot[0]) * scale, (v - pivot[1]) * scale
        return (x - u if mirror else x + u), y + v
    return fn


# ---- side view ---------------------------------------------------------------

BODY = [(0, 2), (3, -8), (10, -18), (22, -26), (38, -28), (54, -22), (66, -12), (72, -4),
        (72, 5), (64, 13), (52, 21), (36, 25), (20, 22), (8, 15), (2, 9)]


def side_parts(phase=0.0, tail=0.0, fin=0.0):
    """The side view's shapes in local coordinates, for one moment of the cycle."""
    tail_rot = rotator(tail, 68, 0)
    t = smooth([(66, -6), (80, -17), (99, -29), (95, -12), (88, 0), (95, 12), (99, 29), (80, 17), (66, 6)])
    dorsal = smooth([(22, -24), (28, -36), (44, -42 + 2 * math.sin(phase)), (58, -34 + 2 * math.sin(phase - 0.6)),
                     (64, -15), (44, -24)])
    tuft = smooth([(12, -18), (6, -28), (10, -37), (18, -38), (20, -31), (15, -29), (17, -23)])
    pect = smooth([(33, 5), (45, 5), (55, 11), (50, 15), (38, 12)]).rotated(fin, 34, 8)
    anal = smooth([(46, 20), (56, 32), (66, 29), (66, 14)])
    return {
        "tail": t.map(tail_rot),
        "tail_rays": [Path().M(70, 0).L(*tail_rot(94, k * 9)) for k in (-2, -1, 1, 2)],
        "dorsal": dorsal,
        "tuft": tuft,
        "pect": pect,
        "anal": anal,
        "body": smooth(BODY),
    }


def draw_side(ctx, warp, phase=0.0, tail=0.0, fin=0.0, mood="normal", colours=None):
    """Draws the side view through `warp` (local -> frame coordinates)."""
    col = dict(body=ORANGE, dark=ORANGE_DARK, light=ORANGE_LIGHT, belly=BELLY, fin=FIN, fin_light=FIN_LIGHT)
    col.update(colours or {})
    parts = side_parts(phase, tail, fin)
    w = lambda p: p.map(warp)
    _, ty = warp(36, -30)
    _, by = warp(36, 26)

    for name in ("tail", "dorsal", "anal", "tuft"):
        p = w(parts[name])
        x0, y0 = warp(60, -40)
        x1, y1 = warp(60, 30)
        paint(ctx, p, linear(x0, y0, x1, y1, [(0, col["fin_light"]), (1, col["fin"])]), LINE)
    for ray in parts["tail_rays"]:
        stroke(ctx, w(ray), col["dark"], 1.2, 0.6)

    body = w(parts["body"])
    x0, _ = warp(36, 0)
    fill(ctx, body, linear(x0, ty, x0, by, [(0, col["dark"]), (0.35, col["body"]), (0.7, col["light"]), (1, col["belly"])]))
    with clip_to(ctx, body):
        for row, (v0, u0) in enumerate([(-14, 38), (-4, 42), (6, 38)]):
            for k in range(3):
                u = u0 + k * 8 + (row % 2) * 4
                arc = Path().M(u, v0 - 4).C(u + 4, v0 - 2, u + 4, v0 + 2, u, v0 + 4)
                stroke(ctx, w(arc), col["dark"], 1.3, 0.45)
        gill = Path().M(30, -16).C(35, -6, 35, 6, 30, 16)
        stroke(ctx, w(gill), col["dark"], 1.6, 0.7)
        fill(ctx, w(ellipse(23, 9, 5.5, 3.2)), BLUSH, 0.55)
        fill(ctx, w(ellipse(30, -19, 12, 3.5)), WHITE, 0.35)
    stroke(ctx, body, INK, LINE)

    pect = w(parts["pect"])
    x0, y0 = warp(34, 4)
    x1, y1 = warp(54, 16)
    paint(ctx, pect, linear(x0, y0, x1, y1, [(0, col["fin_light"]), (1, col["fin"])]), 2.0)
    rot = rotator(fin, 34, 8)
    for k in (-1, 1):
        stroke(ctx, w(Path().M(*rot(37, 9)).L(*rot(50, 10 + 2.5 * k))), col["dark"], 1.1, 0.6)

    draw_side_face(ctx, w, mood)


def draw_side_face(ctx, w, mood):
    if mood == "happy":
        stroke(ctx, w(Path().M(8, -5).C(10, -14, 21, -14, 23, -5)), INK, 2.8)
        stroke(ctx, w(Path().M(8, -19).C(12, -24, 19, -24, 24, -21)), INK, 2.2)
        grin = Path().M(1, 6).C(5, 14, 12, 15, 16, 9).C(10, 10, 5, 9, 1, 6).Z()
        paint(ctx, w(grin), MOUTH, 1.6)
    elif mood == "gasp":
        paint(ctx, w(ellipse(16, -7, 9.5, 10.5)), WHITE, 2.0)
        fill(ctx, w(circle(15, -6, 3.4)), INK)
        fill(ctx, w(circle(13.8, -7.5, 1.2)), WHITE)
        stroke(ctx, w(Path().M(8, -22).C(12, -25, 18, -25, 23, -20)), INK, 2.2)
        paint(ctx, w(ellipse(6, 9, 4.5, 5.5)), MOUTH, 1.6)
    else:
        paint(ctx, w(ellipse(16, -7, 8.5, 9.5)), WHITE, 2.0)
        fill(ctx, w(circle(13.2, -5.6, 4.8)), INK)
        fill(ctx, w(circle(11.6, -8, 1.8)), WHITE)
        fill(ctx, w(circle(15, -3.5, 0.9)), WHITE)
        stroke(ctx, w(Path().M(8, -19).C(12, -23, 19, -24, 24, -22)), INK, 2.2)
        smile = Path().M(2, 6).C(5, 11, 10, 12, 14, 8)
        stroke(ctx, w(smile), INK, 2.0)


def swim_frame(ctx, k, frames=8, mirror=False):
    """Frame k of the swimming cycle, facing left (or right when mirrored)."""
    ph = 2 * math.pi * k / frames
    warp = chain(wave(ph, 3.5), place(57.5, 47 + 1.5 * math.sin(ph), mirror=mirror, scale=0.9))
    draw_side(ctx, warp, phase=ph, tail=0.32 * math.sin(ph - 1.0), fin=0.35 * math.sin(ph))


# ---- front view --------------------------------------------------------------

FRONT_BODY = [(0, -33), (19, -30), (30, -13), (29, 8), (20, 26), (0, 33), (-20, 26), (-29, 8), (-30, -13), (-19, -30)]


def front_fins(flap):
    """Left and right pectoral fins, pointing outwards, raised by `flap` radians."""
    base = smooth([(26, 4), (38, -2), (47, 6), (44, 15), (32, 16)])
    right = base.rotated(-flap, 27, 9)
    left = right.map(lambda x, y: (-x, y))
    return left, right


def open_mouth(ctx, T, mouth, tongue):
    paint(ctx, T(mouth), MOUTH, 1.8)
    with clip_to(ctx, T(mouth)):
        fill(ctx, T(tongue), TONGUE)


def draw_front(ctx, cx, cy, k=0, frames=8, look=(0.0, 0.0), mood="normal", scale=1.0, jitter=(0, 0),
               colours=None, fins=None, tail_sway=None, line=LINE):
    """The front view centred at (cx, cy). mood: normal, blink, panic, giveup, angel."""
    col = dict(body=ORANGE, dark=ORANGE_DARK, light=ORANGE_LIGHT, belly=BELLY, fin=FIN, fin_light=FIN_LIGHT,
               ink=INK)
    col.update(colours or {})
    ph = 2 * math.pi * k / frames
    ox, oy = cx + jitter[0], cy + jitter[1]
    T = lambda p: p.map(lambda x, y: (ox + x * scale, oy + y * scale))
    ink = col["ink"]

    sway = 5 * math.sin(ph) if tail_sway is None else tail_sway
    if mood != "angel":
        for sgn in (-1, 1):
            lobe = smooth([(sgn * 8, 6), (sgn * 36 + sway, 2), (sgn * 46 + sway, 10), (sgn * 40 + sway * 0.7, 26),
                           (sgn * 30 + sway * 0.5, 22), (sgn * 12, 22)])
            paint(ctx, T(lobe), linear(ox, oy, ox, oy + 26, [(0, col["fin_light"]), (1, col["fin"])]), line)
            for r in (6, 13):
                stroke(ctx, T(Path().M(sgn * 28, 8 + r * 0.3).L(sgn * 40 + sway * 0.8, 6 + r)), col["dark"], 1.1, 0.5)
    # crest seen edge-on, and the tuft
    if mood == "panic":
        crest = smooth([(-6, -29), (-8, -37), (-3, -34), (0, -39), (3, -34), (8, -37), (6, -29)])
    elif mood == "giveup":
        crest = smooth([(-4, -30), (-14, -36), (-20, -32), (-12, -27)])
    else:
        crest = smooth([(-3, -30), (-1, -39), (6, -41), (9, -36), (5, -34), (5, -30)])
    paint(ctx, T(crest), col["fin"], line)

    body = T(smooth(FRONT_BODY))
    fill(ctx, body, radial(ox - 8 * scale, oy - 12 * scale, 44 * scale,
                           [(0, col["light"]), (0.55, col["body"]), (1, col["dark"])]))
    with clip_to(ctx, body):
        fill(ctx, T(ellipse(0, 21, 17, 12)), col["belly"], 0.85)
        if mood not in ("angel",):
            for sgn in (-1, 1):
                stroke(ctx, T(Path().M(sgn * 22, -14).C(sgn * 27, -4, sgn * 27, 6, sgn * 22, 15)), col["dark"], 1.5, 0.6)
        fill(ctx, T(ellipse(-10, -24, 9, 3.5)), WHITE, 0.4)
    stroke(ctx, body, ink, line)

    if fins is None:
        fins = 0.45 * math.sin(ph)
    left, right = front_fins(fins)
    if mood == "giveup":
        right = smooth([(26, 6), (34, 14), (38, 28), (31, 30), (25, 18)])
        left = right.map(lambda x, y: (-x, y))
    for fin in (left, right):
        paint(ctx, T(fin), linear(ox, oy - 5, ox, oy + 20, [(0, col["fin_light"]), (1, col["fin"])]), line * 0.85)

    face(ctx, T, ox, oy, scale, k, frames, look, mood, col)


def face(ctx, T, ox, oy, scale, k, frames, look, mood, col):
    ink = col["ink"]
    lx, ly = look
    for sgn in (-1, 1):
        fill(ctx, T(ellipse(sgn * 20, 5, 5, 3)), BLUSH, 0.5)
    if mood in ("normal", "blink"):
        for sgn in (-1, 1):
            ex = sgn * 12
            if mood == "blink":
                stroke(ctx, T(Path().M(ex - 8, -7).C(ex - 4, -2, ex + 4, -2, ex + 8, -7)), ink, 2.4)
            else:
                paint(ctx, T(ellipse(ex, -8, 9.5, 11)), WHITE, 2.0)
                fill(ctx, T(circle(ex - sgn * 1.5 + lx, -6 + ly, 5)), ink)
                fill(ctx, T(circle(ex - sgn * 1.5 + lx - 1.8, -8.4 + ly, 1.9)), WHITE)
            stroke(ctx, T(Path().M(ex - 7, -23).C(ex - 3, -26, ex + 3, -26, ex + 7, -23)), ink, 2.0)
        open_mouth(ctx, T, Path().M(-7, 11).C(-4, 19, 4, 19, 7, 11).C(3, 13, -3, 13, -7, 11).Z(), ellipse(0, 18, 4, 3))
    elif mood == "panic":
        for sgn in (-1, 1):
            ex = sgn * 12.5
            paint(ctx, T(ellipse(ex, -9, 12, 14)), WHITE, 2.0)
            fill(ctx, T(circle(ex + lx, -8 + ly, 2.8)), ink)
            brow = Path().M(ex - sgn * 9, -27).C(ex - sgn * 4, -31, ex + sgn * 3, -30, ex + sgn * 9, -24)
            stroke(ctx, T(brow), ink, 2.4)
        open_mouth(ctx, T, smooth([(-8, 12), (-4, 10), (0, 11), (4, 10), (8, 12), (9, 19), (5, 26), (0, 27), (-5, 26),
                                   (-9, 19)]), ellipse(0, 26, 6, 4))
    elif mood == "giveup":
        for sgn in (-1, 1):
            ex = sgn * 12
            lid = Path().M(ex - 9, -9).C(ex - 8, -19, ex + 8, -19, ex + 9, -9).C(ex + 4, -7, ex - 4, -7, ex - 9, -9).Z()
            paint(ctx, T(lid), col["body"], 1.8)
            stroke(ctx, T(Path().M(ex - 8, -8).C(ex - 3, -4, ex + 3, -4, ex + 8, -8)), ink, 2.2)
            brow = Path().M(ex - sgn * 8, -21).C(ex - sgn * 3, -25, ex + sgn * 3, -23, ex + sgn * 8, -19)
            stroke(ctx, T(brow), ink, 2.0)
        stroke(ctx, T(Path().M(-6, 16).C(-3, 13, -1, 13, 0, 15).C(1, 17, 3, 17, 6, 14)), ink, 2.0)
    elif mood == "angel":
        for sgn in (-1, 1):
            ex = sgn * 11
            stroke(ctx, T(Path().M(ex - 7, -5).C(ex - 4, -11, ex + 4, -11, ex + 7, -5)), ink, 2.2)
        smile = Path().M(-6, 9).C(-3, 15, 3, 15, 6, 9)
        stroke(ctx, T(smile), ink, 2.0)
