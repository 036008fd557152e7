#!/usr/bin/env python3
"""Writes the small images the bitmap tests decode, chunk by chunk, so that every byte of
every file is known: one image per colour type and bit depth, an interlaced picture and its
plain twin, a film strip, a plain BMP and a few damaged or hostile files.

Run from anywhere: python3 make_test_pngs.py. The files land beside this script."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SIGNATURE = b"\x89PNG\r\n\x1a\n"

GREY, RGB, PALETTE, GREY_ALPHA, RGBA = 0, 2, 3, 4, 6
CHANNELS = {GREY: 1, RGB: 3, PALETTE: 1, GREY_ALPHA: 2, RGBA: 4}
FILTER_NONE = 0

# Adam7: (first column, first row, column step, row step) of each pass.
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]


def chunk(kind, data, crc=None):
    body = kind + data
    if crc is None:
        crc = zlib.crc32(body) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + body + struct.pack(">I", crc)


def ihdr(width, height, depth, colour, interlace=0):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace))


def pack_row(samples, depth):
    """One scanline's samples (already flattened over channels) packed at the bit depth."""
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    per_byte = 8 // depth
    out = bytearray()
    for start in range(0, len(samples), per_byte):
        group = samples[start:start + per_byte]
        value = 0
        for i, s in enumerate(group):
            value |= s << (8 - depth * (i + 1))
        out.append(value)
    return bytes(out)


def scanlines(rows, depth):
    """rows: list of rows, each a list of pixels, each a tuple of channel samples."""
    return b"".join(bytes([FILTER_NONE]) + pack_row([s for p in row for s in p], depth)
                    for row in rows)


def adam7_scanlines(rows, depth):
    height, width = len(rows), len(rows[0])
    out = b""
    for x0, y0, dx, dy in ADAM7:
        sub = [[rows[y][x] for x in range(x0, width, dx)] for y in range(y0, height, dy)]
        if sub and sub[0]:
            out += scanlines(sub, depth)
    return out


