#pragma once

#include <cstddef>
#include <new>
#include <vector>

// Memory for the big per-network arrays (records, adjacency, ID tables,
// search tables). A network of a million nodes fills a few hundred
// megabytes of them on first touch, and taking that memory from the system
// page by page costs more than the parse itself spends on it. Large arrays
// are therefore mapped in whole huge-page-aligned pieces that the system is
// asked to back with huge pages where it can; small ones come from the heap.
// Contents are unaffected: this is only a hint about how to back the memory.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* p, std::size_t bytes) noexcept;

template <class T>
struct large_allocator {
    using value_type = T;

    large_allocator() = default;
    template <class U>
    large_allocator(const large_allocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(AllocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }

    friend bool operator==(const large_allocator&, const large_allocator&) { return true; }
};

template <class T>
using large_vector = std::vector<T, large_allocator<T>>;
