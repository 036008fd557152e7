#include "effect/lv2/Lv2Ui.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "effect/PluginCore.h"
#include "effect/lv2/Lv2Ports.h"
#include "gui/platform/x11/X11OwnWindow.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"

namespace talonLv2 {

namespace {

constexpr intptr kHostVersion = 2400;
constexpr std::uint32_t kFloatProtocol = 0;
constexpr char kSizeWindowQuestion[] = "sizeWindow";

bool isFeature(const LV2_Feature* feature, const char* uri) {
    return feature->URI && std::strcmp(feature->URI, uri) == 0;
}

// The host's ui:scaleFactor among its options; 0 where it gave none or gave it oddly.
double scaleOption(const LV2_Options_Option* options, const LV2_URID_Map* map) {
    if (!options || !map || !map->map) return 0.0;
    const LV2_URID scaleKey = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (const LV2_Options_Option* option = options; option->key || option->value; ++option) {
        if (option->key != scaleKey || option->type != floatType) continue;
        if (option->size != sizeof(float) || !option->value) continue;
        float scale = 0.0f;
        std::memcpy(&scale, option->value, sizeof scale);
        return std::isfinite(scale) ? scale : 0.0;
    }
    return 0.0;
}

AEffGUIEditor* panelOf(PluginCore& effect) {
    return static_cast<AEffGUIEditor*>(effect.getEditor());
}

// The port's range, which the panel's parameters cover exactly.
float clampedToPort(std::uint32_t port, float value) {
    const float low = port == kPortExpansion ? 0.0f : kSilenceDecibels;
    const float high = port == kPortExpansion ? 100.0f : kLoudestDecibels;
    return value < low ? low : (value > high ? high : value);
}

// The X window that carries the panel, for the host's widget; 0 where there is none.
unsigned long panelWindowOf(AEffGUIEditor& panel) {
    gui::CFrame* frame = panel.getFrame();
    if (!frame) return 0;
    const auto* own =
        dynamic_cast<const gui::x11::OwnWindow*>(gui::x11::windowOf(frame->getWindow()));
    return own ? own->xWindow() : 0;
}

}  // namespace

UiHost readUiFeatures(const LV2_Feature* const* features) {
    UiHost host;
    const LV2_Options_Option* options = nullptr;
    const LV2_URID_Map* map = nullptr;
    for (const LV2_Feature* const* at = features; at && *at; ++at) {
        const LV2_Feature* feature = *at;
        if (isFeature(feature, LV2_UI__parent)) host.parent = feature->data;
        if (isFeature(feature, LV2_UI__resize))
            host.resize = static_cast<const LV2UI_Resize*>(feature->data);
        if (isFeature(feature, LV2_UI__touch))
            host.touch = static_cast<const LV2UI_Touch*>(feature->data);
        if (isFeature(feature, LV2_OPTIONS__options))
            options = static_cast<const LV2_Options_Option*>(feature->data);
        if (isFeature(feature, LV2_URID__map))
            map = static_cast<const LV2_URID_Map*>(feature->data);
    }
    host.scale = scaleOption(options, map);
    return host;
}

Lv2Ui::Entry::Entry(Lv2Ui& ui) : ui(ui) { ++ui.callsInProgress; }

Lv2Ui::Entry::~Entry() {
    if (--ui.callsInProgress == 0 && ui.cleanedUp) delete &ui;
}

Lv2Ui::Lv2Ui(const UiHost& host)
    : host(host), shadow(std::make_unique<PluginCore>(effectCallback)) {
    shadow->getAeffect()->user = this;
    if (host.scale != 0.0) panelOf(*shadow)->setHostScale(host.scale);
}

Lv2Ui::~Lv2Ui() {
    if (AEffGUIEditor* panel = panelOf(*shadow)) panel->close();
    shadow->getAeffect()->user = nullptr;
}

Lv2Ui* Lv2Ui::create(const UiHost& host, LV2UI_Widget* widget) {
    if (!host.parent) {
        std::fprintf(stderr, "Talon 5800: the host gave the UI no parent window; no panel\n");
        return nullptr;
    }
    // Held over the check and the opening, so that both ask the same connection.
    Display* display = gui::x11::acquireDisplay();
    if (!display) return nullptr;  // the display said why on stderr
    const auto parentId = static_cast<::Window>(reinterpret_cast<std::uintptr_t>(host.parent));
    Lv2Ui* ui = nullptr;
    if (!gui::x11::windowExists(display, parentId)) {
        std::fprintf(stderr,
                     "Talon 5800: the host's parent window 0x%lx does not exist; no panel\n",
                     parentId);
    } else {
        // No exception may cross into the host: a failed construction is a refusal.
        try {
            ui = new Lv2Ui(host);
        } catch (...) {
            ui = nullptr;
        }
        if (ui && !ui->openPanel(widget)) {
            std::fprintf(stderr, "Talon 5800: the panel could not open in window 0x%lx\n",
                         parentId);
            delete ui;
            ui = nullptr;
        }
    }
    gui::x11::releaseDisplay();
    return ui;
}

bool Lv2Ui::openPanel(LV2UI_Widget* widget) {
    AEffGUIEditor* panel = panelOf(*shadow);
    if (!panel || !panel->open(host.parent)) return false;
    const unsigned long window = panelWindowOf(*panel);
    if (!window) return false;
    if (widget) *widget = reinterpret_cast<LV2UI_Widget>(static_cast<std::uintptr_t>(window));
    reportSize();
    return true;
}

void Lv2Ui::portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format,
                      const void* buffer) {
    const Entry entry(*this);
    if (cleanedUp || format != kFloatProtocol || bufferSize != sizeof(float) || !buffer) return;
    const std::int32_t parameter = parameterOfPort(port);
    if (parameter < 0) return;
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof value);
    if (std::isnan(value)) return;
    shadow->setParameter(parameter, parameterValueOf(port, clampedToPort(port, value)));
}

