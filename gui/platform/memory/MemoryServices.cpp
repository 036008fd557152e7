// The services of a windowing system that a platform without one answers as absent: no drops, no
// assistive technology, no loaded libraries. The user's settings live for the process.
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "gui/platform/Accessibility.h"
#include "gui/platform/BitmapPixels.h"
#include "gui/platform/DragAndDrop.h"
#include "gui/platform/ModuleHandle.h"
#include "gui/platform/UserSettings.h"
#include "gui/views/CFrame.h"

namespace gui {

// No assistive technology asks for the frame's accessible object.
std::intptr_t CFrame::answerObjectRequest(std::uintptr_t) { return 0; }

// Nothing was handed out, so nothing is taken back.
void CFrame::disconnectAccessible() {}

namespace platform {

// Nobody hears the announcements.
void announceFocus(NativeWindow, std::int32_t) {}

void announceValueChange(NativeWindow, std::int32_t) {}

// There is no drag-and-drop service: the frame accepts no drops.
CDropTarget* registerDropTarget(NativeWindow, CFrame*) { return nullptr; }

void revokeDropTarget(NativeWindow) {}

// No drag data exists, so none is held.
void retainDragData(NativeDragData) {}

void releaseDragData(NativeDragData) {}

bool dragDataHasText(NativeDragData) { return false; }

bool readDragText(NativeDragData, std::vector<char>&) { return false; }

std::int32_t dragFileCount(NativeDragData) { return 0; }

DragFileRead readDragFile(NativeDragData, std::int32_t, std::string&) {
    return DragFileRead::kNoList;
}

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

}  // namespace platform
}  // namespace gui
