#!/usr/bin/env python3
"""Draws the program icon: a small screen with a curtain drawn half across it.

Writes resources/mirel.ico with four images: 32x32 and 16x16, each in 16 and in 256 colours.
Beside it, the notification-area icon in the flat one-colour style of today's taskbar, drawn
pixel by pixel for each small-icon size (16, 20, 24 and 32: 100 %, 125 %, 150 % and 200 %
scaling), in two versions: resources/tray-light-taskbar.ico, a dark glyph for a light
taskbar, and resources/tray-dark-taskbar.ico, a white one for a dark taskbar.
Run it again only to change the design; the .ico files are kept in the repository.

    tools/make_icon.py [RESOURCES_FOLDER]
"""
import os
import struct
import sys

# The 16 standard VGA colours (also the first 16 of the 256-colour palette).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, TEAL, SILVER, GREY, BLUE, CYAN, WHITE, YELLOW, OLIVE = 0, 4, 6, 7, 8, 12, 14, 15, 11, 3
TRANSPARENT = None


def draw(size):
    """Returns rows (top first) of palette indices or TRANSPARENT."""
    s = size / 32.0
    px = [[TRANSPARENT] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    rect(2, 4, 30, 24, BLACK)      # bezel outline
    rect(3, 5, 29, 23, GREY)       # bezel
    rect(5, 7, 27, 21, BLUE)       # screen
    rect(7, 9, 15, 14, CYAN)       # a window on the desktop
    rect(16, 7, 27, 21, YELLOW)    # the curtain, drawn from the right
    for y in range(7, 21, 3):
        rect(16, y, 27, y + 1, OLIVE)  # its folds
    rect(13, 24, 19, 27, GREY)     # stand
    rect(9, 27, 23, 29, BLACK)     # foot
    rect(10, 27, 22, 28, SILVER)
    return px


def image(size, bpp):
    px = draw(size)
    colours = 1 << bpp
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
    palette += b"\0\0\0\0" * (colours - 16)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, colours, 0)
    xor_rows = []
    and_rows = []
    for row in reversed(px):
        if bpp == 8:
            data = bytes(0 if c is None else c for c in row)
        else:
            data = bytearray()
            for i in range(0, size, 2):
                a = row[i] or 0
                b = row[i + 1] or 0
                data.append((a << 4) | b)
            data = bytes(data)
        xor_rows.append(data + b"\0" * ((-len(data)) % 4))
        mask = bytearray((size + 7) // 8)
        for i, c in enumerate(row):
            if c is None:
                mask[i // 8] |= 0x80 >> (i % 8)
        mask = bytes(mask)
        and_rows.append(mask + b"\0" * ((-len(mask)) % 4))
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


TRAY_SIZES = [16, 20, 24, 32]
GLYPH_ON_LIGHT = (0x1F, 0x1F, 0x1F)  # the taskbar's own dark text colour
GLYPH_ON_DARK = (0xFF, 0xFF, 0xFF)


def tray_glyph(size):
    """Rows (top first) of booleans: the screen's frame, a window on its desktop, the curtain
    drawn from the right as slats, the stand. Coordinates are on a 16-pixel design grid,
    rounded to whole pixels at each size; lines are 1 pixel wide up to 20 pixels, 2 above."""
    line = 1 if size < 24 else 2
    on = [[False] * size for _ in range(size)]

    def at(v):
        return int(v * size / 16.0 + 0.5)

    def fill(x0, y0, x1, y1, value=True):
        for y in range(max(0, y0), min(size, y1)):
            for x in range(max(0, x0), min(size, x1)):
                on[y][x] = value

    left, top, right, bottom = at(0.5), at(1.5), size - at(0.5), at(12)
    fill(left, top, right, bottom)                                # the frame ...
    fill(left + line, top + line, right - line, bottom - line, False)  # ... and the screen in it
    inner_top, inner_bottom = top + line + line, bottom - line - line
    middle = (left + right) // 2
    fill(left + line * 2, inner_top, middle - line, inner_top + max(2, at(3)))  # a window
    for y in range(inner_top - line, inner_bottom + line):        # the curtain's slats
        if (y - inner_top + line) % (line + 2) < 2:
            fill(middle, y, right - line, y + 1)
    stem = max(2, at(2))
    fill((size - stem) // 2, bottom, (size - stem) // 2 + stem, at(14))  # the stand
    fill(at(4), at(14), size - at(4), at(14) + line)              # its foot
    return on


def tray_image(size, colour):
    """A 32-bit image with an alpha channel (its mask follows the alpha)."""
    on = tray_glyph(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    red, green, blue = colour
    xor_rows = []
    and_rows = []
    for row in reversed(on):
        xor_rows.append(b"".join(struct.pack("<BBBB", blue, green, red, 255) if c else b"\0\0\0\0" for c in row))
        mask = bytearray((size + 7) // 8)
        for i, c in enumerate(row):
            if not c:
                mask[i // 8] |= 0x80 >> (i % 8)
        and_rows.append(bytes(mask) + b"\0" * ((-len(mask)) % 4))
    return header + b"".join(xor_rows) + b"".join(and_rows)


def write_ico(path, entries):
    """entries: (size, colours in the palette or 0, bits per pixel, image data)."""
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, colours, bpp, data in entries:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, _, data in entries)
    with open(path, "wb") as f:
        f.write(out)


def main(folder):
    formats = [(32, 4), (32, 8), (16, 4), (16, 8)]
    write_ico(os.path.join(folder, "mirel.ico"),
              [(size, 16 if bpp == 4 else 0, bpp, image(size, bpp)) for size, bpp in formats])
    for name, colour in [("tray-light-taskbar.ico", GLYPH_ON_LIGHT), ("tray-dark-taskbar.ico", GLYPH_ON_DARK)]:
        write_ico(os.path.join(folder, name), [(size, 0, 32, tray_image(size, colour)) for size in TRAY_SIZES])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources")
