// The host side of the interface: the callback every effect calls with its requests.
#pragma once

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

intptr VSTCALLBACK hostCallback(AEffect* effect, int32 opcode, int32 index, intptr value, void* ptr,
                                float opt);
