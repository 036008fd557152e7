// A host for tests of the Linux plug-in with real input: it loads the shared object with dlopen,
// records what the plug-in tells it (automation values, edit gestures), opens the editor in a
// top-level window of its own at a known place and pumps the editor's idle while another thread
// plays the input.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <vector>

#include "host/aeffect.h"

class VstTestHost {
  public:
    // Loads the plug-in and opens it; check effect() before use.
    explicit VstTestHost(const char* path);
    ~VstTestHost();
    VstTestHost(const VstTestHost&) = delete;
    VstTestHost& operator=(const VstTestHost&) = delete;

    AEffect* effect() const { return plugin; }
    Display* display() const { return connection; }
    intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                    float opt = 0.0f);

    // A top-level window at (x, y) of the editor's size, with the editor open in it.
    bool openEditor(int x, int y);
    void closeEditor();
    // The host's window goes before the editor is told to close, as some hosts do it.
    void destroyWindow();
    ::Window window() const { return hostWindow; }
    // The editor's size as effEditGetRect tells it, and the host window's and the panel's
    // window's sizes as X tells them.
    void editorSize(int& width, int& height);
    void windowSize(::Window window, int& width, int& height);
    // The plug-in's first child window inside the host's window; 0 for none.
    ::Window panelWindow();

    // Runs the editor's idle about every 20 ms for the time.
    void pump(int milliseconds);
    // Plays the input on another thread while the idle runs, and a little longer after.
    void playWhilePumping(const std::function<void()>& input);

    const std::vector<float>& automated(int32 index) { return automation[index]; }
    int beginEdits(int32 index) { return begins[index]; }
    int endEdits(int32 index) { return ends[index]; }
    // Called after each call of the plug-in's is recorded, with its opcode: a test's host acts
    // from inside the plug-in's calls as a real one may.
    std::function<void(int32 opcode)> onCall;

  private:
    static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                       void* ptr, float opt);
    intptr answer(int32 opcode, int32 index, intptr value, void* ptr, float opt);
    intptr record(int32 opcode, int32 index, intptr value, void* ptr, float opt);

    void* library = nullptr;
    AEffect* plugin = nullptr;
    Display* connection = nullptr;
    ::Window hostWindow = 0;
    bool editorOpen = false;
    std::map<int32, std::vector<float>> automation;
    std::map<int32, int> begins;
    std::map<int32, int> ends;
};
