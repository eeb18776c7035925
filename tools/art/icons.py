"""The two window icons: Dorode's face, drawn afresh at every size so the
small ones stay bold rather than blurred."""
import canvas
import fish
from shapes import INK, Path, circle, ellipse, fill, paint, radial, smooth, stroke

SIZES = [(16, 4), (16, 8), (16, 32), (32, 4), (32, 8), (32, 32), (48, 4), (48, 8), (48, 32), (256, 8), (256, 32)]


def face(size):
    """The face on a transparent square, as straight uint8 RGBA."""
    s = canvas.surface(size, size)
    c = canvas.context(s)
    k = size / 100.0
    c.scale(k, k)
    # outlines grow as the icon shrinks, so a 16-pixel face still reads
    line = 3.0 if size >= 48 else (5.0 if size >= 32 else 8.0)
    if size >= 32:
        crest = smooth([(44, 18), (45, 5), (54, 2), (60, 9), (54, 11), (55, 18)])
        paint(c, crest, fish.FIN, line * 0.8)
    top = 12 if size >= 32 else 6
    body = smooth([(50, top), (80, top + 8), (94, 46), (88, 77), (50, 95), (12, 77), (6, 46), (20, top + 8)])
    fill(c, body, radial(38, 30, 80, [(0, fish.ORANGE_LIGHT), (0.55, fish.ORANGE), (1, fish.ORANGE_DARK)]))
    if size >= 32:
        fill(c, ellipse(50, 80, 24, 12), fish.BELLY, 0.85)
    stroke(c, body, INK, line)
    eye_r = 15 if size >= 32 else 17
    for sgn in (-1, 1):
        ex = 50 + sgn * 20
        paint(c, ellipse(ex, 42, eye_r, eye_r * 1.12), (255, 255, 255), line * 0.8)
        fill(c, circle(ex - sgn * 2, 45, eye_r * 0.55), INK)
        if size >= 32:
            fill(c, circle(ex - sgn * 2 - 3, 41, eye_r * 0.2), (255, 255, 255))
    if size >= 32:
        mouth = Path().M(40, 68).C(44, 80, 56, 80, 60, 68).C(54, 71, 46, 71, 40, 68).Z()
        paint(c, mouth, fish.MOUTH, line * 0.7)
        fill(c, ellipse(28, 64, 7, 4), fish.BLUSH, 0.6)
        fill(c, ellipse(72, 64, 7, 4), fish.BLUSH, 0.6)
    else:
        stroke(c, Path().M(38, 70).C(44, 80, 56, 80, 62, 70), INK, line * 0.8)
    return canvas.straight_rgba(s)


def icon_file():
    """Both icon groups hold every size; the window picks the one it needs."""
    cache = {}
    images = []
    for size, bpp in SIZES:
        if size not in cache:
            cache[size] = face(size)
        images.append((cache[size], bpp))
    return canvas.ico_bytes(images)
