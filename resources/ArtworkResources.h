/* Resource numbers of the editor panel's artwork, shared by the resource script and the code. */
#pragma once

#define IDP_PANEL_BACKGROUND 128
#define IDP_KNOB_STRIP 129
#define IDP_EXPANSION_STRIP 130

// The same images drawn at two and three times the size, for panels shown at 200 % and 300 %.
#define IDP_PANEL_BACKGROUND_2X 131
#define IDP_KNOB_STRIP_2X 132
#define IDP_EXPANSION_STRIP_2X 133
#define IDP_PANEL_BACKGROUND_3X 134
#define IDP_KNOB_STRIP_3X 135
#define IDP_EXPANSION_STRIP_3X 136
