#include "AllocationWatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> lastArrayBytes{0};
std::atomic<const void*> watchedBlock{nullptr};
std::atomic<int> watchedReleases{0};

void* allocate(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

void* allocateOrThrow(std::size_t size) {
    if (void* block = allocate(size)) return block;
    throw std::bad_alloc();
}

void release(void* block) noexcept {
    if (block && block == watchedBlock.load()) ++watchedReleases;
    std::free(block);
}

}  // namespace

namespace allocationWatch {

std::size_t lastArraySize() { return lastArrayBytes.load(); }

void watchRelease(const void* block) {
    watchedBlock.store(block);
    watchedReleases.store(0);
}

int releasesOfWatched() { return watchedReleases.load(); }

}  // namespace allocationWatch

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void* operator new[](std::size_t size) {
    lastArrayBytes.store(size);
    return allocateOrThrow(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    lastArrayBytes.store(size);
    return allocate(size);
}

void operator delete(void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }
