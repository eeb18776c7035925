"""The kitchen background, the title banner, the two score boards and the
smiley strip (resources 2016 to 2020)."""
import math

import canvas
import blender_strips as bs
import fish
import fish_strips
from shapes import (INK, Path, circle, clip_to, ellipse, fill, linear, paint, polygon, radial, rounded_rect,
                    smooth, stroke, text_path, text_width)

W, H = 640, 480
COUNTER_TOP = 436

WALL = (250, 240, 214)
WALL_SHADE = (238, 222, 188)
TILE = (206, 234, 222)
TILE_LINE = (176, 208, 196)
COUNTER = (104, 184, 172)
COUNTER_LIGHT = (150, 214, 200)
COUNTER_DARK = (62, 134, 128)
NAVY = (16, 26, 58)
GOLD = (255, 208, 64)
GOLD_DARK = (200, 132, 24)


def opaque_frame(draw, w=W, h=H):
    s = canvas.surface(w, h)
    draw(canvas.context(s))
    return canvas.opaque(s)


# ---- background --------------------------------------------------------------

def background():
    def draw(c):
        fill(c, polygon([(0, 0), (W, 0), (W, H), (0, H)]), linear(0, 0, 0, COUNTER_TOP,
                                                                  [(0, WALL_SHADE), (0.4, WALL), (1, WALL)]))
        # backsplash tiles
        fill(c, polygon([(0, 300), (W, 300), (W, COUNTER_TOP), (0, COUNTER_TOP)]), TILE)
        for x in range(0, W + 1, 34):
            stroke(c, Path().M(x, 300).L(x, COUNTER_TOP), TILE_LINE, 2)
        for y in range(300, COUNTER_TOP, 34):
            stroke(c, Path().M(0, y).L(W, y), TILE_LINE, 2)
        fill(c, polygon([(0, 294), (W, 294), (W, 302), (0, 302)]), (236, 214, 170))
        stroke(c, Path().M(0, 302).L(W, 302), (200, 176, 136), 1.5)
        window(c)
        shelf(c)
        clock(c)
        # counter
        fill(c, polygon([(0, COUNTER_TOP), (W, COUNTER_TOP), (W, H), (0, H)]),
             linear(0, COUNTER_TOP, 0, H, [(0, COUNTER_DARK), (0.12, COUNTER), (1, COUNTER_LIGHT)]))
        stroke(c, Path().M(0, COUNTER_TOP).L(W, COUNTER_TOP), INK, 2.5)
        for i in range(7):
            x = 40 + i * 96
            fill(c, ellipse(x, 458 + (i % 2) * 10, 9, 2.2), COUNTER_LIGHT, 0.7)
        fill(c, ellipse(320, 464, 170, 9), COUNTER_DARK, 0.55)
        fill(c, rounded_rect(0, 474, W, 8, 2), (206, 216, 226))
        stroke(c, Path().M(0, 474).L(W, 474), (140, 150, 166), 1.5)
    return opaque_frame(draw)


def window(c):
    frame = rounded_rect(18, 66, 110, 176, 6)
    paint(c, frame, (255, 252, 244), 3)
    pane = polygon([(28, 76), (118, 76), (118, 232), (28, 232)])
    fill(c, pane, linear(0, 76, 0, 232, [(0, (120, 196, 240)), (1, (200, 236, 252))]))
    with clip_to(c, pane):
        for (x, y, r) in [(50, 120, 14), (68, 114, 18), (88, 122, 13), (96, 190, 10), (110, 186, 13)]:
            fill(c, circle(x, y, r), (255, 255, 255))
        fill(c, polygon([(28, 214), (60, 196), (90, 206), (118, 192), (118, 232), (28, 232)]), (132, 196, 120))
    stroke(c, pane, INK, 2)
    stroke(c, Path().M(73, 76).L(73, 232), (255, 252, 244), 6)
    stroke(c, Path().M(28, 154).L(118, 154), (255, 252, 244), 6)
    paint(c, rounded_rect(12, 238, 122, 10, 3), (255, 252, 244), 2.5)
    # gingham curtain valance
    val = Path().M(10, 56).L(136, 56).L(136, 86)
    for i in range(6):
        x = 136 - i * 21
        val.C(x - 4, 96, x - 17, 96, x - 21, 86)
    val.Z()
    fill(c, val, (236, 84, 72))
    with clip_to(c, val):
        for x in range(10, 140, 12):
            fill(c, polygon([(x, 50), (x + 6, 50), (x + 6, 100), (x, 100)]), (255, 236, 224), 0.55)
        for y in range(56, 100, 12):
            fill(c, polygon([(0, y), (140, y), (140, y + 6), (0, y + 6)]), (255, 236, 224), 0.45)
    stroke(c, val, INK, 2.5)
    paint(c, rounded_rect(6, 50, 134, 8, 4), (150, 104, 64), 2.5)


