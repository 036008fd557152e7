#!/usr/bin/python3
"""Draws the control gallery's artwork as antialiased vector art and writes, beside this script:

  *.png              the window's background and every control's bitmaps and film strips
  gallery.rc         the resource script that stores them under the resource type "PNG"
  GalleryArt.h       their resource numbers, for the resource script and the code
  GalleryLayout.h    where each control sits and the sizes of the strips, from layout.py

Needs Debian's python3-cairo and fonts-dejavu-core. The build does not run this script; it uses
the committed files. Run it as /usr/bin/python3 make_gallery_art.py."""

import math
import os
import sys

import cairo

# The helper modules beside this script leave no compiled copies in the source tree.
sys.dont_write_bytecode = True

import control_art as art  # noqa: E402
import layout  # noqa: E402
from paint import (ACCENT, CARD, LABEL, LABEL_DIM, PAGE_BOTTOM, PAGE_TOP, TITLE, new_surface,
                   point, rounded_rect, text, well, write_png)  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATED = "Written by make_gallery_art.py; run it again rather than editing this file."


# ----------------------------------------------------------------------------------------------
# Background


def page(ctx, width, height):
    face = cairo.LinearGradient(0, 0, 0, height)
    face.add_color_stop_rgb(0, *PAGE_TOP)
    face.add_color_stop_rgb(1, *PAGE_BOTTOM)
    ctx.set_source(face)
    ctx.paint()
    ctx.rectangle(0, layout.HEADER_BOTTOM - 1, width, 1)
    ctx.set_source_rgba(0, 0, 0, 0.6)
    ctx.fill()
    ctx.rectangle(0, layout.HEADER_BOTTOM, width, 1)
    ctx.set_source_rgba(1, 1, 1, 0.05)
    ctx.fill()


def header(ctx, width):
    cx, cy = 34, 28
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.arc(cx, cy, 2.4, 0, 2 * math.pi)
    ctx.set_source_rgb(*ACCENT)
    ctx.fill()
    for radius, alpha in ((6.5, 1.0), (11.0, 0.7), (15.5, 0.4)):
        for side in (0.0, 180.0):
            ctx.arc(cx, cy, radius, -math.radians(side + 40), -math.radians(side - 40))
            ctx.set_line_width(1.9)
            ctx.set_source_rgba(*ACCENT, alpha)
            ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)
    used = text(ctx, "Talon toolkit", 60, 27, 17, TITLE, face="DejaVu Sans Condensed", align=0)
    text(ctx, "control gallery", 60 + used + 8, 27, 17, ACCENT, face="DejaVu Sans Condensed",
         bold=False, align=0)
    text(ctx, "every control of namespace gui, live in one CFrame", 60, 44, 8.5, LABEL_DIM,
         bold=False, align=0)
    text(ctx, "click, drag, use the wheel", width - 20, 27, 8.5, LABEL, bold=False, align=1)
    text(ctx, "each value change prints a line:  tag N value X", width - 20, 44, 8.5, LABEL_DIM,
         bold=False, align=1)


def card(ctx, heading, rect):
    left, top, right, bottom = rect
    for spread, alpha in ((3, 0.10), (1.5, 0.18)):
        rounded_rect(ctx, left - spread, top - spread + 2, right + spread, bottom + spread + 2,
                     8 + spread)
        ctx.set_source_rgba(0, 0, 0, alpha)
        ctx.fill()
    rounded_rect(ctx, left, top, right, bottom, 8)
    ctx.set_source_rgb(*CARD)
    ctx.fill()
    rounded_rect(ctx, left + 0.5, top + 0.5, right - 0.5, bottom - 0.5, 7.5)
    ctx.set_source_rgba(1, 1, 1, 0.06)
    ctx.set_line_width(1)
    ctx.stroke()
    text(ctx, heading, left + 14, top + 22, 9, ACCENT, spacing=1.4, align=0)
    ctx.rectangle(left + 14, top + 32, right - left - 28, 1)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    ctx.rectangle(left + 14, top + 33, right - left - 28, 1)
    ctx.set_source_rgba(1, 1, 1, 0.04)
    ctx.fill()


def labels(ctx):
    for _, rect, baseline, name, note in layout.CONTROLS:
        cx = (rect[0] + rect[2]) / 2
        text(ctx, name, cx, baseline, 9.5, TITLE)
        text(ctx, note, cx, baseline + 14, 8, LABEL_DIM, bold=False)


def fittings(ctx):
    """What the background shows where a control draws nothing or needs a setting."""
    left, top, right, bottom = layout.control("Digits")
    well(ctx, left - 3, top - 3, right + 3, bottom + 3, 4)
    # The animation's place while it is hidden.
    left, top, right, bottom = layout.control("Spinner")
    cx, cy = (left + right) / 2, (top + bottom) / 2
    for i in range(12):
        x, y = point(cx, cy, 16, 90 - i * 30)
        ctx.arc(x, y, 2.8, 0, 2 * math.pi)
        ctx.set_source_rgba(*ACCENT, 0.10)
        ctx.fill()
    # The splash screen's click area.
    left, top, right, bottom = layout.control("Splash")
    art.plate(ctx, left + 2, top + 2, right - 2, bottom - 4, 6)
    ctx.arc(left + 24, (top + bottom) / 2 - 1, 8, 0, 2 * math.pi)
    ctx.set_source_rgb(*ACCENT)
    ctx.set_line_width(1.6)
    ctx.stroke()
    text(ctx, "i", left + 24, (top + bottom) / 2 + 3, 10, ACCENT, face="DejaVu Serif")
    text(ctx, "ABOUT", left + 74, (top + bottom) / 2 + 3, 9.5, TITLE, spacing=1.5)


