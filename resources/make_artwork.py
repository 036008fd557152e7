#!/usr/bin/python3
"""Draws the editor panel's artwork as antialiased vector art and writes the PNG files the
resource script stores in the plug-in:

  background.png  752 x 80, 8-bit RGB: the panel
  knob.png        80 x 4880, 8-bit RGBA: 61 knob frames of 80 x 80, shared by both knobs
  strip.png       228 x 1220, 8-bit RGBA: 61 frames of 228 x 20, the stereo-width display

and each of them again at two and three times the size (background@2x.png 1504 x 160, ...,
strip@3x.png 684 x 3660) for panels shown at 200 % and 300 %. The larger ones are the same
drawing under a scaled context, not the small pictures enlarged: every coordinate below is in
panel pixels at 100 %, and the pixel-aligned details (whole-pixel rows, lines on half pixels,
baselines) land on whole device pixels at every integer scale, so they stay as sharp.

Needs Debian's python3-cairo and fonts-dejavu-core for the lettering ("scripts/setup.sh
--artwork" installs both); the build does not run this script, it uses the committed PNG files.
Run it as /usr/bin/python3 make_artwork.py; the files land beside the script.
preview_panel.py composes them into a picture of the panel as the editor shows it (at 200 % or
300 % with --scale 2 or 3).

The PNG files are written by png_writer.py rather than by cairo, so that the colour types are
exact and the bytes depend only on the pixels."""

import math
import os

import cairo

from png_writer import RGB, RGBA, write_surface

HERE = os.path.dirname(os.path.abspath(__file__))

# The sizes the artwork is drawn at, as whole multiples of the 100 % panel.
SCALES = (1, 2, 3)

PANEL_WIDTH, PANEL_HEIGHT = 752, 80
KNOB_SIZE = 80
FRAME_COUNT = 61
STRIP_WIDTH, STRIP_HEIGHT = 228, 20

# Where the editor places its controls, as (left, top, right, bottom) in panel pixels.
EXPANSION_KNOB = (64, 0, 144, 80)
OUTPUT_KNOB = (488, 0, 568, 80)
EXPANSION_STRIP = (227, 26, 455, 46)
EXPANSION_TEXT = (154, 24, 202, 48)
OUTPUT_TEXT = (578, 24, 626, 48)

# The knob's travel: value 0 points at 225 degrees, value 1 at -45 (0 = right, 90 = up).
START_ANGLE, RANGE_ANGLE = 225.0, -270.0

# Radii inside the 80-pixel knob cell.
TRACK_RADIUS = 31.0
TRACK_WIDTH = 3.2
TICK_INNER, TICK_OUTER, MAJOR_TICK_OUTER = 35.0, 37.0, 38.0
TICK_COUNT = 11
SKIRT_RADIUS = 25.5
CAP_RADIUS = 19.5

SANS = "DejaVu Sans"
SANS_CONDENSED = "DejaVu Sans Condensed"

PANEL_TOP = (0.165, 0.176, 0.196)
PANEL_BOTTOM = (0.098, 0.105, 0.118)
WELL = (0.016, 0.022, 0.020)
ACCENT = (0.20, 0.92, 0.52)
ACCENT_BRIGHT = (0.62, 1.00, 0.78)
LABEL = (0.70, 0.72, 0.76)
LABEL_DIM = (0.46, 0.48, 0.52)
TITLE = (0.93, 0.94, 0.95)


# ----------------------------------------------------------------------------------------------
# Drawing helpers


def new_surface(width, height, scale=1):
    """A transparent surface of width x height panel pixels at the given scale, whose context
    takes coordinates in panel pixels."""
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width * scale, height * scale)
    ctx = cairo.Context(surface)
    ctx.scale(scale, scale)
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


def knob_angle(value):
    return START_ANGLE + RANGE_ANGLE * value


