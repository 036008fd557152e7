#!/usr/bin/python3
"""Composes the panel from the committed artwork as the editor shows it for two parameter
values (0 to 1, 0.5 each by default): the background, both knob frames, the strip frame and
the green value texts. Not part of the build; for judging the artwork.

  /usr/bin/python3 preview_panel.py OUT.png [EXPANSION OUTPUT]"""

import math
import os
import sys

import cairo

from make_artwork import (EXPANSION_KNOB, EXPANSION_STRIP, EXPANSION_TEXT, FRAME_COUNT, HERE,
                          KNOB_SIZE, OUTPUT_KNOB, OUTPUT_TEXT, PANEL_HEIGHT, PANEL_WIDTH,
                          STRIP_HEIGHT, new_surface, text)


def frame_for(value):
    return int(value * (FRAME_COUNT - 1) + 0.5)


def paste_frame(ctx, strip_path, rect, frame, frame_height):
    strip = cairo.ImageSurface.create_from_png(strip_path)
    ctx.save()
    ctx.rectangle(rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1])
    ctx.clip()
    ctx.set_source_surface(strip, rect[0], rect[1] - frame * frame_height)
    ctx.paint()
    ctx.restore()


def write_preview(path, expansion=0.5, output=0.5):
    surface, ctx = new_surface(PANEL_WIDTH, PANEL_HEIGHT)
    ctx.set_source_surface(cairo.ImageSurface.create_from_png(os.path.join(HERE,
                                                                           "background.png")))
    ctx.paint()
    knob_path = os.path.join(HERE, "knob.png")
    paste_frame(ctx, knob_path, EXPANSION_KNOB, frame_for(expansion), KNOB_SIZE)
    paste_frame(ctx, knob_path, OUTPUT_KNOB, frame_for(output), KNOB_SIZE)
    paste_frame(ctx, os.path.join(HERE, "strip.png"), EXPANSION_STRIP, frame_for(expansion),
                STRIP_HEIGHT)
    output_db = 20 * math.log10(max(output, 1e-6) / 0.5)
    for rect, string in ((EXPANSION_TEXT, "%d" % round(expansion * 100)),
                         (OUTPUT_TEXT, "%.1f" % output_db)):
        cx, cy = (rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2
        text(ctx, string, cx, cy + 4, 11, (0, 1, 0), bold=False)
    surface.write_to_png(path)


if __name__ == "__main__":
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    write_preview(sys.argv[1], *(float(v) for v in sys.argv[2:]))
