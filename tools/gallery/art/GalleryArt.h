/* The gallery's pictures as resource numbers.
   Written by make_gallery_art.py; run it again rather than editing this file. */
#pragma once

#define IDP_BACKGROUND 128
#define IDP_KNOB_FACE 129
#define IDP_KNOB_RING 130
#define IDP_KNOB_DOT 131
#define IDP_ANIM_KNOB 132
#define IDP_SLIDER_V_TRACK 133
#define IDP_SLIDER_V_HANDLE 134
#define IDP_SLIDER_H_TRACK 135
#define IDP_SLIDER_H_HANDLE 136
#define IDP_METER_ON 137
#define IDP_METER_OFF 138
#define IDP_DIGITS 139
#define IDP_WAVE 140
#define IDP_SPINNER 141
#define IDP_ON_OFF 142
#define IDP_KICK 143
#define IDP_LATCH 144
#define IDP_ROCKER 145
#define IDP_VSWITCH 146
#define IDP_HSWITCH 147
#define IDP_MENU_WELL 148
#define IDP_DISPLAY_WELL 149
#define IDP_SPLASH 150
