#pragma once

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <vector>

#include "support/large_allocation.h"

// Open-addressing hash map from any int32 key to a non-negative int32 value
// (internal node or edge numbers, positions). Lookups are O(1) and the map
// costs 8 bytes a slot, which keeps ID lookups of million-node networks cheap.
class IdHash {
public:
    // The value stored for key, or -1 when the key is absent.
    std::int32_t find(std::int32_t key) const {
        if (slots_.empty()) {
            return -1;
        }
        for (std::size_t i = slot_of(key);; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (s.value < 0) {
                return -1;
            }
            if (s.key == key) {
                return s.value;
            }
        }
    }

    // Inserts key -> value unless the key is present; returns whether it inserted.
    bool insert(std::int32_t key, std::int32_t value) {
        if ((size_ + 1) * 4 > slots_.size() * 3) {
            grow();
        }
        for (std::size_t i = slot_of(key);; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (s.value < 0) {
                s.key = key;
                s.value = value;
                ++size_;
                return true;
            }
            if (s.key == key) {
                return false;
            }
        }
    }

    std::size_t size() const { return size_; }
    // Calls visit(key, value&) for every entry; the values may be changed.
    template <class Visit>
    void for_each(Visit&& visit) {
        for (Slot& s : slots_) {
            if (s.value >= 0) {
                visit(s.key, s.value);
            }
        }
    }
    // Sets the value of a key present.
    void assign(std::int32_t key, std::int32_t value) {
        for (std::size_t i = slot_of(key);; i = (i + 1) & mask_) {
            if (slots_[i].key == key && slots_[i].value >= 0) {
                slots_[i].value = value;
                return;
            }
        }
    }

private:
    struct Slot {
        std::int32_t key = 0;
        std::int32_t value = -1;
    };

    // Fibonacci hashing: the high bits of the product mix every bit of the
    // key, so IDs with a common stride still spread over the table.
    std::size_t slot_of(std::int32_t key) const {
        std::uint64_t h =
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(key)) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h >> shift_);
    }

    void grow() {
        large_vector<Slot> old = std::move(slots_);
        std::size_t capacity = old.empty() ? 16 : old.size() * 2;
        slots_.assign(capacity, Slot{});
        mask_ = capacity - 1;
        shift_ = 64 - std::countr_zero(capacity);
        size_ = 0;
        for (const Slot& s : old) {
            if (s.value >= 0) {
                insert(s.key, s.value);
            }
        }
    }

    large_vector<Slot> slots_;
    std::size_t mask_ = 0;
    int shift_ = 64;
    std::size_t size_ = 0;
};

// Map from int32 IDs to non-negative int32 values. Hosts mostly number their
// nodes and links densely (1..N, or a range not much wider than the count):
// such IDs sit in a plain array, where adding them in order writes memory in
// order and a lookup is one read of a compact table. IDs far outside that
// window (node copies, unusual numbering) go to a hash table.
class IdIndex {
public:
    std::int32_t find(std::int32_t key) const {
        std::uint32_t at = static_cast<std::uint32_t>(key) - static_cast<std::uint32_t>(base_);
        if (at < dense_.size() && dense_[at] >= 0) {
            return dense_[at];
        }
        // A key kept in the table before the window grew over it stays there.
        return hash_.size() == 0 ? -1 : hash_.find(key);
    }

    // Inserts key -> value unless the key is present; returns whether it inserted.
    bool insert(std::int32_t key, std::int32_t value) {
        if (find(key) >= 0) {
            return false;
        }
        ++size_;
        if (!Cover(key)) {
            return hash_.insert(key, value);
        }
        dense_[static_cast<std::uint32_t>(key) - static_cast<std::uint32_t>(base_)] = value;
        return true;
    }

    // Sets key -> value, inserting or overwriting.
    void assign(std::int32_t key, std::int32_t value) {
        std::uint32_t at = static_cast<std::uint32_t>(key) - static_cast<std::uint32_t>(base_);
        if (at < dense_.size() && dense_[at] >= 0) {
            dense_[at] = value;
        } else if (!insert(key, value)) {
            hash_.assign(key, value);
        }
    }

    std::size_t size() const { return size_; }
    void reserve(std::size_t) {}
    void clear() { *this = IdIndex{}; }

    // Calls visit(value&) for every entry; the values may be changed.
    template <class Visit>
    void for_each_value(Visit&& visit) {
        for (std::int32_t& v : dense_) {
            if (v >= 0) {
                visit(v);
            }
        }
        hash_.for_each([&](std::int32_t, std::int32_t& v) { visit(v); });
    }

private:
    // Widens the window to hold key where it stays at most about twice as
    // wide as the number of keys; whether key now lies in it. The window
    // grows by half its width at a time, so keys given in rising or falling
    // order rarely move it.
    bool Cover(std::int64_t key) {
        std::int64_t at = key - base_;
        if (at >= 0 && at < Width()) {
            return true;
        }
        std::int64_t limit = 2 * static_cast<std::int64_t>(size_) + 1024;
        std::int64_t slack = Width() / 2 + 16;
        std::int64_t lo = dense_.empty() ? key : std::min<std::int64_t>(base_, key);
        std::int64_t hi = dense_.empty() ? key + 1 : std::max(base_ + Width(), key + 1);
        if (hi - lo > limit) {
            return false;
        }
        if (key < base_ || dense_.empty()) {
            lo = std::max({lo - slack, hi - limit, std::int64_t{INT32_MIN}});
        } else {
            hi = std::min({hi + slack, lo + limit, std::int64_t{INT32_MAX} + 1});
        }
        large_vector<std::int32_t> wider(static_cast<std::size_t>(hi - lo), -1);
        std::copy(dense_.begin(), dense_.end(), wider.begin() + (base_ - lo) * !dense_.empty());
        dense_ = std::move(wider);
        base_ = static_cast<std::int32_t>(lo);
        return true;
    }
    std::int64_t Width() const { return static_cast<std::int64_t>(dense_.size()); }

    std::int32_t base_ = 0;
    large_vector<std::int32_t> dense_;
    IdHash hash_;
    std::size_t size_ = 0;
};