def shelf(c):
    paint(c, rounded_rect(556, 236, 84, 10, 3), (176, 124, 76), 2.5)
    # a mug
    paint(c, smooth([(600, 208), (622, 208), (621, 236), (601, 236)]), (84, 164, 214), 2.2)
    stroke(c, Path().M(621, 214).C(632, 214, 632, 230, 620, 230), INK, 2.4)
    # a potted plant
    paint(c, polygon([(566, 216), (590, 216), (586, 236), (570, 236)]), (214, 110, 64), 2.2)
    for (a, l) in [(-0.6, 22), (-0.15, 28), (0.35, 24), (0.8, 18)]:
        tip = (578 + l * math.sin(a), 216 - l * math.cos(a))
        leaf = Path().M(578, 216).C(578 + 8 * math.sin(a) - 6, 206, tip[0] - 4, tip[1] + 4, *tip)
        leaf.C(tip[0] + 4, tip[1] + 6, 578 + 8 * math.sin(a) + 6, 208, 578, 216).Z()
        paint(c, leaf, (96, 178, 96), 1.8)


def clock(c):
    paint(c, circle(598, 118, 30), (255, 252, 244), 3)
    stroke(c, circle(598, 118, 24), (236, 84, 72), 3)
    for i in range(12):
        a = i * math.pi / 6
        stroke(c, Path().M(598 + 19 * math.cos(a), 118 + 19 * math.sin(a)).L(598 + 22 * math.cos(a), 118 + 22 * math.sin(a)),
               INK, 1.8)
    stroke(c, Path().M(598, 118).L(598, 104), INK, 2.6)
    stroke(c, Path().M(598, 118).L(609, 123), INK, 2.6)
    fill(c, circle(598, 118, 2.5), INK)


# ---- title banner ------------------------------------------------------------

def logo(c, text, size, cx, baseline, fill_paint, wave=4.0, outline=9.0):
    """Bold playful lettering: each letter rides a small wave and tilts with it."""
    from shapes import glyphs
    gl = glyphs("logo", text, size)
    width = sum(adv for _, adv in gl)
    x = cx - width / 2
    letters = []
    for i, (p, adv) in enumerate(gl):
        ph = i * 0.9
        dy = wave * math.sin(ph)
        ang = 0.06 * math.cos(ph)
        letters.append(p.rotated(ang, adv / 2, -size * 0.3).moved(x, baseline + dy))
        x += adv
    for p in letters:
        fill(c, p.moved(3, 5), (10, 30, 70), 0.55)
    for p in letters:
        stroke(c, p, INK, outline)
    for p in letters:
        stroke(c, p, (255, 255, 255), outline * 0.42)
    for p in letters:
        fill(c, p, fill_paint)
    return width


def key_cap(c, label, x, baseline, size=12):
    w = max(18.0, text_width("bold", label, size) + 10)
    paint(c, rounded_rect(x, baseline - size - 3, w, size + 8, 4), (244, 248, 255), 1.6)
    fill(c, text_path("bold", label, size, x + w / 2, baseline, align="center"), INK)
    return w


def controls_line(c, items, baseline, cx, size=12, gap=22):
    """Key caps followed by their words, the whole line centred."""
    def layout(draw):
        x = 0.0
        for keys, words in items:
            for k in keys:
                x += (key_cap(c, k, cx_off[0] + x, baseline, size) if draw else
                      max(18.0, text_width("bold", k, size) + 10)) + 4
            p = text_path("bold", words, size, cx_off[0] + x + 2, baseline)
            if draw:
                fill(c, p, (255, 255, 255))
            x += text_width("bold", words, size) + 2 + gap
        return x - gap
    cx_off = [0.0]
    total = layout(False)
    cx_off[0] = cx - total / 2
    layout(True)


