// Small values the user chose, stored for the user on this machine and shared by every instance
// and every later session. Any thread; a vendor and a product name say whose values they are.
#pragma once

#include <cstdint>

namespace gui::platform {

struct SettingsScope {
    const char* vendor;
    const char* product;
};

// False when nothing, or something that is no 32-bit number, is stored under name.
bool readSetting(const SettingsScope& scope, const char* name, std::uint32_t& value);
// False when the value could not be stored.
bool writeSetting(const SettingsScope& scope, const char* name, std::uint32_t value);
// True when the value is gone, or was never there; false when it could not be removed.
bool removeSetting(const SettingsScope& scope, const char* name);

}  // namespace gui::platform
