// Test doubles for the host-interface layer: a host callback that records every call, a concrete
// effect that logs what reaches it, and an editor that remembers its calls.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/AEffEditor.h"
#include "host/AudioEffectX.h"
#include "support/RecordingHost.h"

// What reached a TestEffect; kept outside it so that it can be read after the effect is deleted.
struct EffectLog {
    int closes = 0;
    int closesAtDestruction = -1;
    int suspends = 0;
    int resumes = 0;
    bool destroyed = false;
    std::vector<int32> processedFrames;
    std::size_t hostCallsAtSetParameter = 0;
};

// An effect with 4 programs and 3 parameters.
class TestEffect : public AudioEffectX {
  public:
    TestEffect(audioMasterCallback host, EffectLog& log) : AudioEffectX(host, 4, 3), log(log) {}
    ~TestEffect() override {
        log.closesAtDestruction = log.closes;
        log.destroyed = true;
    }

    // Calls the dispatcher through the record, as a host does.
    intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
        AEffect* record = getAeffect();
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }

    void close() override { ++log.closes; }
    void suspend() override { ++log.suspends; }
    void resume() override {
        ++log.resumes;
        AudioEffectX::resume();
    }
    void process(float**, float**, int32 frames) override { log.processedFrames.push_back(frames); }
    void processReplacing(float**, float**, int32 frames) override {
        log.processedFrames.push_back(frames);
    }
    void processDoubleReplacing(double**, double**, int32 frames) override {
        log.processedFrames.push_back(frames);
    }
    void setParameter(int32 index, float value) override;
    float getParameter(int32 index) override { return index == 1 ? parameter : 0.0f; }
    intptr canDo(char* text) override {
        lastCanDo = text ? text : "";
        return canDoAnswer;
    }
    bool getProgramNameIndexed(int32 category, int32 index, char* text) override {
        indexed = {category, index, text};
        return true;
    }

    intptr canDoAnswer = 0;
    std::string lastCanDo;
    struct {
        int32 category = -1;
        int32 index = -1;
        char* text = nullptr;
    } indexed;

  private:
    EffectLog& log;
    float parameter = 0.0f;
};

// Answers `answer` to every call that returns one.
class FakeEditor : public AEffEditor {
  public:
    explicit FakeEditor(AudioEffect* effect) : AEffEditor(effect) {}

    bool getRect(ERect** rect) override {
        if (rect) *rect = &area;
        return answer;
    }
    bool open(void* window) override {
        openedWith = window;
        return answer;
    }
    void close() override { ++closes; }
    void idle() override { ++idles; }
    bool onKeyDown(VstKeyCode& key) override {
        keysDown.push_back(key);
        return answer;
    }
    bool onKeyUp(VstKeyCode& key) override {
        keysUp.push_back(key);
        return answer;
    }
    bool setKnobMode(int32 mode) override {
        knobMode = mode;
        return answer;
    }

    bool answer = true;
    ERect area{0, 0, 300, 400};
    void* openedWith = nullptr;
    int closes = 0;
    int idles = 0;
    int32 knobMode = -1;
    std::vector<VstKeyCode> keysDown;
    std::vector<VstKeyCode> keysUp;
};

// A recording host, a log and an effect connected to both.
class HostLayerTest : public ::testing::Test {
  protected:
    FakeHost host;
    EffectLog log;
    TestEffect effect{FakeHost::callback, log};
};
