// A host callback for tests: records every call and answers what the test set for each opcode.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "host/aeffect.h"

struct HostCall {
    AEffect* effect;
    int32 opcode;
    int32 index;
    intptr value;
    void* ptr;
    float opt;
};

// The callback has no context pointer, so it records into the FakeHost alive at the time and
// answers 0 for opcodes the test did not set.
class FakeHost {
  public:
    FakeHost() { active = this; }
    ~FakeHost() { active = nullptr; }
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                       void* ptr, float opt);
    static FakeHost* current() { return active; }
    void answer(int32 opcode, intptr result) { answers[opcode] = result; }
    // Runs once, on the next call of opcode, after it is recorded: a host that acts there.
    void onNext(int32 opcode, std::function<void()> action) {
        reactOn = opcode;
        reaction = std::move(action);
    }
    const std::vector<HostCall>& calls() const { return log; }
    void clear() { log.clear(); }

  private:
    static FakeHost* active;
    std::vector<HostCall> log;
    std::map<int32, intptr> answers;
    int32 reactOn = -1;
    std::function<void()> reaction;
};

// A host of the interface's current version.
constexpr intptr kHostVersion = 2400;
