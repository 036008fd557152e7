// A host of the UI object as LV2 hosts hold one: the object loaded with dlopen, a top-level X
// window of its own for the parent, and the features' calls recorded.
#pragma once

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lv2test {

struct PortWrite {
    std::uint32_t port;
    float value;
};

struct Touch {
    std::uint32_t port;
    bool grabbed;
};

class UiHostDouble {
  public:
    explicit UiHostDouble(Display* display, float scale = 0.0f);
    ~UiHostDouble();
    UiHostDouble(const UiHostDouble&) = delete;
    UiHostDouble& operator=(const UiHostDouble&) = delete;

    // The UI in the host's window (or in parent, 0 for none); false where it refused.
    bool instantiate(std::uintptr_t parent);
    bool instantiate() { return instantiate(window); }
    void portEvent(std::uint32_t port, float value, std::uint32_t size = 4,
                   std::uint32_t format = 0);
    int idle();
    void cleanup();

    LV2UI_Handle handle = nullptr;
    Window window = 0;
    Window widget = 0;
    std::vector<PortWrite> writes;
    std::vector<Touch> touches;
    std::vector<std::pair<int, int>> sizes;
    // Run by the host inside its write or touch call, as a host that closes the UI there.
    std::function<void()> onWrite, onTouch;

  private:
    static const LV2UI_Descriptor* descriptor();
    static LV2_URID map(LV2_URID_Map_Handle self, const char* uri);

    Display* display;
    float scale;
    std::vector<std::string> uris;
    LV2_URID_Map urIdMap{this, map};
    LV2UI_Resize resize{};
    LV2UI_Touch touch{};
    std::vector<LV2_Options_Option> options;
};

}  // namespace lv2test
