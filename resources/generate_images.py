#!/usr/bin/env python3
"""Draws the program's icon and menu bitmaps and writes them as .ico and .bmp files.

Standard library only; the output is the same on every run. All pictures use the 16-colour
Windows palette, 4 bits per pixel.
    ventrix.ico    32x32 and 16x16 compact disc with a transparency mask
    bitmap101.bmp  black cross
    bitmap103.bmp  small dialog window with a tick mark
    bitmap104.bmp  compact disc
    bitmap105.bmp  blue disc with a white question mark
The bitmaps sit on light grey (192, 192, 192) in a palette entry of its own, the colour of
their top-left pixel.
"""

import math
import os
import struct

# The 16-colour Windows palette as (red, green, blue), except that entry 5 holds the bitmaps'
# background: the same light grey as entry 7, but its own entry, so that the program can give
# the background the menu's colour without touching the grey of the pictures themselves.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (192, 192, 192), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, NAVY, SILVER, GRAY, YELLOW, BLUE, AQUA, WHITE = 0, 2, 4, 7, 8, 11, 12, 14, 15
BACKGROUND = 5
TRANSPARENT = -1  # icon pixels that show what is behind them

# Letters of the hand-drawn pictures.
LETTERS = {'.': BACKGROUND, 'K': BLACK, 'N': NAVY, 'B': BLUE, 'W': WHITE, 'G': GRAY, 'g': GREEN}

SUBSAMPLES = 4  # samples per pixel side when a shape is drawn from its geometry

CROSS = [
    "................",
    "................",
    "..KK........KK..",
    "..KKK......KKK..",
    "...KKK....KKK...",
    "....KKK..KKK....",
    ".....KKKKKK.....",
    "......KKKK......",
    "......KKKK......",
    ".....KKKKKK.....",
    "....KKK..KKK....",
    "...KKK....KKK...",
    "..KKK......KKK..",
    "..KK........KK..",
    "................",
    "................",
]

DIALOG_WITH_TICK = [
    "................",
    "KKKKKKKKKKKKKKK.",
    "KNNNNNNNNBBBBBKG",
    "KNNNNNNNNBBBBBKG",
    "KKKKKKKKKKKKKKKG",
    "KWWWWWWWWWWWWWKG",
    "KWWWWWWWWWWWgWKG",
    "KWWWWWWWWWWggWKG",
    "KWWgWWWWWWggWWKG",
    "KWWggWWWWggWWWKG",
    "KWWWggWWggWWWWKG",
    "KWWWWggggWWWWWKG",
    "KWWWWWggWWWWWWKG",
    "KWWWWWWWWWWWWWKG",
    "KKKKKKKKKKKKKKKG",
    ".GGGGGGGGGGGGGGG",
]

QUESTION_MARK = [
    "................",
    "................",
    "................",
    "......WWWW......",
    ".....WW..WW.....",
    ".........WW.....",
    "........WW......",
    ".......WW.......",
    ".......WW.......",
    "................",
    ".......WW.......",
    ".......WW.......",
    "................",
    "................",
    "................",
    "................",
]


def from_letters(rows):
    return [[LETTERS[c] for c in row] for row in rows]


def render(size, shade):
    """Colours each pixel with the colour most of its samples get from shade(x, y, size)."""
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            votes = {}
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    x = px + (sx + 0.5) / SUBSAMPLES
                    y = py + (sy + 0.5) / SUBSAMPLES
                    colour = shade(x, y, size)
                    votes[colour] = votes.get(colour, 0) + 1
            row.append(max(sorted(votes), key=lambda c: votes[c]))
        image.append(row)
    return image


def disc(x, y, size, outside=TRANSPARENT):
    """A compact disc: silver data surface with a light glint, a clear hub and a hole."""
    centre = size / 2
    dx, dy = x - centre, y - centre
    radius = math.hypot(dx, dy) / (size / 2)  # 1.0 at the picture's edge
    angle = math.degrees(math.atan2(-dy, dx)) % 180  # the glint repeats across the centre
    if radius > 0.97 or radius < 0.16:
        return outside
    if radius > 0.86 or radius < 0.25:
        return GRAY  # outer rim and the hole's edge
    if radius < 0.40:
        return WHITE if radius < 0.33 else SILVER  # the clear hub
    # The glint: a white band along the top-left diagonal, fringed with colour on large sizes.
    glint = angle - 135
    if abs(glint) < 13:
        return WHITE
    if size > 16 and 13 <= glint < 24:
        return AQUA
    if size > 16 and -24 < glint <= -13:
        return YELLOW
    return SILVER


def blue_disc(x, y, size):
    centre = size / 2
    radius = math.hypot(x - centre, y - centre) / (size / 2)
    if radius > 0.99:
        return BACKGROUND
    return NAVY if radius > 0.84 else BLUE


def overlay(image, rows):
    for y, row in enumerate(rows):
        for x, letter in enumerate(row):
            if letter != '.':
                image[y][x] = LETTERS[letter]
    return image


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)


def padded(row_bytes):
    return row_bytes + b'\0' * (-len(row_bytes) % 4)


def pixels_4bpp(image):
    """Bottom-up rows, two pixels a byte, each row padded to four bytes."""
    out = b''
    for row in reversed(image):
        colours = [max(c, 0) for c in row]
        out += padded(bytes((colours[i] << 4) | colours[i + 1] for i in range(0, len(colours), 2)))
    return out


def mask_1bpp(image):
    """Bottom-up AND mask: 1 where the icon is transparent."""
    out = b''
    for row in reversed(image):
        bits = [1 if c == TRANSPARENT else 0 for c in row]
        data = bytes(sum(bit << (7 - i) for i, bit in enumerate(bits[j:j + 8]))
                     for j in range(0, len(bits), 8))
        out += padded(data)
    return out


def info_header(size, height, image_bytes):
    return struct.pack('<IiiHHIIiiII', 40, size, height, 1, 4, 0, image_bytes, 0, 0, 16, 0)


def bmp_file(image):
    size = len(image)
    pixels = pixels_4bpp(image)
    offset = 14 + 40 + 16 * 4
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info_header(size, size, len(pixels)) + palette_bytes() + pixels


def ico_file(images):
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for image in images:
        size = len(image)
        body = pixels_4bpp(image) + mask_1bpp(image)
        # An icon image's header counts the colour and the mask rows: twice the height.
        blob = info_header(size, size * 2, len(body)) + palette_bytes() + body
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack('<HHH', 0, 1, len(images)) + entries + blobs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        'ventrix.ico': ico_file([render(32, disc), render(16, disc)]),
        'bitmap101.bmp': bmp_file(from_letters(CROSS)),
        'bitmap103.bmp': bmp_file(from_letters(DIALOG_WITH_TICK)),
        'bitmap104.bmp': bmp_file(render(16, lambda x, y, s: disc(x, y, s, BACKGROUND))),
        'bitmap105.bmp': bmp_file(overlay(render(16, blue_disc), QUESTION_MARK)),
    }
    for name, data in outputs.items():
        with open(os.path.join(here, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
