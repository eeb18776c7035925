"""Surfaces, colour-key flattening and the two file writers (BMP and ICO).

Every picture is drawn with cairo onto a transparent ARGB surface and then
flattened: pixels covered less than half become the key colour, the others
are composited over the picture's outline colour, so that no edge ever
blends towards the key.
"""
import math
import struct

import cairo
import numpy as np

KEY = (255, 0, 255)


def surface(width, height):
    return cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)


def context(surf):
    ctx = cairo.Context(surf)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    return ctx


def rgba_array(surf):
    """The surface's pixels as a float array (h, w, 4): premultiplied r, g, b, a in 0..1."""
    surf.flush()
    w, h, stride = surf.get_width(), surf.get_height(), surf.get_stride()
    raw = np.frombuffer(surf.get_data(), dtype=np.uint8).reshape(h, stride // 4, 4)[:, :w]
    # cairo stores native-endian 32-bit ARGB: on little-endian machines the bytes are B, G, R, A.
    return np.stack([raw[..., 2], raw[..., 1], raw[..., 0], raw[..., 3]], axis=-1).astype(np.float64) / 255.0


def from_rgba_array(arr):
    """A cairo surface made from a premultiplied float array (h, w, 4)."""
    h, w = arr.shape[:2]
    surf = surface(w, h)
    stride = surf.get_stride()
    data = np.zeros((h, stride // 4, 4), dtype=np.uint8)
    q = np.clip(np.rint(arr * 255.0), 0, 255).astype(np.uint8)
    data[:, :w, 0], data[:, :w, 1], data[:, :w, 2], data[:, :w, 3] = q[..., 2], q[..., 1], q[..., 0], q[..., 3]
    surf.get_data()[:] = data.tobytes()
    surf.mark_dirty()
    return surf


def flatten(surf, matte):
    """Key-coloured RGB image (h, w, 3 uint8) of a transparent drawing.

    Coverage under one half becomes the key; everything else is the drawing
    composited over `matte`, the outline colour of the drawing.
    """
    arr = rgba_array(surf)
    alpha = arr[..., 3]
    m = np.array(matte, dtype=np.float64) / 255.0
    rgb = arr[..., :3] + (1.0 - alpha)[..., None] * m
    out = np.clip(np.rint(rgb * 255.0), 0, 255).astype(np.uint8)
    out[alpha * 255.0 < 127.5] = KEY
    return out


def opaque(surf):
    """RGB image of a drawing that covers every pixel (backgrounds, boards)."""
    arr = rgba_array(surf)
    if np.any(arr[..., 3] < 0.999):
        raise ValueError("an opaque picture has uncovered pixels")
    return np.clip(np.rint(arr[..., :3] * 255.0), 0, 255).astype(np.uint8)


def strip(frames):
    """Frames (each h, w, 3) side by side into one horizontal strip."""
    return np.concatenate(frames, axis=1)


def dilate(alpha, radius):
    """Coverage grown by `radius` pixels (max over a disc), keeping soft edges."""
    out = alpha.copy()
    r = int(math.ceil(radius))
    h, w = alpha.shape
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            d = math.hypot(dx, dy)
            if d > radius + 0.5 or (dx == 0 and dy == 0):
                continue
            weight = min(1.0, radius + 0.5 - d)
            shifted = np.zeros_like(alpha)
            ys, yd = (slice(dy, h), slice(0, h - dy)) if dy >= 0 else (slice(0, h + dy), slice(-dy, h))
            xs, xd = (slice(dx, w), slice(0, w - dx)) if dx >= 0 else (slice(0, w + dx), slice(-dx, w))
            shifted[yd, xd] = alpha[ys, xs]
            np.maximum(out, shifted * weight, out=out)
    return out


def with_rim(surf, colour, radius):
    """The drawing over a solid rim of `colour` that follows its silhouette."""
    arr = rgba_array(surf)
    rim = dilate(arr[..., 3], radius)
    c = np.array(colour, dtype=np.float64) / 255.0
    under = np.concatenate([rim[..., None] * c, rim[..., None]], axis=-1)
    a = arr[..., 3:4]
    return from_rgba_array(arr + (1.0 - a) * under)


# ---- BMP ---------------------------------------------------------------------

def bmp_bytes(rgb):
    """24-bit bottom-up BI_RGB file with no colour table, rows padded to 4 bytes."""
    h, w = rgb.shape[:2]
    stride = (w * 3 + 3) & ~3
    rows = np.zeros((h, stride), dtype=np.uint8)
    rows[:, : w * 3] = rgb[::-1, :, ::-1].reshape(h, w * 3)
    pixels = rows.tobytes()
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    return head + info + pixels


def write_bmp(path, rgb):
    with open(path, "wb") as f:
        f.write(bmp_bytes(rgb))


# ---- ICO ---------------------------------------------------------------------

def _and_mask(opaque_mask):
    """1-bit AND mask, bottom-up, rows padded to 4 bytes; 1 = transparent."""
    h, w = opaque_mask.shape
    stride = ((w + 31) // 32) * 4
    bits = np.zeros((h, stride * 8), dtype=np.uint8)
    bits[:, :w] = ~opaque_mask[::-1]
    return np.packbits(bits, axis=1).tobytes()


def _palette_image(rgba, colours):
    """Indices into an adaptive palette of `colours` entries for the opaque pixels."""
    from PIL import Image

    rgb = Image.fromarray(rgba[..., :3].copy(), "RGB")
    q = rgb.quantize(colors=colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = q.getpalette()[: colours * 3]
    pal += [0] * (colours * 3 - len(pal))
    return np.array(q, dtype=np.uint8), pal


def ico_entry(rgba, bpp):
    """One BMP-encoded icon image (info header, palette, XOR pixels, AND mask)."""
    size = rgba.shape[0]
    solid = rgba[..., 3] >= 128
    if bpp == 32:
        bgra = rgba[::-1][..., [2, 1, 0, 3]].copy()
        xor = bgra.tobytes()
        palette = b""
    else:
        colours = 1 << bpp
        idx, pal = _palette_image(rgba, colours)
        idx[~solid] = 0
        palette = b"".join(struct.pack("<BBBB", pal[3 * i + 2], pal[3 * i + 1], pal[3 * i], 0) for i in range(colours))
        stride = ((size * bpp + 31) // 32) * 4
        if bpp == 8:
            rows = np.zeros((size, stride), dtype=np.uint8)
            rows[:, :size] = idx[::-1]
        else:
            packed = (idx[:, 0::2] << 4) | idx[:, 1::2]
            rows = np.zeros((size, stride), dtype=np.uint8)
            rows[:, : size // 2] = packed[::-1]
        xor = rows.tobytes()
    mask = _and_mask(solid)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0, len(palette) // 4 if bpp < 32 else 0, 0)
    return info + palette + xor + mask


def png_entry(rgba, bpp):
    """A PNG-encoded icon image (for the 256-pixel ones, which would be large as bitmaps)."""
    import io

    from PIL import Image

    out = io.BytesIO()
    if bpp == 32:
        Image.fromarray(rgba, "RGBA").save(out, "PNG", optimize=False, compress_level=9)
    else:
        idx, pal = _palette_image(rgba, 255)
        idx = idx + 1
        idx[rgba[..., 3] < 128] = 0
        img = Image.fromarray(idx, "P")
        img.putpalette([0, 0, 0] + pal[: 255 * 3])
        img.save(out, "PNG", optimize=False, compress_level=9, transparency=0)
    return out.getvalue()


def ico_bytes(images):
    """A multi-image icon file from (rgba uint8 array, bits per pixel) pairs; 256-pixel images as PNG."""
    entries = [(rgba.shape[0], bpp, png_entry(rgba, bpp) if rgba.shape[0] >= 256 else ico_entry(rgba, bpp))
               for rgba, bpp in images]
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, 1, len(entries))
    directory = b""
    for size, bpp, data in entries:
        colours = (1 << bpp) if bpp < 8 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    return head + directory + b"".join(data for _, _, data in entries)


def straight_rgba(surf):
    """Un-premultiplied uint8 RGBA of a surface (for icons and previews)."""
    arr = rgba_array(surf)
    a = arr[..., 3:4]
    rgb = np.where(a > 0, arr[..., :3] / np.maximum(a, 1e-9), 0.0)
    out = np.concatenate([rgb, a], axis=-1)
    return np.clip(np.rint(out * 255.0), 0, 255).astype(np.uint8)