def arc_math(ctx, cx, cy, radius, from_degrees, to_degrees):
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
    right. spacing adds pixels between the letters."""
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


def engraved_text(ctx, string, x, y, size, colour, **kwargs):
    """Lettering printed on the panel: a faint dark shadow below it sets it into the metal.
    Returns the width of the string."""
    text(ctx, string, x, y + 1, size, (0.0, 0.0, 0.0), **kwargs)
    return text(ctx, string, x, y, size, colour, **kwargs)


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
    glass = cairo.LinearGradient(0, top, 0, bottom)
    glass.add_color_stop_rgba(0, *ACCENT, 0.035)
    glass.add_color_stop_rgba(1, *ACCENT, 0.0)
    ctx.set_source(glass)
    ctx.paint()
    ctx.restore()


def screw(ctx, cx, cy, slot_degrees):
    ctx.arc(cx, cy + 0.5, 5.2, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.6)
    ctx.fill()
    head = cairo.LinearGradient(cx - 4, cy - 4, cx + 4, cy + 4)
    head.add_color_stop_rgb(0, 0.42, 0.44, 0.47)
    head.add_color_stop_rgb(1, 0.17, 0.18, 0.20)
    ctx.arc(cx, cy, 4.4, 0, 2 * math.pi)
    ctx.set_source(head)
    ctx.fill()
    x0, y0 = point(cx, cy, 3.2, slot_degrees)
    x1, y1 = point(cx, cy, 3.2, slot_degrees + 180)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.set_line_width(1.3)
    ctx.set_source_rgba(0.04, 0.04, 0.05, 0.9)
    ctx.stroke()


# ----------------------------------------------------------------------------------------------
# Background


def panel_base(ctx):
    face = cairo.LinearGradient(0, 0, 0, PANEL_HEIGHT)
    face.add_color_stop_rgb(0, *PANEL_TOP)
    face.add_color_stop_rgb(1, *PANEL_BOTTOM)
    ctx.set_source(face)
    ctx.paint()
    # Fine horizontal grain, a fixed pattern so the file stays the same on every run.
    for y in range(1, PANEL_HEIGHT - 1):
        shade = ((y * 37) % 11) / 10.0
        ctx.set_source_rgba(1, 1, 1, 0.012 * shade)
        ctx.rectangle(0, y, PANEL_WIDTH, 1)
        ctx.fill()
    # Bevel: a lit top edge, a dark bottom edge, dark ends.
    ctx.set_line_width(1)
    for y, colour in ((0.5, (1, 1, 1, 0.16)), (1.5, (1, 1, 1, 0.05)),
                      (PANEL_HEIGHT - 0.5, (0, 0, 0, 0.7)), (PANEL_HEIGHT - 1.5, (0, 0, 0, 0.25))):
        ctx.move_to(0, y)
        ctx.line_to(PANEL_WIDTH, y)
        ctx.set_source_rgba(*colour)
        ctx.stroke()
    for x, colour in ((0.5, (1, 1, 1, 0.06)), (PANEL_WIDTH - 0.5, (0, 0, 0, 0.6))):
        ctx.move_to(x, 0)
        ctx.line_to(x, PANEL_HEIGHT)
        ctx.set_source_rgba(*colour)
        ctx.stroke()


def groove(ctx, x):
    """A vertical seam between two sections of the panel."""
    ctx.set_line_width(1)
    ctx.move_to(x + 0.5, 8)
    ctx.line_to(x + 0.5, PANEL_HEIGHT - 8)
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.stroke()
    ctx.move_to(x + 1.5, 8)
    ctx.line_to(x + 1.5, PANEL_HEIGHT - 8)
    ctx.set_source_rgba(1, 1, 1, 0.06)
    ctx.stroke()


def knob_scale(ctx, rect):
    """The recess, track and tick marks around a knob; the knob frames draw over them."""
    cx, cy = (rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2
    recess = cairo.RadialGradient(cx, cy, SKIRT_RADIUS, cx, cy, TRACK_RADIUS + 3)
    recess.add_color_stop_rgba(0, 0, 0, 0, 0.45)
    recess.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    ctx.arc(cx, cy, TRACK_RADIUS + 3, 0, 2 * math.pi)
    ctx.set_source(recess)
    ctx.fill()
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    arc_math(ctx, cx, cy, TRACK_RADIUS, START_ANGLE, START_ANGLE + RANGE_ANGLE)
    ctx.set_line_width(TRACK_WIDTH + 1.4)
    ctx.set_source_rgba(1, 1, 1, 0.07)
    ctx.stroke()
    arc_math(ctx, cx, cy, TRACK_RADIUS, START_ANGLE, START_ANGLE + RANGE_ANGLE)
    ctx.set_line_width(TRACK_WIDTH)
    ctx.set_source_rgb(0.035, 0.040, 0.045)
    ctx.stroke()
    for i in range(TICK_COUNT):
        degrees = START_ANGLE + RANGE_ANGLE * i / (TICK_COUNT - 1)
        major = i in (0, (TICK_COUNT - 1) // 2, TICK_COUNT - 1)
        x0, y0 = point(cx, cy, TICK_INNER, degrees)
        x1, y1 = point(cx, cy, MAJOR_TICK_OUTER if major else TICK_OUTER, degrees)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.set_line_width(1.4 if major else 1.0)
        ctx.set_source_rgb(*(LABEL if major else LABEL_DIM))
        ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def strip_well(ctx):
    left, top, right, bottom = EXPANSION_STRIP
    well(ctx, left - 2, top - 2, right + 2, bottom + 2, 3)
    centre = (left + right) / 2
    half = (right - left) / 2 - 4
    ctx.set_line_width(1)
    for i in range(-4, 5):
        x = round(centre + half * i / 4) + 0.5
        strength = 0.22 if i in (-4, 0, 4) else 0.11
        for y0, y1 in ((top + 1, top + 3), (bottom - 3, bottom - 1)):
            ctx.move_to(x, y0)
            ctx.line_to(x, y1)
            ctx.set_source_rgba(*ACCENT, strength)
            ctx.stroke()


def emblem(ctx, cx, cy):
    """The vendor's mark: a point with waves spreading to both sides."""
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.arc(cx, cy, 2.2, 0, 2 * math.pi)
    ctx.set_source_rgb(*ACCENT)
    ctx.fill()
    for radius, alpha in ((6.0, 1.0), (10.0, 0.7), (14.0, 0.4)):
        for side in (0.0, 180.0):
            arc_math(ctx, cx, cy, radius, side + 40, side - 40)
            ctx.set_line_width(1.8)
            ctx.set_source_rgba(*ACCENT, alpha)
            ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def lettering(ctx):
    # Vendor at the left end, under its mark.
    emblem(ctx, 32, 30)
    engraved_text(ctx, "MIREVOX", 32, 53, 8.5, LABEL, spacing=1.2)
    # Knob names above their value windows, units below them.
    for rect, name, unit in ((EXPANSION_TEXT, "EXPANSION", "%"), (OUTPUT_TEXT, "OUTPUT", "dB")):
        cx = (rect[0] + rect[2]) / 2
        engraved_text(ctx, name, cx, rect[1] - 8, 8, LABEL, spacing=0.9)
        engraved_text(ctx, unit, cx, rect[3] + 16, 8, LABEL_DIM, spacing=0.5)
    # The display's meaning: the picture spreads from mono in the centre to wide at the ends.
    left, top, right, bottom = EXPANSION_STRIP
    centre = (left + right) / 2
    engraved_text(ctx, "STEREO WIDTH", centre, top - 10, 8, LABEL, spacing=0.9)
    engraved_text(ctx, "MONO", centre, bottom + 16, 7, LABEL_DIM, spacing=0.8)
    engraved_text(ctx, "WIDE", left + 4, bottom + 16, 7, LABEL_DIM, spacing=0.8, align=0)
    engraved_text(ctx, "WIDE", right - 4, bottom + 16, 7, LABEL_DIM, spacing=0.8, align=1)
    engraved_text(ctx, "L", left - 11, top + 14, 8, LABEL_DIM)
    engraved_text(ctx, "R", right + 11, top + 14, 8, LABEL_DIM)
    # Product name at the right end.
    name_centre = (OUTPUT_TEXT[2] + 16 + PANEL_WIDTH) / 2
    name_size = 16.5
    ctx.select_font_face(SANS_CONDENSED, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(name_size)
    name_left = name_centre - ctx.text_extents("Talon 5800").x_advance / 2
    word = engraved_text(ctx, "Talon ", name_left, 41, name_size, TITLE, face=SANS_CONDENSED,
                         align=0)
    engraved_text(ctx, "5800", name_left + word, 41, name_size, ACCENT, face=SANS_CONDENSED,
                  align=0)
    engraved_text(ctx, "STEREO EXPANDER", name_centre, 56, 7, LABEL_DIM, spacing=0.8)


def draw_background(scale):
    surface, ctx = new_surface(PANEL_WIDTH, PANEL_HEIGHT, scale)
    panel_base(ctx)
    groove(ctx, OUTPUT_TEXT[2] + 14)
    for x, y, slot in ((12, 12, 30), (12, 68, 75), (PANEL_WIDTH - 12, 12, 120),
                       (PANEL_WIDTH - 12, 68, 10)):
        screw(ctx, x, y, slot)
    knob_scale(ctx, EXPANSION_KNOB)
    knob_scale(ctx, OUTPUT_KNOB)
    for rect in (EXPANSION_TEXT, OUTPUT_TEXT):
        well(ctx, rect[0] - 1, rect[1] - 1, rect[2] + 1, rect[3] + 1, 3)
    strip_well(ctx)
    lettering(ctx)
    return surface


# ----------------------------------------------------------------------------------------------
# Knob


def knob_value_arc(ctx, cx, cy, degrees):
    """The lit part of the track from the start of travel to the pointer, with a soft glow."""
    if degrees >= START_ANGLE - 0.01:
        return
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for width, alpha in ((TRACK_WIDTH + 4.0, 0.12), (TRACK_WIDTH + 1.8, 0.22),
                         (TRACK_WIDTH - 0.6, 1.0)):
        arc_math(ctx, cx, cy, TRACK_RADIUS, START_ANGLE, degrees)
        ctx.set_line_width(width)
        ctx.set_source_rgba(*ACCENT, alpha)
        ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def knob_body(ctx, cx, cy, degrees):
    # Shadow cast downwards onto the panel.
    shadow = cairo.RadialGradient(cx, cy + 2.5, SKIRT_RADIUS - 3, cx, cy + 2.5, SKIRT_RADIUS + 3)
    shadow.add_color_stop_rgba(0, 0, 0, 0, 0.75)
    shadow.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    ctx.arc(cx, cy + 2.5, SKIRT_RADIUS + 3, 0, 2 * math.pi)
    ctx.set_source(shadow)
    ctx.fill()
    # Skirt with a knurled edge that turns with the knob.
    skirt = cairo.LinearGradient(0, cy - SKIRT_RADIUS, 0, cy + SKIRT_RADIUS)
    skirt.add_color_stop_rgb(0, 0.36, 0.38, 0.41)
    skirt.add_color_stop_rgb(1, 0.10, 0.11, 0.12)
    ctx.arc(cx, cy, SKIRT_RADIUS, 0, 2 * math.pi)
    ctx.set_source(skirt)
    ctx.fill()
    ctx.set_line_width(1.1)
    for i in range(40):
        a = degrees + i * 9.0
        x0, y0 = point(cx, cy, CAP_RADIUS + 1.8, a)
        x1, y1 = point(cx, cy, SKIRT_RADIUS - 0.4, a)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.set_source_rgba(0, 0, 0, 0.30)
        ctx.stroke()
    ctx.arc(cx, cy, SKIRT_RADIUS - 0.5, 0, 2 * math.pi)
    rim = cairo.LinearGradient(0, cy - SKIRT_RADIUS, 0, cy + SKIRT_RADIUS)
    rim.add_color_stop_rgba(0, 1, 1, 1, 0.30)
    rim.add_color_stop_rgba(0.5, 1, 1, 1, 0.02)
    rim.add_color_stop_rgba(1, 0, 0, 0, 0.5)
    ctx.set_source(rim)
    ctx.set_line_width(1)
    ctx.stroke()
    knob_cap(ctx, cx, cy)
    knob_pointer(ctx, cx, cy, degrees)


def knob_cap(ctx, cx, cy):
    """The top face: a step down from the skirt, then a satin face lit from the upper left."""
    ctx.arc(cx, cy + 1, CAP_RADIUS + 0.8, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    face = cairo.LinearGradient(0, cy - CAP_RADIUS, 0, cy + CAP_RADIUS)
    face.add_color_stop_rgb(0, 0.27, 0.285, 0.31)
    face.add_color_stop_rgb(1, 0.14, 0.15, 0.165)
    ctx.arc(cx, cy, CAP_RADIUS, 0, 2 * math.pi)
    ctx.set_source(face)
    ctx.fill()
    sheen = cairo.RadialGradient(cx - 6, cy - 8, 0, cx - 6, cy - 8, CAP_RADIUS + 4)
    sheen.add_color_stop_rgba(0, 1, 1, 1, 0.16)
    sheen.add_color_stop_rgba(1, 1, 1, 1, 0.0)
    ctx.arc(cx, cy, CAP_RADIUS, 0, 2 * math.pi)
    ctx.set_source(sheen)
    ctx.fill()
    ctx.arc(cx, cy, CAP_RADIUS - 0.5, 0, 2 * math.pi)
    edge = cairo.LinearGradient(0, cy - CAP_RADIUS, 0, cy + CAP_RADIUS)
    edge.add_color_stop_rgba(0, 1, 1, 1, 0.22)
    edge.add_color_stop_rgba(1, 1, 1, 1, 0.03)
    ctx.set_source(edge)
    ctx.set_line_width(1)
    ctx.stroke()


def knob_pointer(ctx, cx, cy, degrees):
    x0, y0 = point(cx, cy, 7.5, degrees)
    x1, y1 = point(cx, cy, CAP_RADIUS - 3.0, degrees)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(x0, y0 + 0.8)
    ctx.line_to(x1, y1 + 0.8)
    ctx.set_line_width(3.2)
    ctx.set_source_rgba(0, 0, 0, 0.5)
    ctx.stroke()
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.set_line_width(2.6)
    ctx.set_source_rgb(0.96, 0.97, 0.97)
    ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def draw_knob_strip(scale):
    surface, ctx = new_surface(KNOB_SIZE, KNOB_SIZE * FRAME_COUNT, scale)
    for k in range(FRAME_COUNT):
        degrees = knob_angle(k / (FRAME_COUNT - 1))
        ctx.save()
        ctx.rectangle(0, k * KNOB_SIZE, KNOB_SIZE, KNOB_SIZE)
        ctx.clip()
        cx, cy = KNOB_SIZE / 2, k * KNOB_SIZE + KNOB_SIZE / 2
        knob_value_arc(ctx, cx, cy, degrees)
        knob_body(ctx, cx, cy, degrees)
        ctx.restore()
    return surface


# ----------------------------------------------------------------------------------------------
# Stereo-width strip


STRIP_MARGIN = 4.0
BAR_CENTRE_HEIGHT = 3.0
BAR_EDGE_HEIGHT = 13.0


def strip_frame(ctx, top, amount):
    """The image spreading from the centre: a shape that opens towards both ends, lit more
    strongly the further it reaches, with a bright edge where it stops."""
    cx, cy = STRIP_WIDTH / 2, top + STRIP_HEIGHT / 2
    reach = STRIP_WIDTH / 2 - STRIP_MARGIN
    half = 1.5 + (reach - 1.5) * amount

    def height_at(distance):
        return BAR_CENTRE_HEIGHT + (BAR_EDGE_HEIGHT - BAR_CENTRE_HEIGHT) * distance / reach

    edge_height = height_at(half)
    ctx.move_to(cx - half, cy - edge_height / 2)
    ctx.line_to(cx, cy - BAR_CENTRE_HEIGHT / 2)
    ctx.line_to(cx + half, cy - edge_height / 2)
    ctx.line_to(cx + half, cy + edge_height / 2)
    ctx.line_to(cx, cy + BAR_CENTRE_HEIGHT / 2)
    ctx.line_to(cx - half, cy + edge_height / 2)
    ctx.close_path()
    fill = cairo.LinearGradient(cx - reach, 0, cx + reach, 0)
    for stop, alpha in ((0.0, 0.95), (0.5, 0.30), (1.0, 0.95)):
        fill.add_color_stop_rgba(stop, *ACCENT, alpha)
    ctx.set_source(fill)
    ctx.fill()
    # Bright leading edges where the image stops.
    ctx.set_line_width(1.6)
    for x in (cx - half + 0.8, cx + half - 0.8):
        ctx.move_to(x, cy - edge_height / 2)
        ctx.line_to(x, cy + edge_height / 2)
        ctx.set_source_rgba(*ACCENT_BRIGHT, 0.95)
        ctx.stroke()
    # A glow around the whole shape.
    ctx.rectangle(cx - half - 2, cy - edge_height / 2 - 2, 2 * half + 4, edge_height + 4)
    glow = cairo.LinearGradient(0, cy - edge_height / 2 - 2, 0, cy + edge_height / 2 + 2)
    glow.add_color_stop_rgba(0, *ACCENT, 0.0)
    glow.add_color_stop_rgba(0.5, *ACCENT, 0.10)
    glow.add_color_stop_rgba(1, *ACCENT, 0.0)
    ctx.set_source(glow)
    ctx.fill()
    # The centre, where mono sits, always marked.
    ctx.rectangle(cx - 0.75, cy - 4, 1.5, 8)
    ctx.set_source_rgba(*ACCENT_BRIGHT, 0.9)
    ctx.fill()


def draw_strip(scale):
    surface, ctx = new_surface(STRIP_WIDTH, STRIP_HEIGHT * FRAME_COUNT, scale)
    for k in range(FRAME_COUNT):
        ctx.save()
        ctx.rectangle(0, k * STRIP_HEIGHT, STRIP_WIDTH, STRIP_HEIGHT)
        ctx.clip()
        strip_frame(ctx, k * STRIP_HEIGHT, k / (FRAME_COUNT - 1))
        ctx.restore()
    return surface


def artwork_name(stem, scale):
    """background.png at 100 %, background@2x.png at 200 %, ..."""
    return stem + ("" if scale == 1 else "@%dx" % scale) + ".png"


def main():
    for scale in SCALES:
        for stem, draw, colour_type in (("background", draw_background, RGB),
                                        ("knob", draw_knob_strip, RGBA),
                                        ("strip", draw_strip, RGBA)):
            write_surface(os.path.join(HERE, artwork_name(stem, scale)), draw(scale),
                          colour_type)


if __name__ == "__main__":
    main()
