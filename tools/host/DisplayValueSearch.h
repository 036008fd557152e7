// Turns a value in a parameter's display unit ("75", "-3.0") into the parameter's normalized
// value, using nothing but the effect's own display text.
#pragma once

#include <functional>
#include <optional>
#include <string>

// Reads the number at the start of a display text such as "-3.0", " 75 %" or "-oo" (minus
// infinity); nullopt if the text does not start with a number.
std::optional<double> parseDisplayNumber(const std::string& text);

// Sets the parameter to a normalized value and returns the number its display text then shows.
using DisplayProbe = std::function<std::optional<double>(float normalized)>;

// Searches 0..1 for the normalized value whose display is closest to target, assuming the display
// rises or falls monotonically. When a whole range displays exactly the target, returns the
// middle of that range (or the end of 0..1 it touches). Throws UsageError if no display is
// numeric.
float findNormalizedForDisplay(const DisplayProbe& probe, double target);
