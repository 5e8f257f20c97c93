#!/usr/bin/env python3
"""Draws the program's icon and menu bitmaps and writes them as .ico and .bmp files.

Standard library only; the output is the same on every run. All pictures use the 16-colour
Windows palette, 4 bits per pixel.
    ventrix.ico    compact disc with a transparency mask, 32, 24, 20 and 16 pixels square
    bitmap101.bmp  black cross
    bitmap103.bmp  small dialog window with a tick mark
    bitmap104.bmp  compact disc
    bitmap105.bmp  blue disc with a white question mark
The four bitmaps are 16x16, hand-drawn where a shape needs it. bitmapNNN-SS.bmp is the same
picture drawn at SS x SS pixels (20, 24 and 32: the small-icon size at 120, 144 and 192 dpi)
from its geometry, so that it stays sharp where a scaled 16x16 one would be blocky; these
have a palette of only their own colours.
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

# The program icon's images: the small-icon sizes at 96, 120, 144 and 192 dpi, 32 also the large
# icon at 96 dpi (the system scales it for the larger ones).
ICON_SIZES = [32, 24, 20, 16]
# The menu pictures beside their 16x16 bitmaps: the small-icon sizes at 120, 144 and 192 dpi.
LARGER_PICTURE_SIZES = [20, 24, 32]

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


def segment_distance(x, y, a, b):
    """Distance from (x, y) to the segment from a to b."""
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def near_polyline(x, y, points, half_width):
    return any(segment_distance(x, y, points[i], points[i + 1]) <= half_width
               for i in range(len(points) - 1))


def cross(x, y, size):
    """Two black strokes corner to corner, as in the hand-drawn 16x16 cross."""
    u, v = x / size * 16, y / size * 16  # in the 16x16 drawing's units
    if near_polyline(u, v, [(2.6, 2.6), (13.4, 13.4)], 1.15) or \
            near_polyline(u, v, [(13.4, 2.6), (2.6, 13.4)], 1.15):
        return BLACK
    return BACKGROUND


def dialog_with_tick(size):
    """A window with a title bar, a white body with a green tick and a grey shadow; its lines
    are a whole number of pixels wide so that they stay even."""
    line = max(1, round(size / 16))
    title = max(2, round(size * 2 / 16))
    right, bottom = size - line, size - line  # the shadow takes the last column and row
    top = line
    split = round(size * 9 / 16)
    tick = [(3.5, 8.6), (6.5, 11.6), (12.4, 6.6)]

    def shade(x, y, _):
        if x >= right or y >= bottom:
            in_shadow = (x >= right and y >= top + line) or (y >= bottom and x >= line)
            return GRAY if in_shadow else BACKGROUND
        if y < top:
            return BACKGROUND
        if x < line or x >= right - line or y < top + line or y >= bottom - line:
            return BLACK
        if y < top + line + title:
            return NAVY if x < split else BLUE
        if y < top + 2 * line + title:
            return BLACK
        if near_polyline(x / size * 16, y / size * 16, tick, 0.85):
            return GREEN
        return WHITE

    return render(size, shade)


def question_on_blue_disc(x, y, size):
    """The blue disc with a white question mark: an arc, a stem and a dot."""
    colour = blue_disc(x, y, size)
    if colour != BLUE:
        return colour
    u, v = x / size * 16, y / size * 16
    radius, half_width = 2.3, 0.95
    centre = (8.0, 5.6)
    angle = math.degrees(math.atan2(centre[1] - v, u - centre[0]))
    on_arc = abs(math.hypot(u - centre[0], v - centre[1]) - radius) <= half_width and \
        (angle >= -50 or angle <= -170)
    end = (centre[0] + radius * math.cos(math.radians(-50)),
           centre[1] + radius * math.sin(math.radians(50)))
    on_stem = near_polyline(u, v, [end, (8.0, 8.3), (8.0, 8.9)], half_width)
    on_dot = math.hypot(u - 8.0, v - 11.0) <= 1.1
    return WHITE if on_arc or on_stem or on_dot else BLUE


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


def compact_bmp_file(image):
    """The picture with a palette of only the colours it uses, the background first, at one bit
    a pixel where two colours do and four otherwise: a larger picture takes few bytes."""
    used = [BACKGROUND] + sorted({c for row in image for c in row} - {BACKGROUND})
    index = {colour: i for i, colour in enumerate(used)}
    depth = 1 if len(used) <= 2 else 4
    per_byte = 8 // depth
    out = b''
    for row in reversed(image):
        values = [index[c] for c in row] + [0] * (-len(row) % per_byte)
        packed = bytes(sum(v << (8 - depth * (k + 1)) for k, v in enumerate(values[i:i + per_byte]))
                       for i in range(0, len(values), per_byte))
        out += padded(packed)
    size = len(image)
    palette = b''.join(struct.pack('<BBBB', PALETTE[c][2], PALETTE[c][1], PALETTE[c][0], 0)
                       for c in used)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(out), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, depth, 0, len(out), 0, 0, len(used), 0)
    return header + info + palette + out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        'ventrix.ico': ico_file([render(size, disc) for size in ICON_SIZES]),
        'bitmap101.bmp': bmp_file(from_letters(CROSS)),
        'bitmap103.bmp': bmp_file(from_letters(DIALOG_WITH_TICK)),
        'bitmap104.bmp': bmp_file(render(16, lambda x, y, s: disc(x, y, s, BACKGROUND))),
        'bitmap105.bmp': bmp_file(overlay(render(16, blue_disc), QUESTION_MARK)),
    }
    for size in LARGER_PICTURE_SIZES:
        outputs[f'bitmap101-{size}.bmp'] = compact_bmp_file(render(size, cross))
        outputs[f'bitmap103-{size}.bmp'] = compact_bmp_file(dialog_with_tick(size))
        outputs[f'bitmap104-{size}.bmp'] = compact_bmp_file(
            render(size, lambda x, y, s: disc(x, y, s, BACKGROUND)))
        outputs[f'bitmap105-{size}.bmp'] = compact_bmp_file(render(size, question_on_blue_disc))
    for name, data in outputs.items():
        with open(os.path.join(here, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
