// A toolkit object whose memory is filled with a pattern when it is deleted and never handed
// back: any use after its deletion calls through a garbage table and crashes at once, instead of
// reading members that still look right.
#pragma once

#include <cstddef>
#include <cstring>

namespace testsupport {

constexpr unsigned char kPoison = 0xDD;

template <typename T>
struct PoisonedOnDelete : T {
    using T::T;
    static void operator delete(void* memory, std::size_t size) {
        std::memset(memory, kPoison, size);
    }
};

}  // namespace testsupport
