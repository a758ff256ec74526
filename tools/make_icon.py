#!/usr/bin/env python3
"""Draws the program icon: a small screen with a curtain drawn half across it.

Writes resources/mirel.ico with four images: 32x32 and 16x16, each in 16 and in 256 colours.
Run it again only to change the design; the .ico is kept in the repository.
"""
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


def main(path):
    specs = [(32, 4), (32, 8), (16, 4), (16, 8)]
    images = [image(size, bpp) for size, bpp in specs]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(specs, images):
        out += struct.pack("<BBBBHHII", size, size, 16 if bpp == 4 else 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/mirel.ico")
