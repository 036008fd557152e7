#include "HostFakes.h"

void TestEffect::setParameter(int32 index, float value) {
    log.hostCallsAtSetParameter = FakeHost::current() ? FakeHost::current()->calls().size() : 0;
    if (index == 1) parameter = value;
}
