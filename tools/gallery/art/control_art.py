"""The controls' own artwork for the gallery: knob faces, film strips, slider parts, meter
ladders, digits, buttons and switches, the menu's well and the splash card. Every opaque piece
is drawn over the card colour, so that it sits seamlessly on its card."""

import math

import cairo

import layout
from paint import (ACCENT, ACCENT_BRIGHT, CARD, LABEL, LABEL_DIM, MONO, TITLE, WELL, arc,
                   new_surface, point, rounded_rect, text, well)

# Knob travel: value 0 at 225 degrees, value 1 at -45 (0 = right, counter-clockwise).
START_ANGLE, RANGE_ANGLE = 225.0, -270.0
AMBER = (1.00, 0.70, 0.22)
RED = (1.00, 0.32, 0.28)


def knob_angle(value):
    return START_ANGLE + RANGE_ANGLE * value


def card_surface(width, height):
    surface, ctx = new_surface(width, height)
    ctx.set_source_rgb(*CARD)
    ctx.paint()
    return surface, ctx


def strip(name, draw_frame):
    """A vertical film strip: draw_frame(ctx, k, count) paints frame k into (0, 0, w, h)."""
    width, height, count = layout.STRIPS[name]
    surface, ctx = card_surface(width, height * count)
    for k in range(count):
        ctx.save()
        ctx.translate(0, k * height)
        ctx.rectangle(0, 0, width, height)
        ctx.clip()
        draw_frame(ctx, k, count)
        ctx.restore()
    return surface


# ----------------------------------------------------------------------------------------------
# Knobs


def recess(ctx, cx, cy, inner, outer):
    shade = cairo.RadialGradient(cx, cy, inner, cx, cy, outer)
    shade.add_color_stop_rgba(0, 0, 0, 0, 0.55)
    shade.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    ctx.arc(cx, cy, outer, 0, 2 * math.pi)
    ctx.set_source(shade)
    ctx.fill()


