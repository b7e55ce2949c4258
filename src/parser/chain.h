#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>

// Sequence of the nodes or links of a branch, or of their host IDs. Branches grow and shrink at
// both ends (a loop branch takes links at its front, a tree branch loses its first links), so both
// ends are amortised O(1); the middle is indexed directly.
//
// Most branches are loops of one link; a large looped network holds one per
// loop, so the first `InPlace` entries live in the chain itself and only
// longer chains take memory of their own.
template <class T, std::uint32_t InPlace = 3>
class Chain {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    Chain() = default;
    Chain(const Chain& other) { assign(other); }
    Chain& operator=(const Chain& other) {
        if (this != &other) {
            clear();
            assign(other);
        }
        return *this;
    }
    ~Chain() { release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return data_[head_ + i]; }
    const T& operator[](std::size_t i) const { return data_[head_ + i]; }
    T& front() { return data_[head_]; }
    const T& front() const { return data_[head_]; }
    T& back() { return data_[head_ + size_ - 1]; }
    const T& back() const { return data_[head_ + size_ - 1]; }
    T* begin() { return data_ + head_; }
    T* end() { return data_ + head_ + size_; }
    const T* begin() const { return data_ + head_; }
    const T* end() const { return data_ + head_ + size_; }

    void push_back(const T& value) {
        if (head_ + size_ == capacity_) {
            // Doubling the room behind keeps a run of insertions amortised O(1).
            regrow(head_, std::max<std::size_t>(4, size_));
        }
        data_[head_ + size_++] = value;
    }
    void push_front(const T& value) {
        if (head_ == 0) {
            // Open room at the front in proportion to the size, so a run of
            // front insertions costs amortised O(1) each.
            regrow(std::max<std::size_t>(4, size_), capacity_ - size_);
        }
        data_[--head_] = value;
        ++size_;
    }
    // Room for `count` entries from the front on, so that filling a chain
    // of known length takes memory once.
    void reserve(std::size_t count) {
        if (count > capacity_ - head_) {
            regrow(head_, count - size_);
        }
    }
    void pop_front() { erase_front(1); }
    // Removes the first `count` entries.
    void erase_front(std::size_t count) {
        head_ += static_cast<std::uint32_t>(count);
        size_ -= static_cast<std::uint32_t>(count);
        if (size_ == 0) {
            clear();
        }
    }
    // Keeps the first `count` entries.
    void truncate(std::size_t count) {
        while (size_ < count) {
            push_back(T{});
        }
        size_ = static_cast<std::uint32_t>(count);
    }
    void clear() {
        head_ = 0;
        size_ = 0;
    }
    void reverse() { std::reverse(begin(), end()); }

private:
    // Moves the entries to new memory with `front` free entries before them
    // and `behind` after.
    void regrow(std::size_t front, std::size_t behind) {
        std::size_t capacity = front + size_ + behind;
        T* grown = new T[capacity];
        std::copy(begin(), end(), grown + front);
        release();
        data_ = grown;
        head_ = static_cast<std::uint32_t>(front);
        capacity_ = static_cast<std::uint32_t>(capacity);
    }
    void release() {
        if (data_ != inPlace_) {
            delete[] data_;
        }
        data_ = inPlace_;
        capacity_ = InPlace;
    }
    void assign(const Chain& other) {
        for (const T& value : other) {
            push_back(value);
        }
    }

    T* data_ = inPlace_;
    std::uint32_t head_ = 0;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = InPlace;
    T inPlace_[InPlace] = {};
};
