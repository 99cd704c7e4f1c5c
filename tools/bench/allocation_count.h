#pragma once

#include <cstddef>

// Heap allocations made by this whole program so far, counted by the global
// operator new and by malloc, calloc and realloc, all replaced in
// allocation_count.cpp. The malloc count includes operator new's own calls
// and whatever Cairo, pixman, FreeType and fontconfig ask for.
struct AllocationCount {
    std::size_t operatorNew = 0;
    std::size_t malloc = 0;
};

AllocationCount allocationsSoFar();

inline AllocationCount operator-(AllocationCount const& later, AllocationCount const& earlier)
{
    return { later.operatorNew - earlier.operatorNew, later.malloc - earlier.malloc };
}
