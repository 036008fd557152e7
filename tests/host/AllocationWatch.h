// The test program's own global allocation functions, so that a test can see how large the last
// array allocation was and whether a block it watches was released.
#pragma once

#include <cstddef>

namespace allocationWatch {

std::size_t lastArraySize();
// Counts the releases of block from now on; null stops watching.
void watchRelease(const void* block);
int releasesOfWatched();

}  // namespace allocationWatch
