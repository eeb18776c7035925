"""The nine fish strips (resources 2000 to 2008), 115 x 85 pixels a frame.

The front-view pictures that lie over one another in the game share one
centre, FRONT, so the panic and give-up pictures cover the front view that
keeps animating beneath them.
"""
import math

import numpy as np

import canvas
import fish
from shapes import INK, Path, circle, ellipse, fill, linear, paint, smooth, stroke

FW, FH = 115, 85
FRONT = (57.5, 46.0)

ANGEL_RIM = (255, 244, 186)
ANGEL_LINE = (150, 120, 84)
ANGEL_COLOURS = dict(body=(255, 242, 222), dark=(246, 206, 160), light=(255, 252, 240), belly=(255, 250, 235),
                     fin=(255, 226, 190), fin_light=(255, 246, 228), ink=ANGEL_LINE)
GOLD = (255, 208, 64)
GOLD_DARK = (214, 150, 30)


def frame(draw, matte=INK, rim=None):
    s = canvas.surface(FW, FH)
    draw(canvas.context(s))
    if rim:
        s = canvas.with_rim(s, rim[0], rim[1])
    return canvas.flatten(s, matte)


def mirrored(img):
    return img[:, ::-1].copy()


def swim_left():
    return canvas.strip([frame(lambda c, k=k: fish.swim_frame(c, k)) for k in range(8)])


def swim_right():
    return canvas.strip([mirrored(frame(lambda c, k=k: fish.swim_frame(c, k))) for k in range(8)])


def toward_player():
    frames = []
    for k in range(8):
        mood = "blink" if k == 6 else "normal"
        frames.append(frame(lambda c, k=k, m=mood: fish.draw_front(c, *FRONT, k=k, mood=m)))
    return canvas.strip(frames)


def drop(ctx, x, y, size):
    p = Path().M(x, y - size * 1.6).C(x + size * 0.4, y - size * 0.7, x + size, y - size * 0.2, x + size, y + size * 0.3)
    p.C(x + size, y + size * 0.9, x + size * 0.5, y + size * 1.1, x, y + size * 1.1)
    p.C(x - size * 0.5, y + size * 1.1, x - size, y + size * 0.9, x - size, y + size * 0.3)
    p.C(x - size, y - size * 0.2, x - size * 0.4, y - size * 0.7, x, y - size * 1.6).Z()
    paint(ctx, p, fish.SWEAT, 1.5)
    fill(ctx, ellipse(x - size * 0.35, y + size * 0.1, size * 0.22, size * 0.4), (255, 255, 255))


JITTER = [(-2, 0), (2, -1), (-1, 1), (2, 1), (-2, -1), (1, 0)]


def panic():
    frames = []
    for k in range(6):
        def draw(c, k=k):
            jx, jy = JITTER[k]
            ox, oy = FRONT[0] + jx, FRONT[1] + jy
            for sgn in (-1, 1):
                for i in range(2):
                    x = ox + sgn * (39 + 3 * i + (k % 2) * 2)
                    y0 = oy - 18 + i * 12
                    stroke(c, Path().M(x, y0).C(x + sgn * 3, y0 + 3, x - sgn * 3, y0 + 6, x, y0 + 9), INK, 1.8)
            fish.draw_front(c, *FRONT, k=k, frames=6, mood="panic", scale=1.07, jitter=JITTER[k],
                            look=(JITTER[(k + 2) % 6][0] * 0.8, JITTER[(k + 3) % 6][1] * 0.8),
                            fins=(0.45 if k % 2 else -0.3), tail_sway=(-1.5 if k % 2 else 1.5))
            # sweat flies off the head, a different drop each frame
            t = k / 6.0
            drop(c, ox - 30 - 6 * t, oy - 30 + 18 * t, 3.4)
            drop(c, ox + 31 + 7 * ((k + 3) % 6) / 6.0, oy - 33 + 20 * ((k + 3) % 6) / 6.0, 3.0)
            if k % 3 == 0:
                drop(c, ox + 22, oy - 40, 2.6)
        frames.append(frame(draw))
    return canvas.strip(frames)


def give_up():
    def draw(c):
        ox, oy = FRONT
        # a little white flag of surrender in the right fin
        stroke(c, Path().M(ox + 36, oy + 26).L(ox + 44, oy - 30), (120, 84, 50), 2.6)
        flag = smooth([(ox + 44, oy - 30), (ox + 50, oy - 35), (ox + 56, oy - 31), (ox + 54, oy - 27), (ox + 55, oy - 18),
                       (ox + 49, oy - 16), (ox + 42, oy - 15)], tension=0.5)
        paint(c, flag, (250, 250, 246), 1.8)
        fish.draw_front(c, *FRONT, k=0, mood="giveup", scale=1.04, fins=0.0, tail_sway=0.0,
                        colours=dict(body=(236, 150, 78), dark=(196, 104, 52), light=(248, 186, 120)))
        # a sigh rising from the mouth
        for i, (dx, dy, r) in enumerate([(-18, -8, 2.2), (-24, -16, 3.0), (-28, -27, 3.8)]):
            paint(c, circle(ox + dx - 4, oy + dy + 2, r), (220, 244, 255), 1.4)
    return frame(draw)


def wing(sgn, flap):
    """A feathered wing on one side, raised by `flap` radians."""
    pts = [(20, -2), (30, -18), (44, -28), (56, -30), (54, -22), (58, -18), (52, -10), (54, -5), (44, -1), (40, 6), (28, 6)]
    pts = [(22 + (x - 22) * 0.7, y * 0.75) for x, y in pts]
    p = smooth(pts, tension=0.7).rotated(-flap, 22, 0)
    feathers = [Path().M(27, -3).L(41, -12), Path().M(27, 0).L(38, -4)]
    feathers = [f.rotated(-flap, 22, 0) for f in feathers]
    if sgn < 0:
        p = p.map(lambda x, y: (-x, y))
        feathers = [f.map(lambda x, y: (-x, y)) for f in feathers]
    return p, feathers


def draw_angel(c, k):
    """Frame k of the angel, without its glowing rim."""
    ox, oy = FRONT[0], FRONT[1] + 6
    flap = 0.55 * math.cos(2 * math.pi * k / 6)
    T = lambda p: p.moved(ox, oy)
    for sgn in (-1, 1):
        w, feathers = wing(sgn, flap)
        paint(c, T(w), linear(ox, oy - 30, ox, oy + 6, [(0, (255, 255, 255)), (1, (226, 236, 246))]), 2.0, ANGEL_LINE)
        for f in feathers:
            stroke(c, T(f), (176, 196, 218), 1.4)
    fish.draw_front(c, ox, oy, k=k, frames=6, mood="angel", scale=0.8, colours=ANGEL_COLOURS,
                    fins=0.3 * math.sin(2 * math.pi * k / 6), line=2.0)
    hy = oy - 36 + 1.2 * math.sin(2 * math.pi * k / 6)
    halo = ellipse(ox, hy, 15, 4.6)
    stroke(c, halo, GOLD_DARK, 6.2)
    stroke(c, halo, GOLD, 3.6)
    stroke(c, ellipse(ox - 2, hy - 1.2, 9, 2), (255, 250, 210), 1.2)
    for i, (sx, sy) in enumerate([(-40, 22), (40, 20), (-30, -30), (34, -34)]):
        if (i + k) % 3 == 0:
            s = 3.2
            star = Path().M(ox + sx, oy + sy - s).L(ox + sx + s * 0.3, oy + sy - s * 0.3).L(ox + sx + s, oy + sy)
            star.L(ox + sx + s * 0.3, oy + sy + s * 0.3).L(ox + sx, oy + sy + s).L(ox + sx - s * 0.3, oy + sy + s * 0.3)
            star.L(ox + sx - s, oy + sy).L(ox + sx - s * 0.3, oy + sy - s * 0.3).Z()
            fill(c, star, (255, 250, 200))


def angel():
    return canvas.strip([frame(lambda c, k=k: draw_angel(c, k), matte=ANGEL_RIM, rim=(ANGEL_RIM, 2.5)) for k in range(6)])


def posed(mood, angle, kappa, phase=0.0, tail=0.0, fin=0.0, x=None, floor=83.0, drops=()):
    """floor None centres the fish vertically."""
    """A side-view fish turned and bent, standing on the frame's floor line."""
    core = fish.chain(fish.bend(kappa), fish.place(0, 0, angle=angle, scale=0.86))
    pts = [core(*p) for p in fish.BODY + [(99, -29), (99, 29), (44, -42), (60, -34), (66, 29)]]
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    dx = (FW - (max(xs) + min(xs))) / 2 if x is None else x
    dy = floor - max(ys) if floor is not None else (FH - (max(ys) + min(ys))) / 2

    def draw(c):
        fish.draw_side(c, fish.chain(core, lambda u, v: (u + dx, v + dy)), phase=phase, tail=tail, fin=fin, mood=mood)
        for (px, py, s) in drops:
            drop(c, px, py, s)
    return draw


def flail_left():
    a = posed("gasp", 0.1, 0.010, tail=0.35, fin=0.5, floor=85.0, drops=[(100, 18, 2.6), (16, 30, 2.2)])
    b = posed("gasp", -0.12, -0.008, tail=-0.35, fin=-0.3, floor=85.0, drops=[(92, 10, 2.4), (8, 22, 2.6)])
    return canvas.strip([frame(a), frame(b)])


def jump1():
    return frame(posed("happy", 0.3, -0.010, tail=-0.25, fin=-0.4, floor=None))


def jump2():
    return frame(posed("happy", -0.2, -0.006, tail=0.3, fin=0.5, floor=85.0))


def all_strips():
    return {
        "SwimLeft.bmp": swim_left(),
        "SwimRight.bmp": swim_right(),
        "SwimTowardPlayer.bmp": toward_player(),
        "FlailLeft.bmp": flail_left(),
        "Jump1.bmp": jump1(),
        "Jump2.bmp": jump2(),
        "Panic.bmp": panic(),
        "GiveUp.bmp": give_up(),
        "Angel.bmp": angel(),
    }


def overlay(under, over):
    """`over` drawn onto `under` with the key transparent (same-sized frames)."""
    out = under.copy()
    solid = np.any(over != canvas.KEY, axis=-1)
    out[solid] = over[solid]
    return out