def title():
    def draw(c):
        panel = Path().M(-20, 0).L(W + 20, 0).L(W + 20, 150)
        for i in range(16):
            x = W + 20 - i * 42.5
            panel.C(x - 10, 166, x - 32, 166, x - 42.5, 150)
        panel.L(-20, 0).Z()
        fill(c, panel, linear(0, 0, 0, 160, [(0, (14, 48, 110)), (0.7, (28, 104, 170)), (1, (52, 150, 206))]))
        with clip_to(c, panel):
            for i in range(6):
                x = 40 + i * 120
                fill(c, polygon([(x, 0), (x + 40, 0), (x + 90, 170), (x + 60, 170)]), (255, 255, 255), 0.06)
            for (x, y, r) in [(30, 40, 6), (52, 20, 4), (600, 50, 7), (620, 26, 4), (584, 90, 3), (24, 100, 4),
                              (110, 130, 3), (540, 130, 4)]:
                stroke(c, circle(x, y, r), (200, 236, 255), 1.6, 0.8)
                fill(c, circle(x - r * 0.3, y - r * 0.3, r * 0.25), (255, 255, 255), 0.8)
            stroke(c, panel, (210, 240, 255), 7)
        stroke(c, panel, INK, 3)
        logo(c, "Whirlquarium", 80, 320, 88,
             linear(0, 30, 0, 92, [(0, (255, 244, 150)), (0.5, (255, 196, 64)), (1, (248, 128, 36))]))
        controls_line(c, [(["\u2192"], "insert coin"), (["hold", "\u2190"], "blend"), (["\u2193"], "flip"),
                          (["Esc"], "quit")], 124, 320, size=12)
        controls_line(c, [(["mouse:"], ""), (["right"], "coin"), (["hold left"], "blend"), (["middle"], "flip")],
                      146, 320, size=11, gap=16)
    s = canvas.surface(W, 167)
    draw(canvas.context(s))
    return canvas.flatten(s, INK)


# ---- score boards ------------------------------------------------------------

SAVED_TABLE = [("ACE", 98750), ("FIN", 87200), ("KOI", 75400), ("GIL", 63350), ("BOB", 51900), ("EEL", 40250),
               ("RAY", 28600), ("COD", 15050)]
BLENDED_TABLE = [("MAX", 99990), ("ZAP", 88880), ("VRM", 77770), ("RPM", 66660), ("WHZ", 55550), ("BZZ", 44440),
                 ("SPN", 33330), ("MIX", 22220)]


def board_frame(c, accent):
    fill(c, polygon([(0, 0), (W, 0), (W, H), (0, H)]), radial(470, 290, 420, [(0, (40, 62, 120)), (1, NAVY)]))
    for i in range(16):
        a0 = i * math.pi / 8
        ray = polygon([(470, 290), (470 + 700 * math.cos(a0), 290 + 700 * math.sin(a0)),
                       (470 + 700 * math.cos(a0 + 0.18), 290 + 700 * math.sin(a0 + 0.18))])
        fill(c, ray, (255, 255, 255), 0.04)
    border = rounded_rect(8, 8, W - 16, H - 16, 18)
    stroke(c, border, INK, 16)
    stroke(c, border, accent, 10)
    stroke(c, rounded_rect(18, 18, W - 36, H - 36, 12), INK, 2.5)
    n = 0
    for x in range(26, W - 10, 28):
        for y in (12, H - 12):
            bulb(c, x, y, n)
            n += 1
    for y in range(40, H - 30, 28):
        for x in (12, W - 12):
            bulb(c, x, y, n)
            n += 1


def bulb(c, x, y, n):
    lit = n % 2 == 0
    paint(c, circle(x, y, 4.5), (255, 246, 170) if lit else (226, 168, 60), 1.5)
    if lit:
        fill(c, circle(x - 1.2, y - 1.2, 1.5), (255, 255, 255))


def score_table(c, rows, top, colour):
    for i, head in enumerate(("RANK", "NAME", "SCORE")):
        x = (44, 140, 318)[i]
        fill(c, text_path("mono", head, 17, x, top, align="right" if i == 2 else "left"), GOLD)
    stroke(c, Path().M(44, top + 9).L(318, top + 9), GOLD_DARK, 2)
    ranks = ["1ST", "2ND", "3RD", "4TH", "5TH", "6TH", "7TH", "8TH"]
    for i, (name, score) in enumerate(rows):
        y = top + 40 + i * 33
        col = colour if i == 0 else ((236, 242, 255) if i % 2 else (176, 214, 255))
        fill(c, text_path("mono", ranks[i], 20, 44, y), col)
        fill(c, text_path("mono", name, 20, 140, y), col)
        for d in range(5):
            fill(c, circle(200 + d * 9, y - 4, 1.3), (120, 140, 190))
        fill(c, text_path("mono", "{:,}".format(score), 20, 318, y, align="right"), col)


def heading(c, text, colours):
    logo(c, text, 58, 320, 88, linear(0, 40, 0, 92, [(0, colours[0]), (1, colours[1])]), wave=3.0, outline=8.0)


