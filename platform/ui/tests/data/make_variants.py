#!/usr/bin/env python3
"""Writes the BMP and ICO variants ImageMagick does not: an 8-bit and a 1-bit BMP, a top-down
24-bit BMP, and an icon whose entry is a PNG (alpha.png). Same 16 x 12 quarters as the other
fixtures (red, lime / blue, white)."""
import struct

W, H = 16, 12
RED, LIME, BLUE, WHITE = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)


def colour(x, y):
    if y < 6:
        return RED if x < 8 else LIME
    return BLUE if x < 8 else WHITE


def bmp(bits, rows_top_down, palette, pixel_bytes, top_down=False):
    stride = ((W * bits + 31) // 32) * 4
    rows = [pixel_bytes(y).ljust(stride, b"\0") for y in range(H)]
    if not top_down:
        rows.reverse()
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    data = b"".join(rows)
    off = 14 + 40 + len(pal)
    head = struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, W, -H if top_down else H, 1, bits, 0, len(data), 3780, 3780,
                       len(palette), 0)
    return head + info + pal + data


palette8 = [RED, LIME, BLUE, WHITE] + [(i, i, i) for i in range(252)]
index = {RED: 0, LIME: 1, BLUE: 2, WHITE: 3}
with open("quad-8bit.bmp", "wb") as f:
    f.write(bmp(8, None, palette8, lambda y: bytes(index[colour(x, y)] for x in range(W))))

with open("quad-topdown.bmp", "wb") as f:
    f.write(bmp(24, None, [], lambda y: b"".join(bytes((c[2], c[1], c[0])) for c in (colour(x, y) for x in range(W))),
                top_down=True))


def mono_row(y):
    # White where the quarter is white or lime (light), black elsewhere; bit 7 is the left pixel.
    bits = [1 if colour(x, y) in (WHITE, LIME) else 0 for x in range(W)]
    return bytes(sum(b << (7 - i) for i, b in enumerate(bits[k:k + 8])) for k in range(0, W, 8))


with open("mono.bmp", "wb") as f:
    f.write(bmp(1, None, [(0, 0, 0), (255, 255, 255)], mono_row))

png = open("alpha.png", "rb").read()
with open("png-entry.ico", "wb") as f:
    f.write(struct.pack("<HHH", 0, 1, 1))
    f.write(struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(png), 6 + 16))
    f.write(png)
