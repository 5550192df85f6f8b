#!/usr/bin/env python3
"""Draws Quillet's application icon and writes it as res/app_icon.ico, and as the PNG files
res/icons/quillet-32.png and res/icons/quillet-16.png that the desktop's icon theme gets.

The picture: a script page with a header line, body lines and a footer line, and a quill
writing on it. Two images, 32 x 32 and 16 x 16, 16 colours (4 bits per pixel) with a
transparency mask, as the window's big and small icons. Standard library only; run it again
after changing the drawing and commit the .ico and the .png files.
"""
import pathlib
import struct
import sys
import zlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, TEAL, SILVER, GREY, BLUE, WHITE = 0, 4, 6, 7, 8, 12, 15
CLEAR = None


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / 32.0
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def polygon(self, points, colour):
        """Fills the polygon given in 32-pixel units, sampling at pixel centres."""
        pts = [(x * self.scale, y * self.scale) for x, y in points]
        for row in range(self.size):
            cy = row + 0.5
            crossings = []
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    crossings.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for left, right in zip(crossings[::2], crossings[1::2]):
                for col in range(self.size):
                    if left <= col + 0.5 < right:
                        self.pixels[row][col] = colour

    def rect(self, x0, y0, x1, y1, colour):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour)

    def outline(self, colour):
        """Draws a one-pixel edge around every painted area."""
        painted = [[p is not CLEAR for p in row] for row in self.pixels]
        for row in range(self.size):
            for col in range(self.size):
                if not painted[row][col]:
                    continue
                for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
                    r, c = row + dr, col + dc
                    if not (0 <= r < self.size and 0 <= c < self.size) or not painted[r][c]:
                        self.pixels[row][col] = colour
                        break


def draw(size):
    canvas = Canvas(size)
    # The page, with its top right corner folded down.
    canvas.polygon([(4, 2), (19, 2), (25, 8), (25, 30), (4, 30)], WHITE)
    canvas.outline(GREY)
    canvas.polygon([(19, 2), (19, 8), (25, 8)], SILVER)
    # Header line, body lines (the copies), footer line.
    if size >= 32:
        canvas.rect(7, 6, 16, 8, NAVY)
        for top, right in ((11, 21), (14, 18), (17, 21), (20, 17)):
            canvas.rect(7, top, right, top + 1, GREY)
        canvas.rect(7, 25, 15, 27, NAVY)
    else:
        canvas.rect(8, 6, 16, 10, NAVY)
        canvas.rect(8, 14, 20, 16, GREY)
        canvas.rect(8, 24, 16, 28, NAVY)
    # The quill: vane, shaft and nib, from the top right down to the page's lower middle.
    canvas.polygon([(31, 1), (27, 3), (22, 9), (18, 16), (16, 21), (20, 17), (26, 10),
                    (30, 5)], BLUE)
    canvas.polygon([(31, 1), (29, 3), (24, 9), (19, 16), (16, 21), (17, 21), (21, 16),
                    (26, 9)], TEAL)
    canvas.polygon([(16, 21), (17, 22), (14, 27), (13, 26)], BLACK)
    canvas.rect(12, 27, 14, 29, BLACK)
    return canvas.pixels


def bitmap(pixels):
    """One icon image: header, palette, 4-bit colour rows and 1-bit mask rows, bottom up."""
    size = len(pixels)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(colour_stride)
        bits = bytearray(mask_stride)
        for col, index in enumerate(row):
            value = 0 if index is CLEAR else index
            line[col // 2] |= value << (4 if col % 2 == 0 else 0)
            if index is CLEAR:
                bits[col // 8] |= 0x80 >> (col % 8)
        colour += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def png_file(pixels):
    """The same image as a PNG: 8-bit RGBA, the clear pixels fully transparent."""
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for index in row:
            raw += bytes((0, 0, 0, 0)) if index is CLEAR else bytes(PALETTE[index] + (255,))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    res = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                       pathlib.Path(__file__).resolve().parent.parent / "res")
    images = {size: draw(size) for size in (32, 16)}
    target = res / "app_icon.ico"
    target.write_bytes(icon_file([(size, bitmap(pixels)) for size, pixels in images.items()]))
    print(f"wrote {target}")
    (res / "icons").mkdir(exist_ok=True)
    for size, pixels in images.items():
        target = res / "icons" / f"quillet-{size}.png"
        target.write_bytes(png_file(pixels))
        print(f"wrote {target}")


if __name__ == "__main__":
    main()
