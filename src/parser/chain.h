#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// Sequence of the nodes or links of a branch. Branches grow and shrink at both
// ends (a loop branch takes links at its front, a tree branch loses its first
// links), so both ends are amortised O(1); the middle is indexed directly.
template <class T>
class Chain {
public:
    std::size_t size() const { return items_.size() - head_; }
    bool empty() const { return size() == 0; }
    T& operator[](std::size_t i) { return items_[head_ + i]; }
    const T& operator[](std::size_t i) const { return items_[head_ + i]; }
    T& front() { return items_[head_]; }
    const T& front() const { return items_[head_]; }
    T& back() { return items_.back(); }
    const T& back() const { return items_.back(); }
    auto begin() { return items_.begin() + static_cast<std::ptrdiff_t>(head_); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin() + static_cast<std::ptrdiff_t>(head_); }
    auto end() const { return items_.end(); }

    void push_back(const T& value) { items_.push_back(value); }
    void push_front(const T& value) {
        if (head_ == 0) {
            // Open room at the front in proportion to the size, so a run of
            // front insertions costs amortised O(1) each.
            std::size_t room = std::max<std::size_t>(4, size());
            items_.insert(items_.begin(), room, T{});
            head_ = room;
        }
        items_[--head_] = value;
    }
    void pop_front() { erase_front(1); }
    // Removes the first `count` entries.
    void erase_front(std::size_t count) {
        head_ += count;
        if (head_ == items_.size()) {
            clear();
        }
    }
    // Keeps the first `count` entries.
    void truncate(std::size_t count) { items_.resize(head_ + count); }
    void clear() {
        items_.clear();
        head_ = 0;
    }
    void reverse() { std::reverse(begin(), end()); }

private:
    std::vector<T> items_;
    std::size_t head_ = 0;
};
