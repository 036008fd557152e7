// The services of a windowing system that a platform without one answers as absent: no loaded
// libraries; the user's settings live for the process. Drops and assistive technology are absent
// too (AbsentServices.cpp).
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "gui/platform/BitmapPixels.h"
#include "gui/platform/ModuleHandle.h"
#include "gui/platform/UserSettings.h"

namespace gui::platform {

namespace {

using SettingKey = std::tuple<std::string, std::string, std::string>;

struct StoredSettings {
    std::mutex lock;
    std::map<SettingKey, std::uint32_t> values;
};

StoredSettings& settings() {
    static StoredSettings stored;
    return stored;
}

// Null names are no names; they store nothing.
bool keyOf(const SettingsScope& scope, const char* name, SettingKey& key) {
    if (!scope.vendor || !scope.product || !name) return false;
    key = SettingKey(scope.vendor, scope.product, name);
    return true;
}

}  // namespace

bool readSetting(const SettingsScope& scope, const char* name, std::uint32_t& value) {
    SettingKey key;
    if (!keyOf(scope, name, key)) return false;
    StoredSettings& stored = settings();
    const std::lock_guard<std::mutex> held(stored.lock);
    const auto found = stored.values.find(key);
    if (found == stored.values.end()) return false;
    value = found->second;
    return true;
}

bool writeSetting(const SettingsScope& scope, const char* name, std::uint32_t value) {
    SettingKey key;
    if (!keyOf(scope, name, key)) return false;
    StoredSettings& stored = settings();
    const std::lock_guard<std::mutex> held(stored.lock);
    stored.values[key] = value;
    return true;
}

bool removeSetting(const SettingsScope& scope, const char* name) {
    SettingKey key;
    if (!keyOf(scope, name, key)) return false;
    StoredSettings& stored = settings();
    const std::lock_guard<std::mutex> held(stored.lock);
    stored.values.erase(key);
    return true;
}

// The pretend module whose resources tests add (MemoryPlatform.h).
NativeModule moduleHandle() { return resourceModule(); }

// The memory platform draws without an imaging library.
NativeModule loadImagingLibrary() { return nullptr; }

// Nothing is ever loaded.
void freeModule(NativeModule) {}

}  // namespace gui::platform
