#!/usr/bin/env python3
"""Writes amblib's own bitmaps (16-colour BMP) and cursors (monochrome CUR).

Run from this folder; the output is committed beside it. Every bitmap has
its top-left pixel in the background colour (light grey), because pictures
build their transparency mask from that pixel; the drawings themselves avoid
light grey.
"""
import struct

# The 16 standard colours, in BMP palette order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
INDEX = {'k': 0, 'R': 1, 'G': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, '.': 7,
         'g': 8, 'r': 9, 'l': 10, 'y': 11, 'b': 12, 'm': 13, 'c': 14, 'w': 15}


def bmp4(rows):
    """A 4-bit BMP file from rows of palette letters (top row first)."""
    height, width = len(rows), len(rows[0])
    assert all(len(r) == width for r in rows), rows
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b''
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            v = INDEX[ch]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        pixels += bytes(line)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + info + palette + pixels


def bmp1(rows):
    """A monochrome BMP from rows of '0'/'1'."""
    height, width = len(rows), len(rows[0])
    stride = ((width + 31) // 32) * 4
    pixels = b''
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            if ch == '1':
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += bytes(line)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    offset = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + info + palette + pixels


def cursor(rows, hotspot):
    """A 32 x 32 monochrome cursor: 'k' black, 'w' white, '.' transparent."""
    assert len(rows) == 32 and all(len(r) == 32 for r in rows)
    xor_rows, and_rows = b'', b''
    for row in reversed(rows):
        xor_bits = and_bits = 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
            if ch == '.':
                and_bits |= bit
            elif ch == 'w':
                xor_bits |= bit
        xor_rows += struct.pack('>I', xor_bits)
        and_rows += struct.pack('>I', and_bits)
    info = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, len(xor_rows) + len(and_rows), 0, 0, 2, 2)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    image = info + palette + xor_rows + and_rows
    header = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return header + entry + image