def draw_background():
    width, height = layout.WINDOW
    surface, ctx = new_surface(width, height)
    page(ctx, width, height)
    header(ctx, width)
    for heading, rect in layout.CARDS:
        card(ctx, heading, rect)
    fittings(ctx)
    labels(ctx)
    return surface


# ----------------------------------------------------------------------------------------------
# Outputs


def size_of(name):
    rect = layout.control(name)
    return rect[2] - rect[0], rect[3] - rect[1]


def pictures():
    """(file, resource name, surface, with alpha) for every picture the gallery loads."""
    vertical, horizontal = size_of("VerticalSlider"), size_of("HorizontalSlider")
    return (
        ("background.png", "BACKGROUND", draw_background(), False),
        ("knob_face.png", "KNOB_FACE", art.draw_knob_face(), False),
        ("knob_ring.png", "KNOB_RING", art.draw_knob_ring(), False),
        ("knob_dot.png", "KNOB_DOT", art.draw_knob_dot(), True),
        ("anim_knob.png", "ANIM_KNOB", art.strip("AnimKnob", art.anim_knob_frame), False),
        ("slider_v_track.png", "SLIDER_V_TRACK", art.draw_slider_track(*vertical, True), False),
        ("slider_v_handle.png", "SLIDER_V_HANDLE",
         art.draw_slider_handle(vertical[0], 20, True), False),
        ("slider_h_track.png", "SLIDER_H_TRACK", art.draw_slider_track(*horizontal, False),
         False),
        ("slider_h_handle.png", "SLIDER_H_HANDLE",
         art.draw_slider_handle(20, horizontal[1], False), False),
        ("meter_on.png", "METER_ON", art.draw_meter(True), False),
        ("meter_off.png", "METER_OFF", art.draw_meter(False), False),
        ("digits.png", "DIGITS", art.strip("Digit", art.digit_frame), False),
        ("wave.png", "WAVE", art.strip("Movie", art.movie_frame), False),
        ("spinner.png", "SPINNER", art.strip("Spinner", art.spinner_frame), False),
        ("on_off.png", "ON_OFF", art.strip("OnOff", art.on_off_frame), False),
        ("kick.png", "KICK", art.strip("Kick", art.kick_frame), False),
        ("latch.png", "LATCH", art.strip("Latch", art.latch_frame), False),
        ("rocker.png", "ROCKER", art.strip("Rocker", art.rocker_frame), False),
        ("vswitch.png", "VSWITCH", art.strip("VerticalSwitch", art.vertical_switch_frame), False),
        ("hswitch.png", "HSWITCH", art.strip("HorizontalSwitch", art.horizontal_switch_frame),
         False),
        ("menu_well.png", "MENU_WELL", art.draw_menu_well(), False),
        ("display_well.png", "DISPLAY_WELL", art.draw_display_well(*size_of("ParamDisplay")),
         False),
        ("splash.png", "SPLASH", art.draw_splash(), True),
    )


FIRST_RESOURCE = 128


def write_resources(entries):
    with open(os.path.join(HERE, "GalleryArt.h"), "w") as f:
        f.write("/* The gallery's pictures as resource numbers.\n   %s */\n#pragma once\n\n"
                % GENERATED)
        for i, (_, name) in enumerate(entries):
            f.write("#define IDP_%s %d\n" % (name, FIRST_RESOURCE + i))
    with open(os.path.join(HERE, "gallery.rc"), "w") as f:
        f.write("// The gallery's pictures under the resource type \"PNG\".\n// %s\n" % GENERATED)
        f.write('#include <winresrc.h>\n\n#include "GalleryArt.h"\n\n'
                "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n\n")
        for file_name, name in entries:
            f.write('IDP_%s PNG "%s"\n' % (name, file_name))


def camel(name):
    return name[0].upper() + name[1:]


def write_layout():
    lines = ["// Where the gallery's controls sit, in frame pixels, and the sizes of its film",
             "// strips. " + GENERATED, "#pragma once", "", "namespace gallery {", "",
             "struct Box {", "    int left, top, right, bottom;", "};",
             "struct Strip {", "    int width, height, count;", "};", "",
             "constexpr int kWindowWidth = %d;" % layout.WINDOW[0],
             "constexpr int kWindowHeight = %d;" % layout.WINDOW[1],
             "constexpr int kDigitCount = %d;" % layout.DIGIT_COUNT,
             "constexpr int kLedCount = %d;" % art.LED_COUNT,
             "constexpr Box kSplashDisplayBox = {%d, %d, %d, %d};" % layout.SPLASH, ""]
    for name, rect, _, _, _ in layout.CONTROLS:
        lines.append("constexpr Box k%sBox = {%d, %d, %d, %d};" % ((camel(name),) + rect))
    lines.append("")
    for name, (width, height, count) in layout.STRIPS.items():
        lines.append("constexpr Strip k%sStrip = {%d, %d, %d};" % (name, width, height, count))
    lines += ["", "}  // namespace gallery", ""]
    with open(os.path.join(HERE, "GalleryLayout.h"), "w") as f:
        f.write("\n".join(lines))


def main():
    entries = []
    for file_name, name, surface, with_alpha in pictures():
        write_png(os.path.join(HERE, file_name), surface, with_alpha)
        entries.append((file_name, name))
    write_resources(entries)
    write_layout()


if __name__ == "__main__":
    main()