int Lv2Ui::idle() {
    const Entry entry(*this);
    if (cleanedUp) return 1;
    panelOf(*shadow)->idle();
    if (cleanedUp) return 1;
    reportSize();
    return windowGone() ? 1 : 0;
}

// The panel goes at once; the objects whose calls may still be on the stack go with the
// outermost of them.
void Lv2Ui::cleanup() {
    if (cleanedUp) return;
    cleanedUp = true;
    panelOf(*shadow)->close();
    if (callsInProgress == 0) delete this;
}

bool Lv2Ui::windowGone() const {
    gui::CFrame* frame = panelOf(*shadow)->getFrame();
    return !frame || !frame->getWindow();
}

void Lv2Ui::reportSize() {
    if (cleanedUp || !host.resize || !host.resize->ui_resize) return;
    ERect* rect = nullptr;
    if (!panelOf(*shadow)->getRect(&rect) || !rect) return;
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (width == reportedWidth && height == reportedHeight) return;
    reportedWidth = width;
    reportedHeight = height;
    host.resize->ui_resize(host.resize->handle, width, height);
}

intptr VSTCALLBACK Lv2Ui::effectCallback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                         void* ptr, float opt) {
    if (opcode == audioMasterVersion) return kHostVersion;
    auto* ui = effect ? static_cast<Lv2Ui*>(effect->user) : nullptr;
    if (!ui || ui->cleanedUp) return 0;
    if (opcode == audioMasterSizeWindow) {
        if (!ui->host.resize || !ui->host.resize->ui_resize) return 0;
        ui->reportedWidth = index;
        ui->reportedHeight = static_cast<int>(value);
        ui->host.resize->ui_resize(ui->host.resize->handle, index, static_cast<int>(value));
        return 1;
    }
    return ui->answerEffect(opcode, index, ptr, opt);
}

intptr Lv2Ui::answerEffect(int32 opcode, int32 index, void* ptr, float opt) {
    switch (opcode) {
        case audioMasterAutomate: writeParameter(index, opt); return 0;
        case audioMasterBeginEdit: touchParameter(index, true); return 1;
        case audioMasterEndEdit: touchParameter(index, false); return 1;
        case audioMasterCanDo:
            return ptr && host.resize &&
                           std::strcmp(static_cast<const char*>(ptr), kSizeWindowQuestion) == 0
                       ? 1
                       : 0;
        default: return 0;
    }
}

void Lv2Ui::writeParameter(int32 parameter, float value) {
    const std::uint32_t port = portOfParameter(parameter);
    if (port == kPortCount || !host.write) return;
    const float portValue = portValueOf(parameter, value);
    host.write(host.controller, port, sizeof portValue, kFloatProtocol, &portValue);
}

void Lv2Ui::touchParameter(int32 parameter, bool grabbed) {
    const std::uint32_t port = portOfParameter(parameter);
    if (port == kPortCount || !host.touch || !host.touch->touch) return;
    host.touch->touch(host.touch->handle, port, grabbed);
}

}  // namespace talonLv2