BITMAPS = {
    'ak_logo': [
        '................',
        '.nnnnnnnnnnnnnn.',
        '.nwwwwwwwwwwwwn.',
        '.nwwkwwwwkwwkwn.',
        '.nwkwkwwwkwkwwn.',
        '.nwkwkwwwkkwwwn.',
        '.nkkkkkwwkwkwwn.',
        '.nkwwwkwwkwwkwn.',
        '.nwwwwwwwwwwwwn.',
        '.nwrrrwyyywbbwn.',
        '.nwrrrwyyywbbwn.',
        '.nwrrrwyyywbbwn.',
        '.nwwwwwwwwwwwwn.',
        '.nnnnnnnnnnnnnn.',
        '................',
        '................',
    ],
    'plusdk': [
        '...........',
        '.ggggggggg.',
        '.gwwwwwwwg.',
        '.gwwwkwwwg.',
        '.gwwwkwwwg.',
        '.gwkkkkkwg.',
        '.gwwwkwwwg.',
        '.gwwwkwwwg.',
        '.gwwwwwwwg.',
        '.ggggggggg.',
        '...........',
    ],
    'pluswht': [
        '...........',
        '.wwwwwwwww.',
        '.w.......w.',
        '.w...w...w.',
        '.w...w...w.',
        '.w.wwwww.w.',
        '.w...w...w.',
        '.w...w...w.',
        '.w.......w.',
        '.wwwwwwwww.',
        '...........',
    ],
    'minusdk': [
        '...........',
        '.ggggggggg.',
        '.gwwwwwwwg.',
        '.gwwwwwwwg.',
        '.gwwwwwwwg.',
        '.gwkkkkkwg.',
        '.gwwwwwwwg.',
        '.gwwwwwwwg.',
        '.gwwwwwwwg.',
        '.ggggggggg.',
        '...........',
    ],
    'minuswht': [
        '...........',
        '.wwwwwwwww.',
        '.w.......w.',
        '.w.......w.',
        '.w.......w.',
        '.w.wwwww.w.',
        '.w.......w.',
        '.w.......w.',
        '.w.......w.',
        '.wwwwwwwww.',
        '...........',
    ],
    'fontrtyp': [
        '................',
        '.gggggggg.......',
        '.gggggggg.......',
        '.g..gg..g.......',
        '....gg..........',
        '....gg.kkkkkkkk.',
        '....gg.kkkkkkkk.',
        '....gg.k..kk..k.',
        '...gggg...kk....',
        '..........kk....',
        '..........kk....',
        '..........kk....',
        '.........kkkk...',
        '................',
    ],
    'fonprtr': [
        '................',
        '.....wwwwww.....',
        '.....wkkkkw.....',
        '.....wwwwww.....',
        '.....wkkkkw.....',
        '..kkkkkkkkkkkk..',
        '.kggggggggggggk.',
        '.kgggggggggglgk.',
        '.kggggggggggggk.',
        '.kkkkkkkkkkkkkk.',
        '..kwwwwwwwwwwk..',
        '..kkkkkkkkkkkk..',
        '................',
        '................',
    ],
    'empty': [
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
        '................',
    ],
    'drvflop2': [
        '................',
        '.kkkkkkkkkkkkkk.',
        '.kngwwwwwwwwgnk.',
        '.knwwwwwwwwwwnk.',
        '.knwggggggggwnk.',
        '.knwwwwwwwwwwnk.',
        '.knwggggggggwnk.',
        '.knwwwwwwwwwwnk.',
        '.knnnnnnnnnnnnk.',
        '.knnggggggggnnk.',
        '.knngkkggggggnk.',
        '.knngkkggggggnk.',
        '.knngkkggggggnk.',
        '.knnggggggggnnk.',
        '.kkkkkkkkkkkkkk.',
        '................',
    ],
    'drvhard2': [
        '................',
        '................',
        '................',
        '................',
        '................',
        '..kkkkkkkkkkkk..',
        '.kwwwwwwwwwwwwk.',
        '.kwggggggggggwk.',
        '.kggggggggggggk.',
        '.kgggggggggglgk.',
        '.kggggggggggggk.',
        '.kkkkkkkkkkkkkk.',
        '................',
        '................',
        '................',
        '................',
    ],
    'drvcd3': [
        '................',
        '.....gggggg.....',
        '...ggwwwwccgg...',
        '..gwwwwwccyygg..',
        '..gwwwwcyyyyyg..',
        '.gwwwwwgggyyymg.',
        '.gwwwwgkkkgmmmg.',
        '.gwwwwgk.kgmmmg.',
        '.gwwwwgkkkgmmmg.',
        '.gwwwwwgggmmmmg.',
        '..gwwwwwwcmmmg..',
        '..gwwwwwwccmgg..',
        '...ggwwwwwcgg...',
        '.....gggggg.....',
        '................',
        '................',
    ],
    'drvram2': [
        '................',
        '................',
        '................',
        '................',
        '..kkkkkkkkkkkk..',
        '.kGGGGGGGGGGGGk.',
        '.kGkkGkkGkkGGGk.',
        '.kGkkGkkGkkGGGk.',
        '.kGGGGGGGGGGGGk.',
        '.kkkkkkkkkkkkkk.',
        '..y.y.y.y.y.y...',
        '..y.y.y.y.y.y...',
        '................',
        '................',
        '................',
        '................',
    ],
    'drvnet2': [
        '................',
        '................',
        '..kkkkkkkkkkkk..',
        '.kwwwwwwwwwwwwk.',
        '.kwggggggggggwk.',
        '.kggggggggggggk.',
        '.kgggggggggglgk.',
        '.kggggggggggggk.',
        '.kkkkkkkkkkkkkk.',
        '.......kk.......',
        '.......kk.......',
        '.......kk.......',
        '.kkkkkkkkkkkkkk.',
        '................',
        '................',
        '................',
    ],
    'fdr': [
        '................',
        '................',
        '..kkkkk.........',
        '.kywywyk........',
        '.kwywywykkkkkkk.',
        '.kyyyyyyyyyyyyk.',
        '.kywywywywywyok.',
        '.kwywywywywywok.',
        '.kywywywywywyok.',
        '.kwywywywywywok.',
        '.kywywywywywyok.',
        '.kooooooooooooo.',
        '..kkkkkkkkkkkk..',
        '................',
        '................',
        '................',
    ],
    'fdrcur': [
        '................',
        '................',
        '..kkkkk.........',
        '.kywywyk........',
        '.kwywywykkkkkkk.',
        '.kyyyyyyyyyyyyk.',
        '.kywywywywywyok.',
        '.kwywyrrrywywok.',
        '.kywywrrrwywyok.',
        '.kwywyrrrywywok.',
        '.kywywywywywyok.',
        '.kooooooooooooo.',
        '..kkkkkkkkkkkk..',
        '................',
        '................',
        '................',
    ],
    'fdropen': [
        '................',
        '................',
        '..kkkkk.........',
        '.kywywyk........',
        '.kwywywykkkkkk..',
        '.kywywywywywyk..',
        '.kwywykkkkkkkkkk',
        '.kywykyyyyyyyyok',
        '.kwykyyyyyyyyok.',
        '.kykyyyyyyyyok..',
        '.kkyyyyyyyyok...',
        '.kkkkkkkkkkk....',
        '................',
        '................',
        '................',
        '................',
    ],
    'tblnew': [
        '............',
        '.....y......',
        '..y..y..y...',
        '...y.y.y....',
        '....yyy.....',
        '.yyyyyyyyy..',
        '....yyy.....',
        '...y.y.y....',
        '..y..y..y...',
        '.....y......',
        '............',
        '............',
    ],
    'tbledit': [
        '............',
        '........kk..',
        '.......kRRk.',
        '......kyyRk.',
        '.....kyyyk..',
        '....kyyyk...',
        '...kyyyk....',
        '..kwyyk.....',
        '..kwwk......',
        '..kkk.......',
        '............',
        '............',
    ],
    'tbldel': [
        '............',
        '.rr......rr.',
        '..rr....rr..',
        '...rr..rr...',
        '....rrrr....',
        '.....rr.....',
        '....rrrr....',
        '...rr..rr...',
        '..rr....rr..',
        '.rr......rr.',
        '............',
        '............',
    ],
    'radon2': [
        '.............',
        '....gggg.....',
        '..ggkkkkgg...',
        '..gkwwwwkw...',
        '.gkwwwwwwkw..',
        '.gkwwkkwwkw..',
        '.gkwkkkkwkw..',
        '.gkwkkkkwkw..',
        '.gkwwkkwwkw..',
        '..gkwwwwkw...',
        '..gwkkkkww...',
        '....wwww.....',
        '.............',
    ],
    'radoff2': [
        '.............',
        '....gggg.....',
        '..ggkkkkgg...',
        '..gkwwwwkw...',
        '.gkwwwwwwkw..',
        '.gkwwwwwwkw..',
        '.gkwwwwwwkw..',
        '.gkwwwwwwkw..',
        '.gkwwwwwwkw..',
        '..gkwwwwkw...',
        '..gwkkkkww...',
        '....wwww.....',
        '.............',
    ],
}

