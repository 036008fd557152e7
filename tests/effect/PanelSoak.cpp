// A seeded random host and user for the built plug-in's panel: real mouse, keys and wheel on a
// second thread, while the host's loop idles the editor, sets parameters, sends key and wheel
// calls (some of them odd) and now and then closes the editor from inside its own idle callback,
// as hosts that pump their message loop there do. It fails on a crash, on automation that is not
// a finite value in [0, 1] or comes outside its gesture, and on a gesture ended that never began.
//   panel_soak [--seconds N] [--seed S]
#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <thread>

#include "LoadedPlugin.h"
#include "support/EditorWindow.h"

namespace {

using testsupport::kPanelHeight;
using testsupport::kPanelWidth;
using testsupport::pumpMessages;

constexpr int kParameters = 2;

struct SoakState {
    AEffect* effect = nullptr;
    bool editorOpen = false;
    int closeOneIn = 0;  // chance of closing the editor in each audioMasterIdle
    std::mt19937 hostRandom;
    int gestureDepth[kParameters] = {};
    long faults = 0;
    long automations = 0;
    long closesFromIdle = 0;
};
SoakState soak;

void fault(const char* what, int parameter, double value) {
    ++soak.faults;
    if (soak.faults <= 10)
        std::printf("panel soak: FAULT: %s (parameter %d, %g)\n", what, parameter, value);
}

intptr VSTCALLBACK soakHost(AEffect*, int32 opcode, int32 index, intptr, void*, float opt) {
    const bool known = index >= 0 && index < kParameters;
    switch (opcode) {
        case audioMasterVersion: return kHostVersion;
        case audioMasterAutomate:
            ++soak.automations;
            if (!known)
                fault("automation of an unknown parameter", index, opt);
            else if (!std::isfinite(opt) || opt < 0.0f || opt > 1.0f)
                fault("automation out of range", index, opt);
            else if (soak.gestureDepth[index] == 0)
                fault("automation outside its gesture", index, opt);
            return 0;
        case audioMasterBeginEdit:
            if (known) ++soak.gestureDepth[index];
            return 1;
        case audioMasterEndEdit:
            if (known && soak.gestureDepth[index]-- == 0) {
                soak.gestureDepth[index] = 0;
                fault("end-edit without begin-edit", index, 0);
            }
            return 1;
        case audioMasterIdle:
            if (soak.editorOpen &&
                std::uniform_int_distribution<int>(1, soak.closeOneIn)(soak.hostRandom) == 1) {
                soak.editorOpen = false;
                ++soak.closesFromIdle;
                dispatch(soak.effect, effEditClose);
            }
            return 0;
        case audioMasterSizeWindow: return 1;
        default: return 0;
    }
}

// The user: random pointer moves, clicks, double clicks, drags, wheel turns and keys over the
// host window's client area, sent through the system's input queue faster than the host pumps.
void userActs(HWND window, unsigned seed, const std::atomic<bool>& stop) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto send = [](DWORD type, DWORD flags, WORD key, DWORD data) {
        INPUT input = {};
        input.type = type;
        if (type == INPUT_MOUSE) {
            input.mi.dwFlags = flags;
            input.mi.mouseData = data;
        } else {
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
        }
        SendInput(1, &input, sizeof(input));
    };
    static const WORD keys[] = {'0',           '1',     '5',       '7',       '9',    VK_OEM_MINUS,
                                VK_OEM_PERIOD, VK_BACK, VK_RETURN, VK_ESCAPE, VK_TAB, VK_UP,
                                VK_DOWN,       VK_LEFT, VK_RIGHT,  VK_HOME,   VK_END};
    while (!stop) {
        POINT at = {pick(0, kPanelWidth - 1), pick(0, kPanelHeight - 1)};
        ClientToScreen(window, &at);
        SetCursorPos(at.x, at.y);
        const WORD modifier = pick(0, 5) == 0 ? VK_SHIFT : (pick(0, 8) == 0 ? VK_CONTROL : 0);
        if (modifier) send(INPUT_KEYBOARD, 0, modifier, 0);
        switch (pick(0, 5)) {
            case 0:  // a tap, or a double tap, with no hold at all
                for (int taps = pick(1, 2); taps > 0; --taps) {
                    send(INPUT_MOUSE, MOUSEEVENTF_LEFTDOWN, 0, 0);
                    send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP, 0, 0);
                }
                break;
            case 1:  // a drag
                send(INPUT_MOUSE, MOUSEEVENTF_LEFTDOWN, 0, 0);
                for (int step = pick(1, 6); step > 0; --step) {
                    Sleep(pick(5, 40));
                    SetCursorPos(at.x + pick(-60, 60), at.y + pick(-60, 60));
                }
                send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP, 0, 0);
                break;
            case 2:
                send(INPUT_MOUSE, MOUSEEVENTF_WHEEL, 0,
                     static_cast<DWORD>(pick(-2, 2) * WHEEL_DELTA));
                break;
            case 3:
            case 4:
                send(INPUT_KEYBOARD, 0, keys[pick(0, sizeof(keys) / sizeof(keys[0]) - 1)], 0);
                send(INPUT_KEYBOARD, KEYEVENTF_KEYUP,
                     keys[pick(0, sizeof(keys) / sizeof(keys[0]) - 1)], 0);
                break;
            default:  // a click held for a while
                send(INPUT_MOUSE, MOUSEEVENTF_LEFTDOWN, 0, 0);
                Sleep(pick(10, 120));
                send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP, 0, 0);
                break;
        }
        if (modifier) send(INPUT_KEYBOARD, KEYEVENTF_KEYUP, modifier, 0);
        Sleep(pick(0, 30));
    }
    send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP, 0, 0);
}

