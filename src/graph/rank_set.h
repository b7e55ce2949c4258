#pragma once

#include <bit>
#include <cstdint>
#include <vector>

// A set of ranks 0..n-1 as bits, with a word of summary bits over every 64
// words above it, so that the next member at or after a rank is found in a
// few steps however sparse the set is.
class RankSet {
public:
    explicit RankSet(std::uint32_t n) {
        std::uint64_t size = n;
        do {
            size = (size + 63) / 64;
            levels_.emplace_back(size, 0);
        } while (size > 1);
    }

    void insert(std::uint32_t r) {
        for (auto& level : levels_) {
            level[r / 64] |= std::uint64_t{1} << (r % 64);
            r /= 64;
        }
    }

    void erase(std::uint32_t r) {
        for (auto& level : levels_) {
            level[r / 64] &= ~(std::uint64_t{1} << (r % 64));
            if (level[r / 64] != 0) {
                return;
            }
            r /= 64;
        }
    }

    // The least member at or after r, or kNone.
    std::uint32_t next(std::uint32_t r) const {
        std::size_t depth = 0;
        std::uint64_t at = r;
        // Up while the word holding `at` has no member at or after it.
        for (;; ++depth, at = at / 64 + 1) {
            if (depth == levels_.size() || at / 64 >= levels_[depth].size()) {
                return kNone;
            }
            std::uint64_t word = levels_[depth][at / 64] & (~std::uint64_t{0} << (at % 64));
            if (word != 0) {
                at = at / 64 * 64 + static_cast<std::uint64_t>(std::countr_zero(word));
                break;
            }
        }
        // Down to the first member below the summary bit found.
        while (depth-- > 0) {
            at = at * 64 + static_cast<std::uint64_t>(std::countr_zero(levels_[depth][at]));
        }
        return static_cast<std::uint32_t>(at);
    }

    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

private:
    std::vector<std::vector<std::uint64_t>> levels_;  // members, then summaries
};