PATTERN_GRAY = ['10101010', '01010101'] * 4


def split_cursor(vertical_bar):
    """Two arrows pointing away from a double bar."""
    grid = [['.'] * 32 for _ in range(32)]
    def put(x, y, ch):
        if vertical_bar:
            grid[y][x] = ch
        else:
            grid[x][y] = ch
    # The double bar across the middle (along y for a vertical bar).
    for y in range(6, 26):
        for x in (14, 17):
            put(x, y, 'k')
        for x in (15, 16):
            put(x, y, 'w')
        for x in (13, 18):
            put(x, y, 'k')
    # Arrow shafts and heads to both sides.
    for x in range(4, 13):
        put(x, 15, 'w'); put(x, 16, 'w'); put(x, 14, 'k'); put(x, 17, 'k')
    for x in range(19, 28):
        put(x, 15, 'w'); put(x, 16, 'w'); put(x, 14, 'k'); put(x, 17, 'k')
    for d in range(0, 5):
        for y in range(15 - d, 17 + d):
            put(3 + d, y, 'w'); put(28 - d, y, 'w')
        put(3 + d, 14 - d, 'k'); put(3 + d, 17 + d, 'k')
        put(28 - d, 14 - d, 'k'); put(28 - d, 17 + d, 'k')
    put(2, 15, 'k'); put(2, 16, 'k'); put(29, 15, 'k'); put(29, 16, 'k')
    return [''.join(r) for r in grid]


def main():
    for name, rows in BITMAPS.items():
        with open(name + '.bmp', 'wb') as f:
            f.write(bmp4(rows))
    with open('patterngray.bmp', 'wb') as f:
        f.write(bmp1(PATTERN_GRAY))
    # A vertical bar moves left and right; a horizontal bar up and down.
    with open('vsplit.cur', 'wb') as f:
        f.write(cursor(split_cursor(True), (15, 15)))
    with open('hsplit.cur', 'wb') as f:
        f.write(cursor(split_cursor(False), (15, 15)))


if __name__ == '__main__':
    main()
