// The UI's descriptor: the host's calls handed to the Lv2Ui they name.
#include <cstdio>
#include <cstring>

#include "effect/lv2/Lv2Ui.h"

namespace talonLv2 {

namespace {

Lv2Ui* uiOf(LV2UI_Handle handle) { return static_cast<Lv2Ui*>(handle); }

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
    if (!pluginUri || std::strcmp(pluginUri, TALON_LV2_URI) != 0) {
        std::fprintf(stderr, "Talon 5800: the UI serves %s only, not %s\n", TALON_LV2_URI,
                     pluginUri ? pluginUri : "(none)");
        return nullptr;
    }
    UiHost host = readUiFeatures(features);
    host.write = write;
    host.controller = controller;
    return Lv2Ui::create(host, widget);
}

void cleanup(LV2UI_Handle handle) {
    if (handle) uiOf(handle)->cleanup();
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format,
               const void* buffer) {
    if (handle) uiOf(handle)->portEvent(port, bufferSize, format, buffer);
}

int idle(LV2UI_Handle handle) { return handle ? uiOf(handle)->idle() : 1; }

const LV2UI_Idle_Interface kIdleInterface = {idle};

const void* extensionData(const char* uri) {
    if (uri && std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdleInterface;
    return nullptr;
}

const LV2UI_Descriptor kUiDescriptor = {
    TALON_LV2_UI_URI, instantiate, cleanup, portEvent, extensionData,
};

}  // namespace

const LV2UI_Descriptor* uiDescriptor(std::uint32_t index) {
    return index == 0 ? &kUiDescriptor : nullptr;
}

}  // namespace talonLv2
