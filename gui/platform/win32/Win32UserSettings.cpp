// The user's settings on Win32: values under the vendor's and product's key in the user's part of
// the registry.
#include <string>

#include "gui/platform/UserSettings.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui::platform {

namespace {

std::string keyOf(const SettingsScope& scope) {
    return std::string("Software\\") + scope.vendor + "\\" + scope.product;
}

// The product's key, created if asked to; null when it cannot be opened.
HKEY openKey(const SettingsScope& scope, REGSAM access, bool create) {
    HKEY key = nullptr;
    const std::string path = keyOf(scope);
    const LONG opened = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                 access, nullptr, &key, nullptr)
                               : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key);
    return opened == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

bool readSetting(const SettingsScope& scope, const char* name, std::uint32_t& value) {
    HKEY key = openKey(scope, KEY_QUERY_VALUE, false);
    if (!key) return false;
    DWORD stored = 0;
    DWORD size = sizeof(stored);
    DWORD type = 0;
    const LONG read =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(stored)) return false;
    value = stored;
    return true;
}

bool writeSetting(const SettingsScope& scope, const char* name, std::uint32_t value) {
    HKEY key = openKey(scope, KEY_SET_VALUE, true);
    if (!key) return false;
    const DWORD stored = value;
    const LONG written = RegSetValueExA(key, name, 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&stored), sizeof(stored));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

bool removeSetting(const SettingsScope& scope, const char* name) {
    HKEY key = openKey(scope, KEY_SET_VALUE, true);
    if (!key) return false;
    const LONG removed = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

}  // namespace gui::platform
