#!/usr/bin/env python3
"""Writes flat placeholder images of the right sizes into resources/.

Standard library only. Magenta (255, 0, 255) marks transparent pixels. The art
generator replaces these with the real pictures.
"""
import os
import struct
import sys

KEY = (255, 0, 255)
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "resources")


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y from the top."""
    row_size = (width * 3 + 3) & ~3
    image = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - width * 3)
        image += row
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 54)
    with open(path, "wb") as f:
        f.write(file_header + header + image)


def strip(frames, fw, fh, colour):
    """A strip of ellipses on the key, each frame a little different."""
    def pixel(x, y):
        k = x // fw
        cx, cy = fw / 2, fh / 2
        dx, dy = (x % fw - cx) / (fw * 0.42), (y - cy) / (fh * (0.36 + 0.02 * (k % 3)))
        if dx * dx + dy * dy <= 1:
            r, g, b = colour
            return (max(0, r - 8 * k), g, b)
        return KEY
    return frames * fw, fh, pixel


def jar(frames, colour, key_outside=True):
    def pixel(x, y):
        k = x // 640
        lx = x % 640 + (k % 2) * 2
        if 150 <= lx < 490 and 120 <= y < 380:
            return colour
        if 170 <= lx < 470 and 380 <= y < 470:
            return (90, 90, 100)
        return KEY if key_outside else (200, 200, 200)
    return frames * 640, 480, pixel


def icon(path, size):
    """A single 32-bit image .ico of size x size."""
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            inside = (x - size / 2) ** 2 + (y - size / 2) ** 2 < (size / 2.2) ** 2
            row += bytes((40, 140, 250, 255)) if inside else bytes((0, 0, 0, 0))
        rows.append(row)
    xor = b"".join(rows)
    and_row = ((size + 31) // 32) * 4
    mask = b"\0" * (and_row * size)
    bih = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    data = bih + xor + mask
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1) + entry + data)


IMAGES = {
    "SwimLeft.bmp": strip(8, 115, 85, (250, 150, 40)),
    "SwimRight.bmp": strip(8, 115, 85, (250, 170, 40)),
    "SwimTowardPlayer.bmp": strip(8, 115, 85, (250, 190, 40)),
    "FlailLeft.bmp": strip(2, 115, 85, (240, 130, 40)),
    "Jump1.bmp": strip(1, 115, 85, (250, 160, 60)),
    "Jump2.bmp": strip(1, 115, 85, (250, 160, 80)),
    "Panic.bmp": strip(6, 115, 85, (250, 220, 80)),
    "GiveUp.bmp": strip(1, 115, 85, (160, 160, 160)),
    "Angel.bmp": strip(6, 115, 85, (240, 240, 250)),
    "BlenderCalm.bmp": jar(1, (120, 190, 240)),
    "BlenderTurning.bmp": jar(5, (120, 180, 230)),
    "BlenderUpSideDown.bmp": jar(1, (200, 220, 230)),
    "BlenderWaterAndLid.bmp": jar(1, (80, 160, 240)),
    "BlenderShaking.bmp": jar(8, (100, 170, 240)),
    "BlenderShakingBloody.bmp": jar(8, (200, 30, 30)),
    "BlenderBloodyFishGoo.bmp": jar(1, (220, 90, 110)),
    "Background.bmp": (640, 480, lambda x, y: (230, 220, 190) if y < 400 else (150, 110, 70)),
    "TitleScreen.bmp": (640, 167, lambda x, y: (30, 60, 140) if 10 <= y < 157 else KEY),
    "SavedScore.bmp": (640, 480, lambda x, y: (20, 120, 40)),
    "DeathScore.bmp": (640, 480, lambda x, y: (120, 20, 20)),
    "SmileyAnim.bmp": (40, 10, lambda x, y: (250, 230, 0) if (x % 10 - 4.5) ** 2 + (y - 4.5) ** 2 < 20 else KEY),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, (w, h, pixel) in IMAGES.items():
        write_bmp(os.path.join(OUT, name), w, h, pixel)
    icon(os.path.join(OUT, "Whirlquarium.ico"), 32)
    icon(os.path.join(OUT, "WhirlquariumSmall.ico"), 16)
    return 0


if __name__ == "__main__":
    sys.exit(main())
