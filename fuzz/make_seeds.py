#!/usr/bin/env python3
"""Writes the fuzzers' seed inputs into fuzz/corpus/ (the results are committed).

bitmap_file: small .bmp files - 24-bit of several sizes, a strip of frames,
bottom-up and top-down, with a colour table, 32-bit, a longer header, and
truncated or damaged copies. bitmap_resource: the same without the 14-byte
file header, as a bitmap resource holds them. replay_script: scripts of the
replay tool, good and bad.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


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
    table = b''.join(struct.pack('<BBBB', i, 255 - i, i // 2, 0) for i in range(colors))
    size = len(data) if size_image is None else size_image
    return info_header(w, h, bits, size, colors, header_size) + table + data


def bmp(dib_bytes):
    info_size = struct.unpack_from('<I', dib_bytes, 0)[0]
    colors = struct.unpack_from('<I', dib_bytes, 32)[0]
    offset = 14 + info_size + 4 * colors
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
    }
    for name, d in dibs.items():
        write('bitmap_file', name + '.bmp', bmp(d))
        write('bitmap_resource', name + '.dib', d)
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
