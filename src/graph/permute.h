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
    PermutationCycles() = default;

    // The cycles of two permutations, listed side by side: following a cycle
    // waits for memory at every step, and the two walks are independent, so
    // the waits of one overlap those of the other.
    static std::pair<PermutationCycles, PermutationCycles> ListTogether(
        const large_vector<std::int32_t>& first, const large_vector<std::int32_t>& second) {
        std::pair<PermutationCycles, PermutationCycles> cycles;
        Lister a(first, cycles.first);
        Lister b(second, cycles.second);
        bool moreA = true;
        bool moreB = true;
        while (moreA || moreB) {
            moreA = moreA && a.Step();
            moreB = moreB && b.Step();
        }
        return cycles;
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

    // Lists the cycles one position at a time.
    class Lister {
    public:
        Lister(const large_vector<std::int32_t>& newIndex, PermutationCycles& out)
            : newIndex_(newIndex), out_(out), placed_(newIndex.size(), false) {
            out_.positions_.reserve(newIndex.size());
        }

        // Lists one more position; false once every cycle is listed.
        bool Step() {
            if (at_ == kNone) {
                while (start_ < newIndex_.size() &&
                       (placed_[start_] || static_cast<std::size_t>(newIndex_[start_]) == start_)) {
                    ++start_;
                }
                if (start_ == newIndex_.size()) {
                    return false;
                }
                at_ = start_;
            }
            placed_[at_] = true;
            out_.positions_.push_back(static_cast<std::int32_t>(at_));
            at_ = static_cast<std::size_t>(newIndex_[at_]);
            if (placed_[at_]) {
                out_.ends_.push_back(out_.positions_.size());
                at_ = kNone;
            }
            return true;
        }

    private:
        static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

        const large_vector<std::int32_t>& newIndex_;
        PermutationCycles& out_;
        std::vector<bool> placed_;
        std::size_t start_ = 0;   // where to look for the next cycle
        std::size_t at_ = kNone;  // the next position of the cycle being listed
    };

    std::vector<std::int32_t> positions_;  // the cycles of two or more, one after another
    std::vector<std::size_t> ends_;        // where each cycle ends in positions_
};
