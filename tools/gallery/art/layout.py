"""Where the gallery puts everything, in frame pixels (left, top, right, bottom; right and
bottom exclusive), and the sizes of the film strips. make_gallery_art.py draws the background
from this and writes it out as GalleryLayout.h for the program and its check."""

WINDOW = (1040, 660)
HEADER_BOTTOM = 56

# Cards: (heading, rectangle).
CARDS = (
    ("KNOBS", (16, 64, 356, 316)),
    ("SLIDERS", (368, 64, 632, 316)),
    ("METERS AND FILM STRIPS", (644, 64, 1024, 316)),
    ("BUTTONS AND SWITCHES", (16, 328, 520, 644)),
    ("TEXT", (532, 328, 776, 644)),
    ("MENU AND SPLASH", (788, 328, 1024, 644)),
)

# Film strips: frame width, frame height, frame count.
STRIPS = {
    "AnimKnob": (96, 96, 61),
    "Digit": (24, 40, 10),
    "Movie": (200, 32, 21),
    "Spinner": (48, 48, 12),
    "OnOff": (48, 48, 2),
    "Kick": (48, 48, 2),
    "Latch": (72, 28, 2),
    "Rocker": (28, 60, 3),
    "VerticalSwitch": (44, 96, 4),
    "HorizontalSwitch": (168, 32, 4),
}

DIGIT_COUNT = 4
SPLASH = (320, 220, 720, 440)


def centred(cx, top, width, height):
    left = cx - width // 2
    return (left, top, left + width, top + height)


def middled(cx, cy, width, height):
    return centred(cx, cy - height // 2, width, height)


# Controls: (name in the code, rectangle, label baseline, class, note). Labels of a row share
# their baseline.
KNOB_ROW, KNOB_LABEL = 142, 262
SLIDER_LABEL = 296
METER_LABEL_TOP, METER_LABEL_BOTTOM = 182, 296
BUTTON_BAND, BUTTON_LABEL = (384, 444), 468
SWITCH_BAND, SWITCH_LABEL = (496, 596), 620

CONTROLS = (
    ("KnobLine", centred(73, KNOB_ROW, 96, 96), KNOB_LABEL, "CKnob", "handle line"),
    ("KnobDot", centred(186, KNOB_ROW, 96, 96), KNOB_LABEL, "CKnob", "bitmap handle"),
    ("AnimKnob", centred(299, KNOB_ROW, 96, 96), KNOB_LABEL, "CAnimKnob", "61-frame strip"),
    ("VerticalSlider", centred(422, 112, 36, 160), SLIDER_LABEL, "CVerticalSlider",
     "drives the meter"),
    ("HorizontalSlider", middled(548, 192, 160, 36), 234, "CHorizontalSlider",
     "drives the wave"),
    ("VuMeter", centred(702, 112, 28, 160), METER_LABEL_BOTTOM, "CVuMeter", "8 LEDs, falls back"),
    ("Digits", centred(812, 112, 96, 40), METER_LABEL_TOP, "CSpecialDigit",
     "follows CAnimKnob"),
    ("Spinner", middled(962, 132, 48, 48), METER_LABEL_TOP, "CAutoAnimation", "click: show, hide"),
    ("Movie", middled(880, 238, 200, 32), 276, "CMovieBitmap", "21 frames"),
    ("OnOff", middled(79, 414, 48, 48), BUTTON_LABEL, "COnOffButton", "toggle"),
    ("Kick", middled(205, 414, 48, 48), BUTTON_LABEL, "CKickButton", "1 while held, then 0"),
    ("Latch", middled(331, 414, 72, 28), BUTTON_LABEL, "CMovieButton", "toggle on release"),
    ("Rocker", middled(457, 414, 28, 60), BUTTON_LABEL, "CRockerSwitch", "-1, 0, +1"),
    ("VerticalSwitch", middled(142, 546, 44, 96), SWITCH_LABEL, "CVerticalSwitch",
     "4 positions"),
    ("HorizontalSwitch", middled(364, 546, 168, 32), SWITCH_LABEL, "CHorizontalSwitch",
     "4 positions"),
    ("ParamDisplay", centred(654, 384, 176, 30), 434, "CParamDisplay", "follows the first knob"),
    ("TextLabel", centred(654, 474, 176, 26), 520, "CTextLabel", "fixed text"),
    ("TextEdit", centred(654, 562, 176, 30), 612, "CTextEdit", "click and type"),
    ("OptionMenu", centred(906, 384, 180, 28), 432, "COptionMenu", "popup with a submenu"),
    ("Splash", centred(906, 496, 128, 44), 564, "CSplashScreen", "click: about box"),
)


def control(name):
    for entry in CONTROLS:
        if entry[0] == name:
            return entry[1]
    raise KeyError(name)
