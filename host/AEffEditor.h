// The editor interface the effect's dispatcher calls for the editor opcodes.
#pragma once

#include "host/aeffect.h"

class AudioEffect;

class AEffEditor {
  public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect), systemWindow(nullptr) {}

    // UI thread; the effect deletes its editor.
    virtual ~AEffEditor() {}
    virtual AudioEffect* getEffect() { return effect; }
    // UI thread, any state: the editor's size; the base has none.
    virtual bool getRect(ERect** rect);
    // UI thread: ptr is the host's parent window.
    virtual bool open(void* ptr) {
        systemWindow = ptr;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    // UI thread, editor open: regular redraw time.
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& key);
    virtual bool onKeyUp(VstKeyCode& key);
    virtual bool onWheel(float distance);
    virtual bool setKnobMode(int32 mode);

  protected:
    AudioEffect* effect;
    void* systemWindow;
};