def ticks(ctx, cx, cy, inner, outer, count=11):
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for i in range(count):
        degrees = knob_angle(i / (count - 1))
        major = i in (0, count // 2, count - 1)
        x0, y0 = point(cx, cy, inner, degrees)
        x1, y1 = point(cx, cy, outer + (1.5 if major else 0), degrees)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.set_line_width(1.5 if major else 1.0)
        ctx.set_source_rgb(*(LABEL if major else LABEL_DIM))
        ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def cap(ctx, cx, cy, radius):
    """A satin knob cap lit from the upper left, with a drop shadow."""
    ctx.arc(cx, cy + 2.5, radius + 2, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    face = cairo.LinearGradient(0, cy - radius, 0, cy + radius)
    face.add_color_stop_rgb(0, 0.33, 0.345, 0.37)
    face.add_color_stop_rgb(1, 0.13, 0.14, 0.155)
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    ctx.set_source(face)
    ctx.fill()
    sheen = cairo.RadialGradient(cx - radius / 3, cy - radius / 2, 0, cx, cy, radius)
    sheen.add_color_stop_rgba(0, 1, 1, 1, 0.14)
    sheen.add_color_stop_rgba(1, 1, 1, 1, 0.0)
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    ctx.set_source(sheen)
    ctx.fill()
    edge = cairo.LinearGradient(0, cy - radius, 0, cy + radius)
    edge.add_color_stop_rgba(0, 1, 1, 1, 0.28)
    edge.add_color_stop_rgba(1, 0, 0, 0, 0.35)
    ctx.arc(cx, cy, radius - 0.5, 0, 2 * math.pi)
    ctx.set_source(edge)
    ctx.set_line_width(1)
    ctx.stroke()


def track(ctx, cx, cy, radius, width, to_degrees=None):
    """The groove of a knob's travel, lit in the accent from the start to to_degrees."""
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    arc(ctx, cx, cy, radius, START_ANGLE, START_ANGLE + RANGE_ANGLE)
    ctx.set_line_width(width)
    ctx.set_source_rgb(*WELL)
    ctx.stroke()
    if to_degrees is not None and to_degrees < START_ANGLE - 0.01:
        for extra, alpha in ((3.5, 0.15), (0.0, 1.0)):
            arc(ctx, cx, cy, radius, START_ANGLE, to_degrees)
            ctx.set_line_width(width - 1.2 + extra)
            ctx.set_source_rgba(*ACCENT, alpha)
            ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def draw_knob_face():
    """CKnob's background: the control draws its own handle line from the centre."""
    surface, ctx = card_surface(96, 96)
    recess(ctx, 48, 48, 30, 47)
    ticks(ctx, 48, 48, 40.5, 44.5)
    cap(ctx, 48, 48, 34)
    ctx.arc(48, 48, 3, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.5)
    ctx.fill()
    return surface


def draw_knob_ring():
    """CKnob's background for a bitmap handle that travels in the groove at radius 39."""
    surface, ctx = card_surface(96, 96)
    recess(ctx, 48, 48, 30, 47)
    track(ctx, 48, 48, 39, 7)
    cap(ctx, 48, 48, 29)
    return surface


def draw_knob_dot():
    surface, ctx = new_surface(14, 14)
    glow = cairo.RadialGradient(7, 7, 2, 7, 7, 7)
    glow.add_color_stop_rgba(0, *ACCENT, 0.55)
    glow.add_color_stop_rgba(1, *ACCENT, 0.0)
    ctx.arc(7, 7, 7, 0, 2 * math.pi)
    ctx.set_source(glow)
    ctx.fill()
    ctx.arc(7, 7, 3.6, 0, 2 * math.pi)
    ctx.set_source_rgb(*ACCENT_BRIGHT)
    ctx.fill()
    return surface


def anim_knob_frame(ctx, k, count):
    degrees = knob_angle(k / (count - 1))
    recess(ctx, 48, 48, 30, 47)
    track(ctx, 48, 48, 40, 4.5, degrees)
    cap(ctx, 48, 48, 31)
    x0, y0 = point(48, 48, 12, degrees)
    x1, y1 = point(48, 48, 27, degrees)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.set_line_width(3.2)
    ctx.set_source_rgb(0.95, 0.96, 0.97)
    ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


# ----------------------------------------------------------------------------------------------
# Sliders


def draw_slider_track(width, height, vertical):
    surface, ctx = card_surface(width, height)
    length = height if vertical else width
    across = width if vertical else height
    # The handle's centre travels from 10 to length - 10.
    for i in range(11):
        along = 10 + (length - 20) * i / 10
        major = i in (0, 5, 10)
        reach = 7 if major else 4
        for side in (-1, 1):
            start = across / 2 + side * 6
            end = start + side * reach
            if vertical:
                ctx.move_to(start, round(along) + 0.5)
                ctx.line_to(end, round(along) + 0.5)
            else:
                ctx.move_to(round(along) + 0.5, start)
                ctx.line_to(round(along) + 0.5, end)
        ctx.set_line_width(1)
        ctx.set_source_rgb(*(LABEL if major else LABEL_DIM))
        ctx.stroke()
    if vertical:
        rounded_rect(ctx, across / 2 - 2.5, 6, across / 2 + 2.5, length - 6, 2.5)
    else:
        rounded_rect(ctx, 6, across / 2 - 2.5, length - 6, across / 2 + 2.5, 2.5)
    ctx.set_source_rgb(*WELL)
    ctx.fill()
    return surface


def draw_slider_handle(width, height, vertical):
    """A fader cap that fills its rectangle, so that it can be drawn opaque anywhere."""
    surface, ctx = card_surface(width, height)
    body = cairo.LinearGradient(0, 0, 0, height)
    body.add_color_stop_rgb(0, 0.42, 0.44, 0.47)
    body.add_color_stop_rgb(1, 0.20, 0.21, 0.23)
    rounded_rect(ctx, 1, 1, width - 1, height - 1, 3)
    ctx.set_source(body)
    ctx.fill_preserve()
    ctx.set_source_rgba(0, 0, 0, 0.6)
    ctx.set_line_width(1)
    ctx.stroke()
    if vertical:
        ctx.rectangle(4, height / 2 - 1, width - 8, 2)
    else:
        ctx.rectangle(width / 2 - 1, 4, 2, height - 8)
    ctx.set_source_rgb(*ACCENT)
    ctx.fill()
    return surface


# ----------------------------------------------------------------------------------------------
# Meter, digits, wave, spinner

LED_COUNT = 8


def led_colour(i):
    """LED i from the bottom: green, then amber, then red at the top."""
    return ACCENT if i < 5 else AMBER if i < 7 else RED


def draw_meter(lit):
    surface, ctx = card_surface(28, 160)
    rounded_rect(ctx, 0.5, 0.5, 27.5, 159.5, 4)
    ctx.set_source_rgb(*WELL)
    ctx.fill()
    step = 160 / LED_COUNT
    for i in range(LED_COUNT):
        top = 160 - (i + 1) * step + 3
        rounded_rect(ctx, 5, top, 23, top + step - 6, 2)
        colour = led_colour(i)
        ctx.set_source_rgba(*colour, 1.0 if lit else 0.16)
        ctx.fill()
        if lit:
            rounded_rect(ctx, 6, top + 1, 22, top + 4, 1.5)
            ctx.set_source_rgba(1, 1, 1, 0.35)
            ctx.fill()
    return surface


# Segments a to g of a seven-segment digit as end points, and which are lit for 0 to 9.
SEGMENTS = {"a": ((7.5, 7), (16.5, 7)), "b": ((18, 8.5), (18, 18.5)),
            "c": ((18, 21.5), (18, 31.5)), "d": ((7.5, 33), (16.5, 33)),
            "e": ((6, 21.5), (6, 31.5)), "f": ((6, 8.5), (6, 18.5)), "g": ((7.5, 20), (16.5, 20))}
DIGIT_SEGMENTS = ("abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg",
                  "abcdfg")
# Segments lean forward a little, as on a real display.
DIGIT_SLANT = 0.12


def digit_frame(ctx, k, count):
    ctx.set_source_rgb(*WELL)
    ctx.paint()
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_width(3)
    for name, ends in SEGMENTS.items():
        for i, (x, y) in enumerate(ends):
            (ctx.move_to if i == 0 else ctx.line_to)(x + (20 - y) * DIGIT_SLANT, y)
        ctx.set_source_rgba(*ACCENT, 1.0 if name in DIGIT_SEGMENTS[k] else 0.08)
        ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def movie_frame(ctx, k, count):
    """A wave whose height grows with the frame, on a dark screen with a grid."""
    width, height, _ = layout.STRIPS["Movie"]
    well(ctx, 1, 1, width - 1, height - 1, 4)
    ctx.set_line_width(1)
    for x in range(20, width, 20):
        ctx.move_to(x + 0.5, 3)
        ctx.line_to(x + 0.5, height - 3)
    ctx.move_to(3, height / 2)
    ctx.line_to(width - 3, height / 2)
    ctx.set_source_rgba(*ACCENT, 0.10)
    ctx.stroke()
    amplitude = (height / 2 - 5) * k / (count - 1)
    for x in range(4, width - 3):
        y = height / 2 - amplitude * math.sin((x - 4) / (width - 8) * 3 * 2 * math.pi)
        (ctx.move_to if x == 4 else ctx.line_to)(x, y)
    ctx.set_line_width(1.6)
    ctx.set_source_rgb(*ACCENT_BRIGHT)
    ctx.stroke()


def spinner_frame(ctx, k, count):
    for i in range(count):
        behind = (k - i) % count
        alpha = max(0.12, 1.0 - behind * 0.22)
        x, y = point(24, 24, 16, 90 - i * 360 / count)
        ctx.arc(x, y, 3.4 if behind == 0 else 2.8, 0, 2 * math.pi)
        ctx.set_source_rgba(*ACCENT, alpha)
        ctx.fill()


# ----------------------------------------------------------------------------------------------
# Buttons and switches


def plate(ctx, left, top, right, bottom, radius, pressed=False):
    """A raised (or pressed) rounded plate."""
    rounded_rect(ctx, left, top + 1.5, right, bottom + 1.5, radius)
    ctx.set_source_rgba(0, 0, 0, 0.5 if not pressed else 0.2)
    ctx.fill()
    body = cairo.LinearGradient(0, top, 0, bottom)
    shades = ((0.20, 0.21, 0.23), (0.27, 0.28, 0.30)) if pressed else \
        ((0.36, 0.37, 0.40), (0.19, 0.20, 0.22))
    body.add_color_stop_rgb(0, *shades[0])
    body.add_color_stop_rgb(1, *shades[1])
    rounded_rect(ctx, left, top, right, bottom, radius)
    ctx.set_source(body)
    ctx.fill_preserve()
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.set_line_width(1)
    ctx.stroke()


def power_icon(ctx, cx, cy, colour):
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_width(2.4)
    ctx.arc(cx, cy, 8, -math.radians(60), math.radians(240))
    ctx.set_source_rgb(*colour)
    ctx.stroke()
    ctx.move_to(cx, cy - 11)
    ctx.line_to(cx, cy - 2)
    ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)


def on_off_frame(ctx, k, count):
    on = k == 1
    if on:
        halo = cairo.RadialGradient(24, 24, 12, 24, 24, 24)
        halo.add_color_stop_rgba(0, *ACCENT, 0.35)
        halo.add_color_stop_rgba(1, *ACCENT, 0.0)
        ctx.arc(24, 24, 24, 0, 2 * math.pi)
        ctx.set_source(halo)
        ctx.fill()
    cap(ctx, 24, 23, 17)
    power_icon(ctx, 24, 24, ACCENT_BRIGHT if on else LABEL_DIM)


def kick_frame(ctx, k, count):
    pressed = k == 1
    plate(ctx, 5, 5 + k, 43, 42 + k, 7, pressed)
    ctx.move_to(19, 15 + k)
    ctx.line_to(32, 23.5 + k)
    ctx.line_to(19, 32 + k)
    ctx.close_path()
    ctx.set_source_rgb(*(ACCENT_BRIGHT if pressed else LABEL))
    ctx.fill()


def latch_frame(ctx, k, count):
    on = k == 1
    plate(ctx, 2, 2, 70, 25, 5, on)
    ctx.arc(13, 13.5, 3.2, 0, 2 * math.pi)
    ctx.set_source_rgb(*(AMBER if on else (0.25, 0.21, 0.15)))
    ctx.fill()
    text(ctx, "BYPASS", 42, 17.5, 8.5, TITLE if on else LABEL_DIM)


def rocker_frame(ctx, k, count):
    """-1 (upper half pressed), 0, +1 (lower half pressed), top to bottom."""
    rounded_rect(ctx, 1, 1, 27, 59, 5)
    ctx.set_source_rgb(*WELL)
    ctx.fill()
    tilt = (-1, 0, 1)[k]
    upper = cairo.LinearGradient(0, 3, 0, 30)
    lower = cairo.LinearGradient(0, 30, 0, 57)
    for gradient, pressed in ((upper, tilt == -1), (lower, tilt == 1)):
        gradient.add_color_stop_rgb(0, *((0.22, 0.23, 0.25) if pressed else (0.38, 0.39, 0.42)))
        gradient.add_color_stop_rgb(1, *((0.28, 0.29, 0.31) if pressed else (0.22, 0.23, 0.25)))
    rounded_rect(ctx, 4, 4, 24, 30, 3)
    ctx.set_source(upper)
    ctx.fill()
    rounded_rect(ctx, 4, 30, 24, 56, 3)
    ctx.set_source(lower)
    ctx.fill()
    for y, direction, pressed in ((17, -1, tilt == -1), (43, 1, tilt == 1)):
        ctx.move_to(9, y - 3 * direction)
        ctx.line_to(19, y - 3 * direction)
        ctx.line_to(14, y + 3 * direction)
        ctx.close_path()
        ctx.set_source_rgb(*(ACCENT_BRIGHT if pressed else LABEL_DIM))
        ctx.fill()


def vertical_switch_frame(ctx, k, count):
    width, height, _ = layout.STRIPS["VerticalSwitch"]
    step = height / count
    rounded_rect(ctx, 22, 4, 36, height - 4, 4)
    ctx.set_source_rgb(*WELL)
    ctx.fill()
    for i in range(count):
        cy = step * (i + 0.5)
        lit = i == k
        text(ctx, str(i + 1), 8, cy + 4, 9, ACCENT_BRIGHT if lit else LABEL_DIM, face=MONO)
        ctx.arc(17, cy, 1.6, 0, 2 * math.pi)
        ctx.set_source_rgba(*ACCENT, 1.0 if lit else 0.2)
        ctx.fill()
    cy = step * (k + 0.5)
    plate(ctx, 19, cy - 8, 39, cy + 8, 3)
    ctx.rectangle(22, cy - 1, 14, 2)
    ctx.set_source_rgb(*ACCENT)
    ctx.fill()


def horizontal_switch_frame(ctx, k, count):
    width, height, _ = layout.STRIPS["HorizontalSwitch"]
    rounded_rect(ctx, 0.5, 0.5, width - 0.5, height - 0.5, 5)
    ctx.set_source_rgb(*WELL)
    ctx.fill()
    step = width / count
    for i, name in enumerate(("OFF", "LOW", "MID", "HIGH")):
        lit = i == k
        if lit:
            plate(ctx, i * step + 3, 3, (i + 1) * step - 3, height - 4, 4)
        colour = ACCENT_BRIGHT if lit else LABEL_DIM
        text(ctx, name, (i + 0.5) * step, height / 2 + 3.5, 8.5, colour)


# ----------------------------------------------------------------------------------------------
# Menu well and splash card


def draw_menu_well():
    surface, ctx = card_surface(180, 28)
    well(ctx, 1, 1, 179, 27, 4)
    ctx.move_to(160, 11)
    ctx.line_to(170, 11)
    ctx.line_to(165, 17)
    ctx.close_path()
    ctx.set_source_rgb(*ACCENT)
    ctx.fill()
    ctx.move_to(151.5, 5)
    ctx.line_to(151.5, 23)
    ctx.set_source_rgba(1, 1, 1, 0.08)
    ctx.set_line_width(1)
    ctx.stroke()
    return surface


def draw_display_well(width, height):
    surface, ctx = card_surface(width, height)
    well(ctx, 1, 1, width - 1, height - 1, 4)
    return surface


def draw_splash():
    left, top, right, bottom = layout.SPLASH
    width, height = right - left, bottom - top
    surface, ctx = new_surface(width, height)
    for spread, alpha in ((10, 0.10), (6, 0.16), (3, 0.25)):
        rounded_rect(ctx, 10 - spread, 12 - spread, width - 10 + spread, height - 8 + spread,
                     12 + spread)
        ctx.set_source_rgba(0, 0, 0, alpha)
        ctx.fill()
    face = cairo.LinearGradient(0, 10, 0, height - 10)
    face.add_color_stop_rgb(0, 0.22, 0.23, 0.26)
    face.add_color_stop_rgb(1, 0.12, 0.13, 0.145)
    rounded_rect(ctx, 10, 10, width - 10, height - 10, 12)
    ctx.set_source(face)
    ctx.fill_preserve()
    ctx.set_source_rgba(*ACCENT, 0.55)
    ctx.set_line_width(1.2)
    ctx.stroke()
    text(ctx, "Talon toolkit", width / 2, 62, 22, TITLE, face="DejaVu Sans Condensed")
    text(ctx, "controls for the Talon 5800 editor", width / 2, 86, 9.5, LABEL, bold=False)
    ctx.rectangle(width / 2 - 60, 104, 120, 1)
    ctx.set_source_rgba(*ACCENT, 0.5)
    ctx.fill()
    lines = ("This card is a CSplashScreenView: the frame's modal view.",
             "It takes every click until one lands on it.")
    for i, line in enumerate(lines):
        text(ctx, line, width / 2, 132 + 16 * i, 8.5, LABEL_DIM, bold=False)
    text(ctx, "CLICK TO CLOSE", width / 2, height - 30, 8, ACCENT, spacing=1.2)
    return surface
