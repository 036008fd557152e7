// The test program's global allocation functions count the allocations made while a test is
// watching, so that it can check a real-time call allocates nothing.
#include "lv2/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> watching{false};
std::atomic<int> counted{0};

void* allocate(std::size_t size) {
    if (watching.load()) counted.fetch_add(1);
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace allocationCount {

void start() {
    counted.store(0);
    watching.store(true);
}

int stop() {
    watching.store(false);
    return counted.load();
}

}  // namespace allocationCount
