#include "effect/UserSettings.h"

#include <cmath>

#include "gui/draw/Scaling.h"
#include "gui/platform/win32/Win32Handles.h"

namespace userSettings {

namespace {

constexpr char kSettingsKey[] = "Software\\Mirevox\\Talon 5800";
// The size in percent, as the menu names it.
constexpr char kPanelScaleValue[] = "Size";
constexpr double kPercent = 100.0;

}  // namespace

double panelScale() {
    DWORD percent = 0;
    DWORD size = sizeof(percent);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0.0;
    const LONG read = RegQueryValueExA(key, kPanelScaleValue, nullptr, &type,
                                       reinterpret_cast<BYTE*>(&percent), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(percent)) return 0.0;
    return gui::acceptedScale(percent / kPercent);
}

bool setPanelScale(double factor) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG written = ERROR_SUCCESS;
    if (gui::acceptedScale(factor) == 0.0) {
        written = RegDeleteValueA(key, kPanelScaleValue);
        if (written == ERROR_FILE_NOT_FOUND) written = ERROR_SUCCESS;
    } else {
        const auto percent = static_cast<DWORD>(std::lround(factor * kPercent));
        written = RegSetValueExA(key, kPanelScaleValue, 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&percent), sizeof(percent));
    }
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

}  // namespace userSettings
