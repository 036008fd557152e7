#include "gui/x11/VstTestHost.h"

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr intptr kHostVersion = 2400;
constexpr int kIdleMilliseconds = 20;
// After the input, for what it set off to reach the host.
constexpr int kSettleMilliseconds = 300;
constexpr int32 kBeginEdit = 43;
constexpr int32 kEndEdit = 44;

// The callback carries no context: the one host alive gets every call.
VstTestHost* currentHost = nullptr;

using EntryPoint = AEffect* (*)(audioMasterCallback);

}  // namespace

VstTestHost::VstTestHost(const char* path) {
    currentHost = this;
    connection = XOpenDisplay(nullptr);
    library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library || !connection) return;
    const auto entry = reinterpret_cast<EntryPoint>(dlsym(library, "VSTPluginMain"));
    if (!entry) return;
    plugin = entry(&VstTestHost::callback);
    if (plugin && plugin->magic != kEffectMagic) plugin = nullptr;
    if (plugin) dispatch(effOpen);
}

VstTestHost::~VstTestHost() {
    closeEditor();
    if (plugin) dispatch(effClose);
    if (library) dlclose(library);
    if (connection) XCloseDisplay(connection);
    currentHost = nullptr;
}

intptr VstTestHost::dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    return plugin->dispatcher(plugin, opcode, index, value, ptr, opt);
}

intptr VSTCALLBACK VstTestHost::callback(AEffect*, int32 opcode, int32 index, intptr value,
                                         void* ptr, float opt) {
    return currentHost ? currentHost->answer(opcode, index, value, ptr, opt) : 0;
}

intptr VstTestHost::answer(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    const intptr answered = record(opcode, index, value, ptr, opt);
    if (onCall) onCall(opcode);
    return answered;
}

intptr VstTestHost::record(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    switch (opcode) {
        case audioMasterAutomate: automation[index].push_back(opt); return 0;
        case audioMasterVersion: return kHostVersion;
        case kBeginEdit: ++begins[index]; return 1;
        case kEndEdit: ++ends[index]; return 1;
        case audioMasterCanDo:
            return ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0 ? 1 : 0;
        case audioMasterSizeWindow:
            if (!hostWindow) return 0;
            XResizeWindow(connection, hostWindow, static_cast<unsigned>(index),
                          static_cast<unsigned>(value));
            XSync(connection, False);
            return 1;
        default: return 0;
    }
}

bool VstTestHost::openEditor(int x, int y) {
    if (!plugin || !connection) return false;
    int width = 0;
    int height = 0;
    editorSize(width, height);
    if (width <= 0 || height <= 0) return false;
    hostWindow =
        XCreateSimpleWindow(connection, DefaultRootWindow(connection), x, y,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(connection, hostWindow);
    XSync(connection, False);
    editorOpen = dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(hostWindow)) != 0;
    pump(kSettleMilliseconds);
    return editorOpen;
}

void VstTestHost::closeEditor() {
    if (editorOpen) dispatch(effEditClose);
    editorOpen = false;
    destroyWindow();
}

void VstTestHost::destroyWindow() {
    if (hostWindow) XDestroyWindow(connection, hostWindow);
    hostWindow = 0;
    if (connection) XSync(connection, False);
}

void VstTestHost::editorSize(int& width, int& height) {
    ERect* rect = nullptr;
    width = height = 0;
    if (!dispatch(effEditGetRect, 0, 0, &rect) || !rect) return;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
}

void VstTestHost::windowSize(::Window window, int& width, int& height) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(connection, window, &attributes);
    width = attributes.width;
    height = attributes.height;
}

::Window VstTestHost::panelWindow() {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(connection, hostWindow, &root, &parent, &children, &count)) return 0;
    const ::Window first = count > 0 ? children[0] : 0;
    if (children) XFree(children);
    return first;
}

void VstTestHost::pump(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        if (editorOpen) dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(kIdleMilliseconds));
    }
}

void VstTestHost::playWhilePumping(const std::function<void()>& input) {
    std::atomic<bool> played{false};
    std::thread player([&] {
        input();
        played = true;
    });
    while (!played) pump(kIdleMilliseconds);
    player.join();
    pump(kSettleMilliseconds);
}
