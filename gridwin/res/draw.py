#!/usr/bin/env python3
"""Draws the table window's icon, cursors and bitmaps.

Run from this folder; it rewrites the .ico/.cur/.bmp files beside it, which
are committed with the script. Each picture is drawn on a character grid:
'#' black, '.' white, ' ' transparent (cursors and icon) or background.
"""
import struct

# --- pictures -------------------------------------------------------------

def grid(rows, size=32):
    rows = [r.ljust(size)[:size] for r in rows]
    return rows + [' ' * size] * (size - len(rows))

# Cursors: (file, hotspot, picture). 32x32 monochrome.
CURSORS = {
    # 10001: column border (resize): a double bar with arrows left and right.
    'colsize.cur': ((15, 15), [
        '', '', '', '', '', '', '', '', '',
        '             .##.#.',
        '             .##.#.',
        '             .##.#.',
        '      .      .##.#.     .',
        '     .#.     .##.#.    .#.',
        '    .##........#.......##.',
        '   .###################.##.',
        '    .##........#.......##.',
        '     .#.     .##.#.    .#.',
        '      .      .##.#.     .',
        '             .##.#.',
        '             .##.#.',
        '             .##.#.',
    ]),
    # 10002: in-place editor frame: a thin I-beam.
    'editbeam.cur': ((15, 15), [
        '', '', '', '', '', '', '',
        '            .###.###.',
        '             ...#...',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '               .#.',
        '             ...#...',
        '            .###.###.',
    ]),
    # 10005: column title (move): four arrows.
    'colmove.cur': ((15, 15), [
        '', '', '', '', '', '', '', '',
        '               .',
        '              .#.',
        '             .###.',
        '              .#.',
        '          .   .#.   .',
        '         .#....#....#.',
        '        .#############.',
        '         .#....#....#.',
        '          .   .#.   .',
        '              .#.',
        '             .###.',
        '              .#.',
        '               .',
    ]),
    # 10006: row header edge.
    'hdrsize.cur': ((15, 15), [
        '', '', '', '', '', '', '', '', '', '', '',
        '      .      .#.     .',
        '     .#.     .#.    .#.',
        '    .##.......#.....##.',
        '   .##################.',
        '    .##.......#.....##.',
        '     .#.     .#.    .#.',
        '      .      .#.     .',
    ]),
    # 10007: split bar.
    'split.cur': ((15, 15), [
        '', '', '', '', '', '', '', '', '',
        '               .',
        '              .#.',
        '             .###.',
        '            .#####.',
        '              .#.',
        '      ...................',
        '      .#################.',
        '      ...................',
        '      .#################.',
        '      ...................',
        '              .#.',
        '            .#####.',
        '             .###.',
        '              .#.',
        '               .',
    ]),
    # 10008: split bar that can be dragged.
    'splitdrag.cur': ((15, 15), [
        '', '', '', '', '', '', '', '',
        '               .',
        '              .#.',
        '             .###.',
        '            .#####.',
        '              .#.',
        '      ...................',
        '      .#################.',
        '      .#################.',
        '      .#################.',
        '      ...................',
        '              .#.',
        '            .#####.',
        '             .###.',
        '              .#.',
        '               .',
    ]),
    # 10009: row height in the row header.
    'rowsize.cur': ((15, 15), [
        '', '', '', '', '', '', '', '',
        '               .',
        '              .#.',
        '             .###.',
        '            .#####.',
        '              .#.',
        '              .#.',
        '         .............',
        '         .###########.',
        '         .............',
        '              .#.',
        '              .#.',
        '            .#####.',
        '             .###.',
        '              .#.',
        '               .',
    ]),
    # 10010: a cell holding a counted value: a small page.
    'datacell.cur': ((1, 1), [
        '.',
        '#.',
        '##.',
        '###.',
        '####.',
        '#####.',
        '######.',
        '#######.',
        '####....',
        '#..##.',
        '.  .##.    ..........',
        '   .##.    .########.',
        '    .##.   .#......#.',
        '    ....   .#.####.#.',
        '           .#......#.',
        '           .#.####.#.',
        '           .#......#.',
        '           .########.',
        '           ..........',
    ]),
    # 10011: row selection drag: an arrow pointing right.
    'rowselect.cur': ((16, 15), [
        '', '', '', '', '', '', '', '', '', '',
        '            .',
        '            .#.',
        '            .##.',
        '  ...........###.',
        '  .###############.',
        '  ...........###.',
        '            .##.',
        '            .#.',
        '            .',
    ]),
}

# The icon: a small grid with a dark title row.
ICON = grid([
    '',
    '',
    '  ############################',
    '  ############################',
    '  ############################',
    '  ############################',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  ############################',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  ############################',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  ############################',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  ############################',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  #..........#.......#.......#',
    '  ############################',
])

# Bitmaps, 1 bit per pixel: '#' black, anything else white.
BITMAPS = {
    # 10001: the 8x8 checker pattern of the split bar and drag lines.
    'pattern.bmp': (8, 8, ['#.#.#.#.', '.#.#.#.#'] * 4),
    # 10002: the drop-down button's arrow.
    'dropdown.bmp': (11, 11, [
        '...........', '...........', '...........', '.#########.', '..#######..',
        '...#####...', '....###....', '.....#.....', '...........', '...........', '...........']),
    # 10003: a check mark for check-box cells.
    'check.bmp': (11, 11, [
        '...........', '.........#.', '........##.', '.......###.', '.#....###..',
        '.##..###...', '.#####.....', '..###......', '...#.......', '...........', '...........']),
}

# --- file formats -----------------------------------------------------------

def row_bytes(bits):
    """Packs a list of 0/1 into bytes, rows padded to 32 bits."""
    out = bytearray()
    for i in range(0, len(bits), 8):
        b = 0
        for j, v in enumerate(bits[i:i + 8]):
            b |= v << (7 - j)
        out.append(b)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def mono_dib(pic, with_mask):
    """BITMAPINFOHEADER + 2-colour palette + XOR bits (+ AND bits), bottom-up."""
    size = len(pic)
    xor = b''.join(row_bytes([1 if c == '.' else 0 for c in r]) for r in reversed(pic))
    andm = b''.join(row_bytes([1 if c == ' ' else 0 for c in r]) for r in reversed(pic))
    height = size * 2 if with_mask else size
    header = struct.pack('<IiiHHIIiiII', 40, size, height, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    return header + palette + xor + andm


def write_icon_or_cursor(name, pic, kind, hotspot=(0, 0)):
    dib = mono_dib(grid(pic), True)
    size = 32
    if kind == 1:   # icon: planes and bit count in the directory
        entry = struct.pack('<BBBBHHII', size, size, 2, 0, 1, 1, len(dib), 22)
    else:           # cursor: hotspot in the directory
        entry = struct.pack('<BBBBHHII', size, size, 2, 0, hotspot[0], hotspot[1], len(dib), 22)
    with open(name, 'wb') as f:
        f.write(struct.pack('<HHH', 0, kind, 1) + entry + dib)


def write_bitmap(name, width, height, rows):
    bits = b''.join(row_bytes([0 if c == '#' else 1 for c in r]) for r in reversed(rows))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 1, 0, len(bits), 0, 0, 2, 0)
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    offset = 14 + len(info) + len(palette)
    with open(name, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset) + info + palette + bits)


if __name__ == '__main__':
    write_icon_or_cursor('table.ico', ICON, 1)
    for name, (hot, pic) in CURSORS.items():
        write_icon_or_cursor(name, pic, 2, hot)
    for name, (w, h, rows) in BITMAPS.items():
        write_bitmap(name, w, h, rows)
