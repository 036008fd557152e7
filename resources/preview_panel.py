#!/usr/bin/python3
"""Composes the panel from the committed artwork as the editor shows it for two parameter
values (0 to 1, 0.5 each by default): the background, both knob frames, the strip frame and
the green value texts. --scale 2 or 3 composes it from the @2x or @3x files at that size. Not
part of the build; for judging the artwork.

  /usr/bin/python3 preview_panel.py [--scale N] OUT.png [EXPANSION OUTPUT]"""

import math
import os
import sys

import cairo

from make_artwork import (EXPANSION_KNOB, EXPANSION_STRIP, EXPANSION_TEXT, FRAME_COUNT, HERE,
                          KNOB_SIZE, OUTPUT_KNOB, OUTPUT_TEXT, PANEL_HEIGHT, PANEL_WIDTH, SCALES,
                          STRIP_HEIGHT, artwork_name, new_surface, text)


def frame_for(value):
    return int(value * (FRAME_COUNT - 1) + 0.5)


def load(stem, scale):
    return cairo.ImageSurface.create_from_png(os.path.join(HERE, artwork_name(stem, scale)))


def paste_frame(ctx, strip, rect, frame, frame_height, scale):
    """Copies one frame pixel for pixel: the context's panel coordinates are multiplied out."""
    left, top, right, bottom = (v * scale for v in rect)
    ctx.save()
    ctx.identity_matrix()
    ctx.rectangle(left, top, right - left, bottom - top)
    ctx.clip()
    ctx.set_source_surface(strip, left, top - frame * frame_height * scale)
    ctx.paint()
    ctx.restore()


def write_preview(path, expansion=0.5, output=0.5, scale=1):
    surface, ctx = new_surface(PANEL_WIDTH, PANEL_HEIGHT, scale)
    paste_frame(ctx, load("background", scale), (0, 0, PANEL_WIDTH, PANEL_HEIGHT), 0, 0, scale)
    knob = load("knob", scale)
    paste_frame(ctx, knob, EXPANSION_KNOB, frame_for(expansion), KNOB_SIZE, scale)
    paste_frame(ctx, knob, OUTPUT_KNOB, frame_for(output), KNOB_SIZE, scale)
    paste_frame(ctx, load("strip", scale), EXPANSION_STRIP, frame_for(expansion), STRIP_HEIGHT,
                scale)
    output_db = 20 * math.log10(max(output, 1e-6) / 0.5)
    for rect, string in ((EXPANSION_TEXT, "%d" % round(expansion * 100)),
                         (OUTPUT_TEXT, "%.1f" % output_db)):
        cx, cy = (rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2
        text(ctx, string, cx, cy + 4, 11, (0, 1, 0), bold=False)
    surface.write_to_png(path)


if __name__ == "__main__":
    args = sys.argv[1:]
    scale = 1
    if args[:1] == ["--scale"] and len(args) > 1 and args[1].isdigit():
        scale = int(args[1])
        args = args[2:]
    if len(args) not in (1, 3) or scale not in SCALES:
        sys.exit(__doc__)
    write_preview(args[0], *(float(v) for v in args[1:]), scale=scale)
