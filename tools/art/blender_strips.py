"""The seven blender pictures (resources 2009 to 2015), 640 x 480 a frame."""
import math

import canvas
import blender as b
from shapes import INK, Path, circle, ellipse, fill, paint, stroke

W, H = 640, 480
JITTER = [(0, 0), (-3, 1), (2, -1), (-2, 0), (3, 1), (-1, -1), (2, 1), (-3, 0)]


def frame(draw):
    s = canvas.surface(W, H)
    ctx = canvas.context(s)
    draw(ctx)
    return canvas.flatten(s, INK)


def whole(ctx, fluid="water", angle=0.0, level=b.WATER_LINE, jar_offset=(0, 0), inside=None, base_offset=(0, 0),
          dial=0.0, lamp=False, with_lid=True, shine=True, drops=False, goo_bits=False, blades=None):
    ctx.save()
    b.transform(ctx, angle)
    ctx.save()
    ctx.translate(*jar_offset)
    b.draw_handle(ctx)
    b.draw_glass(ctx, fluid=fluid, level=level + jar_offset[1], inside=inside, shine=shine, drops=drops,
                 goo_bits=goo_bits, blades=blades)
    if with_lid:
        b.draw_lid(ctx)
    ctx.restore()
    b.draw_base(ctx, dial=dial, lamp=lamp, offset=base_offset)
    ctx.restore()


def whole_calm(ctx):
    def bubbles(c, col):
        for (x, y, r) in [(186, 330, 4), (196, 290, 3), (182, 250, 2.5), (452, 320, 3.5), (446, 270, 2.5),
                          (458, 200, 3), (300, 130, 2), (360, 160, 2.5)]:
            paint(c, circle(x, y, r), col["bubble"], 1.2, col["line"])
            fill(c, circle(x - r * 0.35, y - r * 0.35, r * 0.3), (255, 255, 255))
        for i in range(4):
            x = 210 + i * 66
            light = Path().M(x, 110).C(x + 20, 160, x - 10, 220, x + 14, 300)
            stroke(c, light, col["swirl"], 5, 0.25)
    whole(ctx, "water", inside=bubbles)


def vortex(k, jar_offset):
    """Swirling water for frame k of the spinning strip, in window coordinates."""
    ph = 2 * math.pi * k / 8
    ox, oy = jar_offset

    def draw(c, col):
        c.save()
        c.translate(ox, oy)
        tip = (320 + 6 * math.sin(ph), 196)
        funnel = Path().M(176, b.WATER_LINE).C(250, b.WATER_LINE + 6, 300, 130, tip[0], tip[1])
        funnel.C(340, 130, 390, b.WATER_LINE + 6, 466, b.WATER_LINE).Z()
        fill(c, funnel, col["funnel"])
        for j in range(3):
            y = b.WATER_LINE + 14 + j * 26
            rx = 110 - j * 34
            c.save()
            c.translate(320 + 4 * math.sin(ph) * j / 3, y)
            c.scale(1.0, 0.18)
            c.new_path()
            c.arc(0, 0, rx, ph + j, ph + j + 2.2)
            c.restore()
            c.set_source_rgba(*[v / 255.0 for v in col["line"]], 0.7)
            c.set_line_width(2.0)
            c.stroke()
        stroke(c, funnel, col["line"], 2.2)
        for j in range(6):
            y = 170 + j * 34
            rx = 130 - j * 8
            c.save()
            c.translate(320, y)
            c.scale(1.0, 0.16)
            c.new_path()
            start = -ph * 1.5 + j * 1.1
            c.arc(0, 0, rx, start, start + 2.4)
            c.restore()
            c.set_source_rgba(*[v / 255.0 for v in col["swirl"]], 0.85)
            c.set_line_width(4.0)
            c.stroke()
        for j in range(10):
            a = ph * 1.5 + j * 2.4
            y = 340 - j * 24 + 6 * math.sin(ph + j)
            rx = 40 + j * 9
            x = 320 + rx * math.cos(a)
            r = 2.5 + (j % 3)
            paint(c, circle(x, y, r), col["bubble"], 1.2, col["line"])
        c.restore()
    return draw


def shaking(fluid):
    frames = []
    for k in range(8):
        jo = JITTER[k]

        def draw(c, k=k, jo=jo):
            whole(c, fluid, jar_offset=jo, inside=vortex(k, jo), base_offset=(jo[0] * 0.4, 0), dial=1.0, lamp=True,
                  blades=k * 0.8)
            shake_lines(c, k, jo)
        frames.append(frame(draw))
    return canvas.strip(frames)


def shake_lines(c, k, jo):
    """Rattle marks beside the jar: left of the glass, right of the handle."""
    for side in (-1, 1):
        for i in range(3):
            if (i + k) % 2:
                continue
            y = 150 + i * 70 + jo[1]
            x0 = (147 + 41 * (y - 70) / 302.0 - 16 - 2 * i if side < 0 else 558 + 2 * i) + jo[0]
            line = Path().M(x0, y).C(x0 + side * 6, y + 8, x0 - side * 2, y + 16, x0 + side * 4, y + 24)
            stroke(c, line, INK, 3.0)


def goo():
    return frame(lambda c: whole(c, "goo", level=104, goo_bits=True))


def turning():
    """The jar turns 36 degrees a frame, from 36 in frame 1 to 144 in frame 4, and lies upside
    down in frame 0. The game loops the strip from frame 1 on, two game frames a
    picture, and comes to frame 0 last, just before the upturned blender replaces it; an
    upright frame 0 would flash the calm blender at the end of the turn."""
    area = b.upright_water_area()
    frames = []
    for k in range(5):
        angle = math.pi * (k or 5) / 5
        level = b.level_for(angle, area)
        frames.append(frame(lambda c, a=angle, l=level: whole(c, "water", angle=a, level=l)))
    return canvas.strip(frames), b.level_for(math.pi, area)


def upside_down():
    return frame(lambda c: whole(c, None, angle=math.pi, with_lid=False, drops=True))


def water_and_lid(level):
    """The water that was in the upturned jar, with the lid under it, ready to fall out of the window."""
    def draw(c):
        col = b.FLUIDS["water"]
        c.save()
        b.transform(c, math.pi)
        b.draw_fluid(c, "water", level)
        # the water keeps the jar's shape as it slides out: outline it where the glass held it
        m = c.get_matrix()
        c.identity_matrix()
        c.new_path()
        b.water_area(level).emit(c)
        c.clip()
        c.set_matrix(m)
        stroke(c, b.jar_inner(), col["line"], 3.0)
        c.reset_clip()
        b.draw_lid(c)
        c.restore()
        for (x, y, r) in [(150, 452, 5), (490, 446, 4.5), (128, 420, 3.5), (512, 410, 4), (140, 372, 3),
                          (500, 360, 3.2)]:
            paint(c, ellipse(x, y, r * 0.8, r * 1.2), col["top"], 1.6, col["line"])
    return frame(draw)


def all_strips():
    turn, level = turning()
    return {
        "BlenderCalm.bmp": frame(whole_calm),
        "BlenderTurning.bmp": turn,
        "BlenderUpSideDown.bmp": upside_down(),
        "BlenderWaterAndLid.bmp": water_and_lid(level),
        "BlenderShaking.bmp": shaking("water"),
        "BlenderShakingBloody.bmp": shaking("blood"),
        "BlenderBloodyFishGoo.bmp": goo(),
    }
