/* Resource numbers of the editor panel's artwork, shared by the resource script and the code. */
#pragma once

#define IDP_PANEL_BACKGROUND 128
#define IDP_KNOB_STRIP 129
#define IDP_EXPANSION_STRIP 130
