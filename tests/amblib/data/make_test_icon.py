#!/usr/bin/env python3
"""Writes test.ico: a 16 x 16 and a 32 x 32 image (4 bits), red squares on a
transparent background, for the picture tests' resource icon."""
import struct

def image(size):
    stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    palette = b''.join(struct.pack('<BBBB', *c) for c in [(0, 0, 0, 0), (0, 0, 255, 0)] + [(0, 0, 0, 0)] * 14)
    xor, andm = b'', b''
    for y in range(size):
        row, mrow = bytearray(stride), bytearray(mask_stride)
        for x in range(size):
            inside = size // 4 <= x < 3 * size // 4 and size // 4 <= y < 3 * size // 4
            if inside:
                row[x // 2] |= (1 << 4) if x % 2 == 0 else 1
            else:
                mrow[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(row)
        andm += bytes(mrow)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    return header + palette + xor + andm

images = [image(16), image(32)]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in zip((16, 32), images):
    out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
    offset += len(data)
with open('test.ico', 'wb') as f:
    f.write(out + b''.join(images))
