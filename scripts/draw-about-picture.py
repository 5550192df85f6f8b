#!/usr/bin/env python3
"""Draws the About box's picture and writes it as res/about_picture.bmp.

The picture tells what Quillet does: a stack of drawing sheets on the left, an arrow, and on the
right the one script page they become, with its header, the copies and its footer, and the quill
that writes it. 91 x 55 pixels, 4 bits per pixel with the standard 16-colour palette,
uncompressed. Standard library only; run it again after changing the drawing and commit the .bmp.
"""
import pathlib
import struct
import sys

WIDTH, HEIGHT = 91, 55

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, TEAL, SILVER, GREY, YELLOW, BLUE, CYAN, WHITE = 0, 4, 6, 7, 8, 11, 12, 14, 15


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def polygon(self, points, colour):
        """Fills the polygon, sampling at pixel centres."""
        for row in range(self.height):
            cy = row + 0.5
            crossings = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    crossings.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for left, right in zip(crossings[::2], crossings[1::2]):
                for col in range(self.width):
                    if left <= col + 0.5 < right:
                        self.pixels[row][col] = colour

    def rect(self, x0, y0, x1, y1, colour):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour)

    def frame(self, x0, y0, x1, y1, colour):
        """A one-pixel outline just inside the rectangle."""
        self.rect(x0, y0, x1, y0 + 1, colour)
        self.rect(x0, y1 - 1, x1, y1, colour)
        self.rect(x0, y0, x0 + 1, y1, colour)
        self.rect(x1 - 1, y0, x1, y1, colour)


def sheet(canvas, x, y):
    """One drawing sheet: a white page with a blue plan on it."""
    canvas.rect(x, y, x + 22, y + 16, WHITE)
    canvas.frame(x, y, x + 22, y + 16, GREY)
    canvas.frame(x + 3, y + 3, x + 13, y + 12, BLUE)
    canvas.rect(x + 8, y + 3, x + 9, y + 12, BLUE)
    canvas.rect(x + 15, y + 10, x + 20, y + 13, NAVY)


def draw():
    canvas = Canvas(WIDTH, HEIGHT, TEAL)
    canvas.frame(0, 0, WIDTH, HEIGHT, NAVY)
    # The folder's drawings, one behind the other.
    for step in range(3):
        sheet(canvas, 4 + 4 * step, 6 + 7 * step)
    # The arrow from the drawings to the script.
    canvas.polygon([(36, 25), (43, 25), (43, 21), (50, 28), (43, 35), (43, 31), (36, 31)],
                   YELLOW)
    # The script page, its top right corner folded down.
    canvas.polygon([(54, 4), (76, 4), (83, 11), (83, 51), (54, 51)], WHITE)
    canvas.polygon([(76, 4), (76, 11), (83, 11)], SILVER)
    canvas.polygon([(54, 4), (76, 4), (76, 5), (55, 5), (55, 50), (82, 50), (82, 11),
                    (83, 11), (83, 51), (54, 51)], GREY)
    # Header, one line for each drawing, footer.
    canvas.rect(58, 9, 71, 12, NAVY)
    for top, right in ((17, 78), (22, 75), (27, 78), (32, 74), (37, 77)):
        canvas.rect(58, top, right, top + 2, GREY)
    canvas.rect(58, 43, 70, 46, NAVY)
    # The quill: vane, shaft and nib, writing at the page's lower right.
    canvas.polygon([(89, 2), (84, 5), (78, 14), (73, 25), (71, 33), (76, 26), (83, 16),
                    (88, 7)], BLUE)
    canvas.polygon([(89, 2), (86, 5), (80, 14), (75, 25), (71, 33), (72, 33), (78, 25),
                    (84, 14)], CYAN)
    canvas.polygon([(71, 33), (73, 34), (69, 41), (68, 40)], BLACK)
    return canvas.pixels


def bitmap_file(pixels):
    """The BMP: file header, info header, palette and 4-bit rows, bottom up."""
    height = len(pixels)
    width = len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    rows = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for col, index in enumerate(row):
            line[col // 2] |= index << (4 if col % 2 == 0 else 0)
        rows += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 2835, 2835, 16,
                       0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + bytes(rows)


def main():
    target = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                          pathlib.Path(__file__).resolve().parent.parent / "res" /
                          "about_picture.bmp")
    pixels = draw()
    assert len(pixels) == HEIGHT and all(len(row) == WIDTH for row in pixels)
    target.write_bytes(bitmap_file(pixels))
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