def saved_board():
    def draw(c):
        board_frame(c, (72, 196, 112))
        heading(c, "Fish Saved!", ((226, 255, 170), (96, 214, 96)))
        score_table(c, SAVED_TABLE, 150, (150, 255, 150))
        # the fate: Dorode safe in a fish bowl
        cx, cy = 486, 300
        fill(c, ellipse(cx, cy + 108, 96, 12), (8, 14, 36), 0.6)
        bowl = Path().M(cx - 44, cy - 96).C(cx - 150, cy - 30, cx - 110, cy + 108, cx, cy + 108)
        bowl.C(cx + 110, cy + 108, cx + 150, cy - 30, cx + 44, cy - 96).Z()
        fill(c, bowl, (200, 232, 244))
        water = polygon([(cx - 130, cy - 44), (cx + 130, cy - 44), (cx + 130, cy + 120), (cx - 130, cy + 120)])
        with clip_to(c, bowl):
            fill(c, water, linear(0, cy - 44, 0, cy + 108, [(0, (150, 222, 244)), (1, (60, 150, 210))]))
            stroke(c, Path().M(cx - 140, cy - 44).L(cx + 140, cy - 44), (44, 118, 178), 2.5)
            for (x, y) in [(-60, 70), (-20, 84), (30, 80), (70, 66)]:
                fill(c, ellipse(cx + x, cy + y + 24, 22, 10), (226, 206, 150))
            fill(c, polygon([(cx - 76, cy + 96), (cx - 70, cy + 40), (cx - 60, cy + 96)]), (96, 178, 96))
            c.save()
            c.translate(cx, cy + 14)
            c.scale(1.7, 1.7)
            fish.draw_front(c, 0, 0, k=1, mood="normal")
            c.restore()
            stroke(c, polygon([(cx - 96, cy - 70), (cx - 104, cy - 10)], closed=False), (255, 255, 255), 5, 0.8)
        stroke(c, bowl, INK, 3.5)
        paint(c, ellipse(cx, cy - 96, 46, 9), (200, 232, 244), 3)
        for i, (x, y, s) in enumerate([(cx + 70, cy - 130, 14), (cx - 80, cy - 120, 10), (cx + 100, cy - 80, 8)]):
            heart = Path().M(x, y + s).C(x - s * 1.6, y, x - s * 0.8, y - s * 1.1, x, y - s * 0.35)
            heart.C(x + s * 0.8, y - s * 1.1, x + s * 1.6, y, x, y + s).Z()
            paint(c, heart, (240, 84, 72), 2.2)
        fill(c, text_path("bold", "Dorode lives to swim another day!", 15, 320, 452, align="center"), (210, 236, 255))
    return opaque_frame(draw)


def blended_board():
    def draw(c):
        board_frame(c, (220, 56, 48))
        heading(c, "Fish Blended!", ((255, 214, 150), (226, 52, 44)))
        score_table(c, BLENDED_TABLE, 150, (255, 150, 130))
        # the fate: a jar of goo below, Dorode's angel above on a cloud
        c.save()
        c.translate(400, 300)
        c.scale(0.3, 0.3)
        bs.whole(c, "goo", level=104, goo_bits=True)
        c.restore()
        puffs = [circle(x, y, r) for (x, y, r) in [(440, 238, 22), (470, 226, 28), (506, 230, 26), (540, 238, 20)]]
        puffs.append(rounded_rect(420, 232, 140, 26, 13))
        for p in puffs:
            stroke(c, p, INK, 5)
        for p in puffs:
            fill(c, p, (236, 242, 255))
        c.save()
        c.translate(490, 176)
        c.scale(1.6, 1.6)
        c.translate(-fish_strips.FW / 2, -fish_strips.FH / 2)
        fish_strips.draw_angel(c, 1)
        c.restore()
        fill(c, text_path("bold", "Rest in pieces, Dorode.", 15, 320, 452, align="center"), (255, 214, 200))
    return opaque_frame(draw)


# ---- smiley strip ------------------------------------------------------------

def smileys():
    def face(c, x, kind):
        paint(c, circle(x + 5, 5, 4.4), (255, 214, 60), 1.0)
        if kind == 1:
            stroke(c, Path().M(x + 2.6, 4).L(x + 4.2, 4), INK, 1.0)
        else:
            fill(c, circle(x + 3.4, 4, 0.8), INK)
        fill(c, circle(x + 6.6, 4, 0.8), INK)
        if kind == 3:
            fill(c, circle(x + 5, 7, 1.2), INK)
        else:
            stroke(c, Path().M(x + 3, 6.2).C(x + 4, 7.8 + (kind == 2), x + 6, 7.8 + (kind == 2), x + 7, 6.2), INK, 1.0)
    s = canvas.surface(40, 10)
    c = canvas.context(s)
    for i in range(4):
        face(c, i * 10, i)
    return canvas.flatten(s, INK)
