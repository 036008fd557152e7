// Conversions between the two parameters' values (0 to 1) and the texts shown for them.
#pragma once

#include "host/aeffect.h"

// "%.0f" of value x 100: 0.5 gives "50". At most maxLen characters and a terminator.
void expansionToText(float value, char* text, int32 maxLen);
// Decibels of the gain 2 x value with one decimal; "-oo" at or below 0: 0.5 gives "0.0".
void outputToText(float value, char* text, int32 maxLen);
// A percentage typed by the user: below 0 gives 0, above 100 gives 1.
float expansionFromText(const char* text);
// Decibels typed by the user, limited to +6 dB: "0" gives 0.5.
float outputFromText(const char* text);

// The decimal number at the start of text (after white space), 0 when there is none. Only plain
// decimal syntax counts: "inf", "nan" and hexadecimal prefixes read as their leading digits or 0.
double readDecimalPrefix(const char* text);