def png(rows, depth, colour, extra=b"", interlace=0):
    raw = adam7_scanlines(rows, depth) if interlace else scanlines(rows, depth)
    return (SIGNATURE + ihdr(len(rows[0]), len(rows), depth, colour, interlace) + extra +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def grey(values):
    return [[(v,) for v in row] for row in values]


def palette_chunk(entries):
    return chunk(b"PLTE", bytes(c for entry in entries for c in entry))


PALETTE_ENTRIES = [(255, 0, 0), (0, 0, 255), (200, 100, 50), (0, 0, 0)]


def interlace_picture():
    """13 x 11 RGBA: sizes that leave every Adam7 pass a partial last block."""
    return [[((x * 19) % 256, (y * 23) % 256, (x * y * 7) % 256, 255 - x * y)
             for x in range(13)] for y in range(11)]


def bilevel_picture():
    return [[((x * 3 + y * 5) // 2 % 2,) for x in range(10)] for y in range(9)]


def film_strip():
    """61 frames of 80 x 80, frame n a solid opaque colour (4n, 255 - 4n, n)."""
    rows = []
    for frame in range(61):
        colour = (4 * frame, 255 - 4 * frame, frame, 255)
        rows.extend([[colour] * 80] * 80)
    return rows


def stored_idat_per_row(rows, depth):
    """IDAT chunks of an uncompressed zlib stream, one scanline per chunk after the first,
    so that a cut after chunk k leaves exactly k decodable rows."""
    lines = [scanlines([row], depth) for row in rows]
    raw = b"".join(lines)
    header = b"\x78\x01" + b"\x01" + struct.pack("<HH", len(raw), len(raw) ^ 0xFFFF)
    adler = struct.pack(">I", zlib.adler32(raw) & 0xFFFFFFFF)
    pieces = [header + lines[0]] + lines[1:-1] + [lines[-1] + adler]
    return b"".join(chunk(b"IDAT", piece) for piece in pieces)


def truncated():
    rows = [[(10 * y + x, 100 + y, 200 - x) for x in range(4)] for y in range(4)]
    whole = SIGNATURE + ihdr(4, 4, 8, RGB) + stored_idat_per_row(rows, 8)
    third_chunk = whole.index(b"IDAT", whole.index(b"IDAT", whole.index(b"IDAT") + 4) + 4) - 4
    return whole[:third_chunk + 10]


def with_bad_crc(data, kind):
    at = data.index(kind) - 4
    length = struct.unpack(">I", data[at:at + 4])[0]
    crc_at = at + 8 + length
    broken = (struct.unpack(">I", data[crc_at:crc_at + 4])[0] ^ 0x5A5A5A5A) & 0xFFFFFFFF
    return data[:crc_at] + struct.pack(">I", broken) + data[crc_at + 4:]


def claimed_size(width, height):
    """A valid header claiming width x height over the data of a 1 x 1 grey image."""
    return (SIGNATURE + ihdr(width, height, 8, GREY) +
            chunk(b"IDAT", zlib.compress(b"\x00\x80")) + chunk(b"IEND", b""))


def bmp(rows):
    """24-bit bottom-up BMP; rows given top first as (red, green, blue)."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes(c for r, g, b in row for c in (b, g, r)).ljust(stride, b"\0")
                      for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835,
                       0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def files():
    rgba2x2 = [[(200, 100, 50, 128), (255, 255, 255, 0)], [(10, 20, 30, 255), (255, 128, 0, 64)]]
    rgb2x2 = [[(200, 100, 50), (255, 0, 0)], [(0, 255, 0), (0, 0, 255)]]
    return {
        "grey1.png": png(grey([[1, 0, 1, 1, 0, 0, 1, 0], [0, 1, 0, 0, 1, 1, 0, 1]]), 1, GREY),
        "grey2.png": png(grey([[0, 1, 2, 3]]), 2, GREY),
        "grey4.png": png(grey([[1, 7, 14, 15]]), 4, GREY),
        "grey8.png": png(grey([[0, 1, 128, 255]]), 8, GREY),
        "grey16.png": png(grey([[0x0000, 0x12FF, 0xABCD, 0xFFFF]]), 16, GREY),
        "grey8_trns.png": png(grey([[10, 128, 200]]), 8, GREY, chunk(b"tRNS", b"\x00\x80")),
        "greyalpha8.png": png([[(200, 128), (50, 0), (255, 255), (10, 1)]], 8, GREY_ALPHA),
        "greyalpha16.png": png([[(0xC801, 0x80FF), (0x3200, 0x0000), (0xFFFF, 0xFFFF)]], 16,
                               GREY_ALPHA),
        "rgb8.png": png(rgb2x2, 8, RGB),
        "rgb8_trns.png": png([[(10, 20, 30), (40, 50, 60)]], 8, RGB,
                             chunk(b"tRNS", struct.pack(">HHH", 40, 50, 60))),
        "rgb16.png": png([[(0xC8AA, 0x64BB, 0x32CC), (0x0102, 0xFEFF, 0x8000)]], 16, RGB),
        "rgba8.png": png(rgba2x2, 8, RGBA),
        "rgba16.png": png([[(0xC8FF, 0x6400, 0x3280, 0x8001), (0xFFFF, 0xFFFF, 0xFFFF, 0x0000)]],
                          16, RGBA),
        "palette2.png": png(grey([[0, 1, 2, 3], [3, 2, 1, 0]]), 2, PALETTE,
                            palette_chunk(PALETTE_ENTRIES)),
        "palette8_trns.png": png(grey([[0, 1, 2, 3]]), 8, PALETTE,
                                 palette_chunk(PALETTE_ENTRIES) + chunk(b"tRNS", b"\x00\x80")),
        "interlaced.png": png(interlace_picture(), 8, RGBA, interlace=1),
        "interlaced_twin.png": png(interlace_picture(), 8, RGBA),
        "interlaced_grey1.png": png(bilevel_picture(), 1, GREY, interlace=1),
        "interlaced_grey1_twin.png": png(bilevel_picture(), 1, GREY),
        "filmstrip.png": png(film_strip(), 8, RGBA),
        "at_limit.png": png(grey([[x % 2 for x in range(16384)]]), 1, GREY),
        "truncated.png": truncated(),
        "bad_crc_header.png": with_bad_crc(png(rgb2x2, 8, RGB), b"IHDR"),
        "bad_crc_data.png": with_bad_crc(png(rgb2x2, 8, RGB), b"IDAT"),
        "too_wide.png": claimed_size(16385, 1),
        "too_tall.png": claimed_size(1, 16385),
        "absurd.png": claimed_size(0x7FFFFFFF, 0x7FFFFFFF),
        "plain.bmp": bmp([[(255, 255, 255), (255, 0, 0), (255, 255, 255), (0, 0, 255)],
                          [(0, 255, 0), (255, 255, 255), (0, 0, 0), (10, 20, 30)]]),
    }


def main():
    for name, data in files().items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
