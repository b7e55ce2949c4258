#include "support/large_allocation.h"

#include <cstdint>

#if defined(__linux__)

#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this an array stays on the ordinary heap: a huge page for it would
// mostly hold nothing.
constexpr std::size_t kLargeFrom = std::size_t{1} << 20;

std::size_t Rounded(std::size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}

}  // namespace

// The mapping is made one huge page longer than needed and trimmed to an
// aligned start, so that every huge page of the array can be backed whole.
void* AllocateLarge(std::size_t bytes) {
    if (bytes < kLargeFrom) {
        return ::operator new(bytes);
    }
    std::size_t size = Rounded(bytes);
    void* mapped =
        mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    auto start = reinterpret_cast<std::uintptr_t>(mapped);
    std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    std::size_t tail = kHugePage - (aligned - start);
    if (tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    }
    auto* p = reinterpret_cast<void*>(aligned);
    madvise(p, size, MADV_HUGEPAGE);
    return p;
}

void FreeLarge(void* p, std::size_t bytes) noexcept {
    if (bytes < kLargeFrom) {
        ::operator delete(p);
        return;
    }
    munmap(p, Rounded(bytes));
}

#else

void* AllocateLarge(std::size_t bytes) {
    return ::operator new(bytes);
}

void FreeLarge(void* p, std::size_t) noexcept {
    ::operator delete(p);
}

#endif
