"""Writes 8-bit RGB and RGBA PNG files from a cairo image surface, for make_artwork.py.

Written here rather than by cairo, so that the colour types are exact and the bytes depend only
on the pixels: each scanline takes the filter with the smallest residuals, and the data is
deflated at zlib's best level."""

import struct
import zlib

RGB, RGBA = 2, 6


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered_rows(rows, bpp):
    """Each scanline with the filter that gives the smallest sum of absolute residuals."""
    previous = bytes(len(rows[0]))
    out = []
    for row in rows:
        width = len(row)
        left = bytes(bpp) + row[:-bpp]
        upper_left = bytes(bpp) + previous[:-bpp]
        candidates = [
            (0, row),
            (1, bytes((row[i] - left[i]) & 0xFF for i in range(width))),
            (2, bytes((row[i] - previous[i]) & 0xFF for i in range(width))),
            (3, bytes((row[i] - ((left[i] + previous[i]) >> 1)) & 0xFF for i in range(width))),
            (4, bytes((row[i] - paeth(left[i], previous[i], upper_left[i])) & 0xFF
                      for i in range(width))),
        ]
        best = min(candidates, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1]))
        out.append(bytes([best[0]]) + best[1])
        previous = row
    return b"".join(out)


def write_png(path, width, height, colour_type, rows):
    channels = {RGB: 3, RGBA: 4}[colour_type]
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    data = zlib.compress(filtered_rows(rows, channels), 9)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(png_chunk(b"IHDR", header))
        f.write(png_chunk(b"IDAT", data))
        f.write(png_chunk(b"IEND", b""))


def surface_rows(surface, with_alpha):
    """Scanlines of a cairo ARGB32 surface (native little-endian, premultiplied) as straight
    RGB or RGBA bytes."""
    surface.flush()
    width, height, stride = surface.get_width(), surface.get_height(), surface.get_stride()
    pixels = bytes(surface.get_data())
    rows = []
    for y in range(height):
        line = pixels[y * stride:y * stride + width * 4]
        out = bytearray()
        for x in range(0, width * 4, 4):
            b, g, r, a = line[x], line[x + 1], line[x + 2], line[x + 3]
            if with_alpha:
                if a == 0:
                    out += b"\0\0\0\0"
                else:
                    out += bytes((min(255, (r * 255 + a // 2) // a),
                                  min(255, (g * 255 + a // 2) // a),
                                  min(255, (b * 255 + a // 2) // a), a))
            else:
                out += bytes((r, g, b))
        rows.append(bytes(out))
    return rows


def write_surface(path, surface, colour_type):
    rows = surface_rows(surface, with_alpha=colour_type == RGBA)
    write_png(path, surface.get_width(), surface.get_height(), colour_type, rows)
