#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// Open-addressing hash map from any int32 key to a non-negative int32 value
// (internal node or edge numbers, positions). Lookups are O(1) and the map
// costs 8 bytes a slot, which keeps ID lookups of million-node networks cheap.
class IdIndex {
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

    // Sets key -> value, inserting or overwriting.
    void assign(std::int32_t key, std::int32_t value) {
        if (!insert(key, value)) {
            for (std::size_t i = slot_of(key);; i = (i + 1) & mask_) {
                if (slots_[i].key == key && slots_[i].value >= 0) {
                    slots_[i].value = value;
                    return;
                }
            }
        }
    }

    // Empties the map but keeps its table: a search run again reaches about
    // as many nodes as before.
    void clear() {
        if (size_ != 0) {
            std::fill(slots_.begin(), slots_.end(), Slot{});
        }
        size_ = 0;
    }
    std::size_t size() const { return size_; }
    void reserve(std::size_t count) {
        while (count * 4 > slots_.size() * 3) {
            grow();
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
        std::vector<Slot> old = std::move(slots_);
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

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    int shift_ = 64;
    std::size_t size_ = 0;
};
