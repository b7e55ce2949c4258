#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <utility>

#include "support/large_allocation.h"

// The records of a graph's nodes or links, indexed by internal number. The
// records live in blocks that never move, so a reference to a record stays
// valid while records are added (stages hold references to one record while
// they create another), and walking records in number order walks memory in
// order. Each block is twice the size of the one before, so that a small
// network takes little memory and a large one a few large blocks.
template <class T>
class record_store {
public:
    record_store() = default;
    record_store(const record_store&) = delete;
    record_store& operator=(const record_store&) = delete;
    ~record_store() { clear(); }

    T& operator[](std::size_t i) { return *slot(i); }
    const T& operator[](std::size_t i) const { return *const_cast<record_store*>(this)->slot(i); }
    std::size_t size() const { return size_; }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        std::size_t at = size_ + kFirst;
        if (std::has_single_bit(at)) {
            std::size_t b = block_of(at);
            blocks_[b] = static_cast<T*>(AllocateLarge(block_size(b) * sizeof(T)));
        }
        T* s = slot(size_);
        new (s) T(std::forward<Args>(args)...);
        ++size_;
        return *s;
    }

    void clear() {
        for (std::size_t i = size_; i-- > 0;) {
            (*this)[i].~T();
        }
        for (std::size_t b = 0; b < blocks_.size() && blocks_[b] != nullptr; ++b) {
            FreeLarge(blocks_[b], block_size(b) * sizeof(T));
            blocks_[b] = nullptr;
        }
        size_ = 0;
    }

private:
    static constexpr std::size_t kFirstShift = 10;
    static constexpr std::size_t kFirst = std::size_t{1} << kFirstShift;

    // Record i is at offset at - 2^k of block k - kFirstShift, where
    // at = i + kFirst and 2^k is the highest power of two in at.
    static std::size_t block_of(std::size_t at) {
        return static_cast<std::size_t>(std::bit_width(at)) - 1 - kFirstShift;
    }
    static std::size_t block_size(std::size_t b) { return kFirst << b; }
    T* slot(std::size_t i) {
        std::size_t at = i + kFirst;
        std::size_t b = block_of(at);
        return blocks_[b] + (at - block_size(b));
    }

    std::array<T*, 8 * sizeof(std::size_t) - kFirstShift> blocks_{};
    std::size_t size_ = 0;
};
