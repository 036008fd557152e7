// System settings the controls read; the platform calls stay in PlatformQueries.cpp.
#pragma once

#include <cstdint>

namespace gui {

// The longest interval between the two clicks of a double click, in milliseconds.
std::uint32_t systemDoubleClickTime();

}  // namespace gui
