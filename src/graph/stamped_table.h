#pragma once

#include <cstdint>
#include <vector>

#include "support/large_allocation.h"

// A dense table with one slot per node (or link) that a search empties in
// constant time: every slot remembers the run that wrote it, and a slot left
// by an earlier run reads as unset. Searches that follow one another over the
// same graph reuse one table instead of filling a fresh map each time.
template <class T>
class stamped_table {
public:
    // Empties the table for a new run over ids 0 .. size - 1.
    void start_run(std::size_t size) {
        if (slots_.size() < size) {
            slots_.resize(size);
        }
        if (++run_ == 0) {
            // The run counter wrapped: clear the stamps once so that no old
            // slot can match again.
            for (Slot& s : slots_) {
                s.run = 0;
            }
            run_ = 1;
        }
    }
    bool has(std::int32_t id) const { return slots_[static_cast<std::size_t>(id)].run == run_; }
    // The value written in this run, T{} if none was.
    T get(std::int32_t id) const {
        const Slot& s = slots_[static_cast<std::size_t>(id)];
        return s.run == run_ ? s.value : T{};
    }
    // The slot of id for this run, set to T{} when first written in it.
    T& set(std::int32_t id) {
        Slot& s = slots_[static_cast<std::size_t>(id)];
        if (s.run != run_) {
            s.run = run_;
            s.value = T{};
        }
        return s.value;
    }

private:
    struct Slot {
        std::uint32_t run = 0;
        T value{};
    };
    large_vector<Slot> slots_;
    std::uint32_t run_ = 0;
};
