// A host callback for tests: records every call and answers like a VST 2.4 host.
#pragma once

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

// The callback has no context pointer, so the recording lives in one place per test process.
struct FakeHost {
    static std::vector<HostCall>& calls() {
        static std::vector<HostCall> recorded;
        return recorded;
    }
    static intptr& versionAnswer() {
        static intptr answer = 2400;
        return answer;
    }
    static void reset() {
        calls().clear();
        versionAnswer() = 2400;
    }
    static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                       void* ptr, float opt) {
        calls().push_back({effect, opcode, index, value, ptr, opt});
        return opcode == audioMasterVersion ? versionAnswer() : 0;
    }
};
