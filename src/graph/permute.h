#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "support/large_allocation.h"

// The cycles of a permutation that moves item i to position newIndex[i],
// listed once so that every array numbered alike is moved by the same list.
// Listing a cycle means following it through memory one wait at a time;
// moving the items of a listed cycle can ask for the items a few steps
// ahead while it moves the current one.
class PermutationCycles {
public:
    explicit PermutationCycles(const large_vector<std::int32_t>& newIndex) {
        std::vector<bool> placed(newIndex.size(), false);
        for (std::size_t start = 0; start < newIndex.size(); ++start) {
            if (placed[start] || static_cast<std::size_t>(newIndex[start]) == start) {
                continue;
            }
            for (std::size_t at = start; !placed[at]; at = static_cast<std::size_t>(newIndex[at])) {
                placed[at] = true;
                positions_.push_back(static_cast<std::int32_t>(at));
            }
            ends_.push_back(positions_.size());
        }
    }

    // Moves item i of `items` to position newIndex[i], in place.
    template <class Items>
    void Apply(Items& items) const {
        constexpr std::size_t kAhead = 8;
        std::size_t begin = 0;
        for (std::size_t end : ends_) {
            Move(items, begin, end, kAhead);
            begin = end;
        }
    }

private:
    // The item at positions_[k] goes to positions_[k + 1], the cycle's last
    // one to its first position.
    template <class Items>
    void Move(Items& items, std::size_t begin, std::size_t end, std::size_t ahead) const {
        auto at = [&](std::size_t k) -> auto& {
            return items[static_cast<std::size_t>(positions_[k])];
        };
        auto carried = std::move(at(begin));
        for (std::size_t k = begin + 1; k < end; ++k) {
            if (k + ahead < end) {
                const char* next = reinterpret_cast<const char*>(&at(k + ahead));
                __builtin_prefetch(next, 1);
                __builtin_prefetch(next + sizeof(items[0]) - 1, 1);
            }
            std::swap(carried, at(k));
        }
        at(begin) = std::move(carried);
    }

    std::vector<std::int32_t> positions_;  // the cycles of two or more, one after another
    std::vector<std::size_t> ends_;        // where each cycle ends in positions_
};
