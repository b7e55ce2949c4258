#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// The records of a graph's nodes or links, indexed by internal number. The
// records live in large blocks that never move, so a reference to a record
// stays valid while records are added (stages hold references to one record
// while they create another), and walking records in number order walks
// memory in order.
template <class T>
class record_store {
public:
    record_store() = default;
    record_store(const record_store&) = delete;
    record_store& operator=(const record_store&) = delete;
    ~record_store() { clear(); }

    T& operator[](std::size_t i) { return blocks_[i >> kShift][i & kMask]; }
    const T& operator[](std::size_t i) const { return blocks_[i >> kShift][i & kMask]; }
    std::size_t size() const { return size_; }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        if ((size_ & kMask) == 0 && (size_ >> kShift) == blocks_.size()) {
            blocks_.push_back(static_cast<T*>(::operator new(kBlock * sizeof(T))));
        }
        T* slot = &blocks_[size_ >> kShift][size_ & kMask];
        new (slot) T(std::forward<Args>(args)...);
        ++size_;
        return *slot;
    }

    void clear() {
        for (std::size_t i = size_; i-- > 0;) {
            (*this)[i].~T();
        }
        for (T* b : blocks_) {
            ::operator delete(b);
        }
        blocks_.clear();
        size_ = 0;
    }

private:
    static constexpr std::size_t kShift = 12;
    static constexpr std::size_t kBlock = std::size_t{1} << kShift;
    static constexpr std::size_t kMask = kBlock - 1;

    std::vector<T*> blocks_;
    std::size_t size_ = 0;
};