// The host: its loop, with its own calls mixed in at random.
void hostActs(HWND window, std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(),
                         -3.0f,
                         1e9f,
                         0.5f,
                         -1.0f,
                         2.0f};
    switch (pick(0, 9)) {
        case 0:
            soak.effect->setParameter(soak.effect, pick(0, kParameters - 1), pick(0, 100) / 100.0f);
            break;
        case 1:
            dispatch(soak.effect, effVendorSpecific, fourCharCode('s', 't', 'C', 'A'),
                     fourCharCode('W', 'h', 'e', 'e'), nullptr, odd[pick(0, 7)]);
            break;
        case 2:  // character, virtual key, modifiers
            dispatch(soak.effect, pick(0, 1) ? effEditKeyDown : effEditKeyUp,
                     pick(0, 1) ? '0' + pick(0, 9) : 0, pick(0, 20), nullptr,
                     static_cast<float>(pick(0, 7)));
            break;
        case 3:
            if (!soak.editorOpen && pick(0, 2) == 0) {
                soak.editorOpen = dispatch(soak.effect, effEditOpen, 0, 0, window) == 1;
            } else if (soak.editorOpen && pick(0, 20) == 0) {
                soak.editorOpen = false;
                dispatch(soak.effect, effEditClose);
            }
            break;
        default: dispatch(soak.effect, effEditIdle); break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = 20;
    unsigned seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seconds")) seconds = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--seed")) seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
    }
    HMODULE plugin = LoadLibraryA("Talon5800.dll");
    auto entry = plugin ? reinterpret_cast<PluginEntry>(
                              reinterpret_cast<void*>(GetProcAddress(plugin, "VSTPluginMain")))
                        : nullptr;
    soak.effect = entry ? entry(soakHost) : nullptr;
    if (!soak.effect) {
        std::printf("panel soak: the plug-in did not load\n");
        return 1;
    }
    soak.hostRandom.seed(seed);
    soak.closeOneIn = 3;
    testsupport::HostWindow hostWindow(kPanelWidth, kPanelHeight);
    SetForegroundWindow(hostWindow.get());
    soak.editorOpen = dispatch(soak.effect, effEditOpen, 0, 0, hostWindow.get()) == 1;

    std::atomic<bool> stop{false};
    std::atomic<bool> userDone{false};
    std::thread user([&] {
        userActs(hostWindow.get(), seed + 1, stop);
        userDone = true;
    });
    std::mt19937 random(seed + 2);
    long passes = 0;
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        pumpMessages();
        hostActs(hostWindow.get(), random);
        if (++passes % 50 == 0) SetForegroundWindow(hostWindow.get());
        Sleep(std::uniform_int_distribution<int>(0, 15)(random));
    }
    stop = true;
    while (!userDone) {  // the user's last input may still wait on this thread's windows
        pumpMessages();
        Sleep(10);
    }
    user.join();
    pumpMessages();
    if (soak.editorOpen) dispatch(soak.effect, effEditClose);
    dispatch(soak.effect, effClose);
    pumpMessages();
    for (int parameter = 0; parameter < kParameters; ++parameter)
        if (soak.gestureDepth[parameter] != 0)
            fault("gesture left open", parameter, soak.gestureDepth[parameter]);
    std::printf(
        "panel soak: seed %u, %d s, %ld host passes, %ld automations, %ld closes from idle: %ld "
        "faults\n",
        seed, seconds, passes, soak.automations, soak.closesFromIdle, soak.faults);
    FreeLibrary(plugin);
    return soak.faults == 0 ? 0 : 1;
}
