#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Moves item i of `items` to position newIndex[i] (a permutation of the
// positions), in place: each cycle of the permutation is followed once.
template <class Items>
void PermuteInPlace(Items& items, const std::vector<std::int32_t>& newIndex) {
    std::vector<bool> placed(newIndex.size(), false);
    for (std::size_t start = 0; start < newIndex.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        // Carry the item at `start` along its cycle until it comes back.
        auto carried = std::move(items[start]);
        std::size_t at = start;
        do {
            std::size_t to = static_cast<std::size_t>(newIndex[at]);
            std::swap(carried, items[to]);
            placed[at] = true;
            at = to;
        } while (at != start);
    }
}
