// Counting replacements of the allocation entry points of the whole
// tarnex-bench program. malloc and its relatives forward to glibc's own
// implementation, so free, posix_memalign and the rest stay glibc's and
// agree with them. The counts are relaxed atomics: cheap, and the figures are
// read between frames on the one thread that draws.

#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}

namespace {

std::atomic<std::size_t> g_operatorNew { 0 };
std::atomic<std::size_t> g_malloc { 0 };

} // namespace

AllocationCount allocationsSoFar()
{
    return { g_operatorNew.load(std::memory_order_relaxed), g_malloc.load(std::memory_order_relaxed) };
}

extern "C" void* malloc(std::size_t size) noexcept
{
    g_malloc.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size) noexcept
{
    g_malloc.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, std::size_t size) noexcept
{
    g_malloc.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}

// The array, nothrow and sized forms of the library forward to these.
void* operator new(std::size_t size)
{
    g_operatorNew.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
