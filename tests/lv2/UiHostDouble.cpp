#include "lv2/UiHostDouble.h"

#include <cstring>

namespace lv2test {

const LV2UI_Descriptor* UiHostDouble::descriptor() {
    // Loaded once, as a host keeps a UI library while it may show the UI again.
    static void* object = dlopen(TALON_LV2_UI_OBJECT, RTLD_NOW | RTLD_LOCAL);
    using Entry = const LV2UI_Descriptor* (*)(uint32_t);
    auto entry = object ? reinterpret_cast<Entry>(dlsym(object, "lv2ui_descriptor")) : nullptr;
    return entry ? entry(0) : nullptr;
}

LV2_URID UiHostDouble::map(LV2_URID_Map_Handle self, const char* uri) {
    auto& uris = static_cast<UiHostDouble*>(self)->uris;
    for (std::size_t i = 0; i < uris.size(); ++i)
        if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

UiHostDouble::UiHostDouble(Display* display, float scale) : display(display), scale(scale) {
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 800, 300, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    resize.handle = this;
    resize.ui_resize = [](LV2UI_Feature_Handle self, int width, int height) {
        static_cast<UiHostDouble*>(self)->sizes.emplace_back(width, height);
        return 0;
    };
    touch.handle = this;
    touch.touch = [](LV2UI_Feature_Handle self, uint32_t port, bool grabbed) {
        auto* host = static_cast<UiHostDouble*>(self);
        host->touches.push_back({port, grabbed});
        if (host->onTouch) host->onTouch();
    };
}

UiHostDouble::~UiHostDouble() {
    cleanup();
    XDestroyWindow(display, window);
    XSync(display, False);
}

bool UiHostDouble::instantiate(std::uintptr_t parent) {
    const LV2UI_Descriptor* ui = descriptor();
    if (!ui) return false;
    options = {{LV2_OPTIONS_INSTANCE, 0, map(this, LV2_UI__scaleFactor), sizeof(float),
                map(this, LV2_ATOM__Float), &scale},
               {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
    const LV2_Feature resizeFeature{LV2_UI__resize, &resize};
    const LV2_Feature touchFeature{LV2_UI__touch, &touch};
    const LV2_Feature mapFeature{LV2_URID__map, &urIdMap};
    const LV2_Feature optionsFeature{LV2_OPTIONS__options, options.data()};
    std::vector<const LV2_Feature*> features = {&resizeFeature, &touchFeature, &mapFeature};
    if (scale != 0.0f) features.push_back(&optionsFeature);
    if (parent) features.push_back(&parentFeature);
    features.push_back(nullptr);
    auto write = [](LV2UI_Controller self, uint32_t port, uint32_t size, uint32_t format,
                    const void* buffer) {
        auto* host = static_cast<UiHostDouble*>(const_cast<void*>(self));
        if (size != sizeof(float) || format != 0) return;
        float value;
        std::memcpy(&value, buffer, sizeof value);
        host->writes.push_back({port, value});
        if (host->onWrite) host->onWrite();
    };
    LV2UI_Widget shown = nullptr;
    handle = ui->instantiate(ui, "urn:mirevox:talon5800", "/tmp/bundle/", write, this, &shown,
                             features.data());
    widget = static_cast<Window>(reinterpret_cast<std::uintptr_t>(shown));
    return handle != nullptr;
}

void UiHostDouble::portEvent(std::uint32_t port, float value, std::uint32_t size,
                             std::uint32_t format) {
    descriptor()->port_event(handle, port, size, format, &value);
}

int UiHostDouble::idle() {
    auto* idle = static_cast<const LV2UI_Idle_Interface*>(
        descriptor()->extension_data(LV2_UI__idleInterface));
    return idle->idle(handle);
}

void UiHostDouble::cleanup() {
    if (handle) descriptor()->cleanup(handle);
    handle = nullptr;
}

}  // namespace lv2test
