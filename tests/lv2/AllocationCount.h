// Counts the program's allocations between start() and stop().
#pragma once

namespace allocationCount {

void start();
int stop();  // the allocations since start()

}  // namespace allocationCount
