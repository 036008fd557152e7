"""Palette and drawing helpers shared by the gallery's artwork, and the PNG files it writes.

The PNG files are written here rather than by cairo, so that the colour types are exact and
the bytes depend only on the pixels."""

import math
import struct
import zlib

import cairo

# The Talon 5800 panel's palette, with a flat card colour the opaque artwork is drawn over.
PAGE_TOP = (0.125, 0.133, 0.149)
PAGE_BOTTOM = (0.071, 0.075, 0.086)
CARD = (39 / 255, 41 / 255, 46 / 255)
WELL = (0.016, 0.022, 0.020)
ACCENT = (0.20, 0.92, 0.52)
ACCENT_BRIGHT = (0.62, 1.00, 0.78)
LABEL = (0.70, 0.72, 0.76)
LABEL_DIM = (0.46, 0.48, 0.52)
TITLE = (0.93, 0.94, 0.95)

SANS = "DejaVu Sans"
MONO = "DejaVu Sans Mono"


def new_surface(width, height):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(surface)
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    options.set_hint_metrics(cairo.HINT_METRICS_OFF)
    ctx.set_font_options(options)
    return surface, ctx


def point(cx, cy, radius, degrees):
    """A point at a mathematical angle (counter-clockwise from the right, y up)."""
    t = math.radians(degrees)
    return cx + radius * math.cos(t), cy - radius * math.sin(t)


def arc(ctx, cx, cy, radius, from_degrees, to_degrees):
    """Arc from one mathematical angle clockwise down to a smaller one."""
    ctx.arc(cx, cy, radius, -math.radians(from_degrees), -math.radians(to_degrees))


def rounded_rect(ctx, left, top, right, bottom, radius):
    ctx.new_sub_path()
    ctx.arc(right - radius, top + radius, radius, -math.pi / 2, 0)
    ctx.arc(right - radius, bottom - radius, radius, 0, math.pi / 2)
    ctx.arc(left + radius, bottom - radius, radius, math.pi / 2, math.pi)
    ctx.arc(left + radius, top + radius, radius, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def text(ctx, string, x, y, size, colour, face=SANS, bold=True, spacing=0.0, align=0.5):
    """Draws string with its baseline at y; align 0 puts its left at x, 0.5 its centre, 1 its
    right. spacing adds pixels between the letters. Returns the width."""
    weight = cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL
    ctx.select_font_face(face, cairo.FONT_SLANT_NORMAL, weight)
    ctx.set_font_size(size)
    advances = [ctx.text_extents(c).x_advance for c in string]
    width = sum(advances) + spacing * (len(string) - 1)
    cursor = x - width * align
    ctx.set_source_rgb(*colour)
    for c, advance in zip(string, advances):
        ctx.move_to(cursor, y)
        ctx.show_text(c)
        cursor += advance + spacing
    return width


def well(ctx, left, top, right, bottom, radius):
    """A recessed display window: dark glass, a shadow along its top, a lit lower lip."""
    rounded_rect(ctx, left - 1, top - 1, right + 1, bottom + 1, radius + 1)
    lip = cairo.LinearGradient(0, top - 1, 0, bottom + 1)
    lip.add_color_stop_rgba(0, 0, 0, 0, 0.55)
    lip.add_color_stop_rgba(1, 1, 1, 1, 0.10)
    ctx.set_source(lip)
    ctx.fill()
    rounded_rect(ctx, left, top, right, bottom, radius)
    ctx.set_source_rgb(*WELL)
    ctx.fill()
    rounded_rect(ctx, left, top, right, bottom, radius)
    ctx.save()
    ctx.clip()
    shade = cairo.LinearGradient(0, top, 0, top + 5)
    shade.add_color_stop_rgba(0, 0, 0, 0, 0.7)
    shade.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    ctx.set_source(shade)
    ctx.paint()
    ctx.restore()


# ----------------------------------------------------------------------------------------------
# PNG files


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def filtered_rows(rows, bpp):
    """Each scanline with the Sub or Up filter, whichever leaves the smaller residuals."""
    previous = bytes(len(rows[0]))
    out = []
    for row in rows:
        left = bytes(bpp) + row[:-bpp]
        sub = bytes((a - b) & 0xFF for a, b in zip(row, left))
        up = bytes((a - b) & 0xFF for a, b in zip(row, previous))
        cost = [sum(v if v < 128 else 256 - v for v in line) for line in (sub, up)]
        out.append(b"\x01" + sub if cost[0] <= cost[1] else b"\x02" + up)
        previous = row
    return b"".join(out)


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
            if not with_alpha:
                out += bytes((r, g, b))
            elif a == 0:
                out += b"\0\0\0\0"
            else:
                out += bytes((min(255, (r * 255 + a // 2) // a), min(255, (g * 255 + a // 2) // a),
                              min(255, (b * 255 + a // 2) // a), a))
        rows.append(bytes(out))
    return rows


def write_png(path, surface, with_alpha):
    """8-bit RGBA (colour type 6) with alpha, else 8-bit RGB (colour type 2)."""
    width, height = surface.get_width(), surface.get_height()
    colour_type, channels = (6, 4) if with_alpha else (2, 3)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    data = zlib.compress(filtered_rows(surface_rows(surface, with_alpha), channels), 9)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(png_chunk(b"IHDR", header))
        f.write(png_chunk(b"IDAT", data))
        f.write(png_chunk(b"IEND", b""))
