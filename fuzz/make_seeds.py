#!/usr/bin/env python3
"""Writes the fuzzers' seed inputs into fuzz/corpus/ (committed): .bmp files and
the same images as bitmap resources (no file header) - every layout the loaders
take, truncated copies and hostile headers, all loaded by the engine's tests -
and replay scripts, good and bad."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
INT_MIN, INT_MAX = -2 ** 31, 2 ** 31 - 1


def info_header(w, h, bits, size_image, colors, header_size=40):
    head = struct.pack('<IiiHHIIiiII', header_size, w, h, 1, bits, 0, size_image, 2835, 2835, colors, 0)
    return head + bytes(header_size - 40)


def pixels(w, h, bits):
    stride = (w * bits + 31) // 32 * 4
    rows = []
    for y in range(abs(h)):
        row = bytearray()
        for x in range(w):
            px = [(x * 37 + y * 11) & 0xFF, (x * 5 + 90) & 0xFF, (y * 23 + 7) & 0xFF]
            if (x + y) % 5 == 0:
                px = [0xFF, 0x00, 0xFF]  # the key colour
            row += bytes(px[: bits // 8] if bits <= 24 else px + [0])
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    return b''.join(rows)


def dib(w, h, bits=24, colors=0, size_image=None, header_size=40):
    data = pixels(w, h, bits) if bits >= 24 else bytes(((w * bits + 31) // 32 * 4) * abs(h))
    table = b''.join(struct.pack('<BBBB', i & 0xFF, (255 - i) & 0xFF, (i // 2) & 0xFF, 0) for i in range(colors))
    size = len(data) if size_image is None else size_image
    return info_header(w, h, bits, size, colors, header_size) + table + data


def patch(d, offset, fmt, value):  # one field of the information header changed
    return d[:offset] + struct.pack(fmt, value) + d[offset + struct.calcsize(fmt):]


def bare(w, h, bits, size_image):
    return info_header(w, h, bits, size_image, 0) + bytes([0x7F] * 16)  # sizes not to be trusted


def bmp(dib_bytes, off_bits=None):
    info_size = struct.unpack_from('<I', dib_bytes, 0)[0]
    colors = struct.unpack_from('<I', dib_bytes, 32)[0]
    offset = (14 + info_size + 4 * colors) & 0xFFFFFFFF if off_bits is None else off_bits
    return struct.pack('<2sIHHI', b'BM', 14 + len(dib_bytes), 0, 0, offset) + dib_bytes


def write(folder, name, data):
    path = os.path.join(HERE, 'corpus', folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), 'wb') as f:
        f.write(data)


def main():
    dibs = {
        '24bit-1x1': dib(1, 1),
        '24bit-2x2': dib(2, 2),
        '24bit-3x5-padded': dib(3, 5),
        '24bit-16x9': dib(16, 9),
        '24bit-strip-4-frames': dib(24, 5),
        '24bit-bottom-up-7x3': dib(7, 3),
        '24bit-top-down-7x3': dib(7, -3),
        '24bit-colour-table-5x4': dib(5, 4, colors=4),
        '24bit-size-image-0': dib(8, 2, size_image=0),
        '32bit-4x4': dib(4, 4, bits=32),
        '24bit-long-header-4x3': dib(4, 3, header_size=124),
        '8bit-palette-4x4': dib(4, 4, bits=8, colors=256),
        # The pixel data ends inside the second row stored: what there is is kept.
        '24bit-size-image-partial-5x3': dib(5, 3, size_image=16 + 7),
        # Over 2^24 pixels (the fuzzers pass over these), with 16 bytes of pixels.
        'huge-16384x2048-top-down': info_header(16384, -2048, 24, 16, 0) + bytes(range(10, 170, 10)),
        'pixels-one-byte-short': dib(4, 3)[:-1],
        'size-image-beyond-dimensions': dib(4, 3, size_image=40) + bytes(4),
        'colour-table-257': dib(4, 3, colors=257),
        'colour-table-missing': patch(dib(4, 3), 32, '<I', 2),
        'header-size-beyond-data': patch(dib(4, 3), 0, '<I', 0x7FFFFFF0),
        'header-size-12': patch(dib(4, 3), 0, '<I', 12),
        'header-size-39': patch(dib(4, 3), 0, '<I', 39),  # one byte short of its structure
        'width-20000': patch(dib(4, 3), 4, '<i', 20000),
        'height-1048576': patch(dib(4, 3), 8, '<i', 1 << 20),
        'compressed': patch(dib(4, 3), 16, '<I', 1),  # BI_RLE8
        'width-most-negative': bare(INT_MIN, 4, 24, 0),
        'height-most-negative': bare(4, INT_MIN, 24, 16),
        'both-largest': bare(INT_MAX, INT_MAX, 32, 1),
    }
    for name, d in dibs.items():
        # A header said to reach past the end, with the pixel offset where they really are.
        write('bitmap_file', name + '.bmp', bmp(d, 54) if name == 'header-size-beyond-data' else bmp(d))
        write('bitmap_resource', name + '.dib', d)
    write('bitmap_file', 'offset-near-4gib.bmp', bmp(dib(4, 3), off_bits=0xFFFFFFF0))
    whole = bmp(dibs['24bit-16x9'])
    write('bitmap_file', 'truncated-in-pixels.bmp', whole[: len(whole) - 40])
    write('bitmap_file', 'truncated-after-headers.bmp', whole[:54])
    write('bitmap_file', 'truncated-in-header.bmp', whole[:30])
    write('bitmap_file', 'truncated-file-header.bmp', whole[:10])
    write('bitmap_file', 'not-bm.bmp', b'MB' + whole[2:])
    d = dibs['24bit-16x9']
    write('bitmap_resource', 'truncated-in-pixels.dib', d[: len(d) - 40])
    write('bitmap_resource', 'truncated-after-header.dib', d[:40])
    write('bitmap_resource', 'truncated-in-header.dib', d[:20])

    scripts = {
        'blended-game.txt': '# tick  event   [argument]\n100 keydown right\n120 keyup right\n200 keydown left\n'
                            '2500 shot spinning\n14000 keyup left\n14000 keydown up\n14050 keyup up\n40000 end\n',
        'saved-game.txt': '100 rbuttondown\n110 rbuttonup\n200 lbuttondown\n2600 mbuttondown\n2620 mbuttonup\n'
                          '3000 lbuttonup\n16000 close\n',
        'focus.txt': '\n   # only comments and blanks here\n\n50 deactivate\n400 activate   # back\n500 keydown escape\n',
        'bad-key.txt': '100 keydown space\n',
        'ticks-go-back.txt': '200 keydown left\n100 keyup left\n',
        'after-end.txt': '100 end\n200 keydown left\n',
    }
    for name, text in scripts.items():
        write('replay_script', name, text.encode())


if __name__ == '__main__':
    main()
