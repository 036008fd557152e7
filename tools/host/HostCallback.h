// The host side of the interface: the callback every effect calls with its requests.
#pragma once

#include <functional>
#include <iosfwd>

#include "host/aeffect.h"

constexpr intptr kHostVstVersion = 2400;
constexpr const char* kHostVendorName = "Talon 5800 project";
constexpr const char* kHostProductName = "talonhost";

// What the callback reports; one effect is hosted per process, so this is process-wide.
struct HostCallbackSettings {
    double sampleRate = 44100.0;
    int32 blockSize = 512;
    std::ostream* log = nullptr;  // set with --verbose: every call is written here
};

void configureHostCallback(const HostCallbackSettings& settings);

// Gives the open editor's window a client area of width x height; false if that failed.
using EditorWindowResizer = std::function<bool(int width, int height)>;

// While one of these lives, audioMasterSizeWindow resizes the editor's window through it; the
// host answers 0 to that call at any other time.
class EditorResizeHandler {
  public:
    explicit EditorResizeHandler(EditorWindowResizer resizer);
    ~EditorResizeHandler();
    EditorResizeHandler(const EditorResizeHandler&) = delete;
    EditorResizeHandler& operator=(const EditorResizeHandler&) = delete;
};

intptr VSTCALLBACK hostCallback(AEffect* effect, int32 opcode, int32 index, intptr value, void* ptr,
                                float opt);
