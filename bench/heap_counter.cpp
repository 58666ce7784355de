// Replaces the C allocator entry points of the benchmark program with thin
// wrappers that add and subtract each block's usable size, then hand over to
// glibc's own allocator. Every heap allocation in the process passes here:
// Qt's containers, operator new and the C library itself.
#include "heap_counter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>

#include <malloc.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define STORYLOOM_HEAP_COUNTING 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STORYLOOM_HEAP_COUNTING 0
#endif
#endif
#ifndef STORYLOOM_HEAP_COUNTING
#define STORYLOOM_HEAP_COUNTING 1
#endif

namespace {
std::atomic<std::int64_t> g_bytes{0};
std::atomic<std::int64_t> g_peak{0};

void added(void *p)
{
    if (!p)
        return;
    const std::int64_t now = g_bytes.fetch_add(std::int64_t(malloc_usable_size(p)), std::memory_order_relaxed)
                             + std::int64_t(malloc_usable_size(p));
    std::int64_t peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void removed(void *p)
{
    if (p)
        g_bytes.fetch_sub(std::int64_t(malloc_usable_size(p)), std::memory_order_relaxed);
}
} // namespace

namespace bench {
std::int64_t heapBytes() { return g_bytes.load(std::memory_order_relaxed); }
void resetHeapPeak() { g_peak.store(heapBytes(), std::memory_order_relaxed); }
std::int64_t heapPeak() { return g_peak.load(std::memory_order_relaxed); }
bool heapCounting() { return STORYLOOM_HEAP_COUNTING != 0; }
} // namespace bench

#if STORYLOOM_HEAP_COUNTING
extern "C" {
void *__libc_malloc(std::size_t);
void __libc_free(void *);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void *__libc_memalign(std::size_t, std::size_t);

void *malloc(std::size_t size) noexcept
{
    void *p = __libc_malloc(size);
    added(p);
    return p;
}

void free(void *p) noexcept
{
    removed(p);
    __libc_free(p);
}

void *calloc(std::size_t count, std::size_t size) noexcept
{
    void *p = __libc_calloc(count, size);
    added(p);
    return p;
}

void *realloc(void *old, std::size_t size) noexcept
{
    const std::int64_t before = old ? std::int64_t(malloc_usable_size(old)) : 0;
    void *p = __libc_realloc(old, size);
    if (p || size == 0) {
        // The old block is gone (moved, or freed by a zero size).
        g_bytes.fetch_sub(before, std::memory_order_relaxed);
        added(p);
    }
    return p;
}

void *reallocarray(void *old, std::size_t count, std::size_t size) noexcept
{
    std::size_t bytes = 0;
    if (__builtin_mul_overflow(count, size, &bytes)) {
        errno = ENOMEM;
        return nullptr;
    }
    return realloc(old, bytes);
}

void *memalign(std::size_t alignment, std::size_t size) noexcept
{
    void *p = __libc_memalign(alignment, size);
    added(p);
    return p;
}

void *aligned_alloc(std::size_t alignment, std::size_t size) noexcept { return memalign(alignment, size); }

int posix_memalign(void **out, std::size_t alignment, std::size_t size) noexcept
{
    if (alignment % sizeof(void *) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void *p = memalign(alignment, size);
    if (!p && size != 0)
        return ENOMEM;
    *out = p;
    return 0;
}

void *valloc(std::size_t size) noexcept { return memalign(std::size_t(sysconf(_SC_PAGESIZE)), size); }

void *pvalloc(std::size_t size) noexcept
{
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    return memalign(page, (size + page - 1) / page * page);
}
}
#endif
