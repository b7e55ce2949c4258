#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Moves item i of `items` to position newIndex[i] (a permutation of the
// positions), in place. Each cycle of the permutation is listed first and
// then walked with the items a few steps ahead already on their way from
// memory: the items lie at random places, and waiting for each in turn
// would make the move as slow as the memory.
template <class Items>
void PermuteInPlace(Items& items, const std::vector<std::int32_t>& newIndex) {
    constexpr std::size_t kAhead = 8;
    std::vector<bool> placed(newIndex.size(), false);
    std::vector<std::int32_t> cycle;
    for (std::size_t start = 0; start < newIndex.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        cycle.clear();
        for (std::size_t at = start; !placed[at]; at = static_cast<std::size_t>(newIndex[at])) {
            placed[at] = true;
            cycle.push_back(static_cast<std::int32_t>(at));
        }
        // The item at cycle[k] goes to cycle[k + 1], the last one to cycle[0].
        auto carried = std::move(items[static_cast<std::size_t>(cycle[0])]);
        for (std::size_t k = 1; k < cycle.size(); ++k) {
            if (k + kAhead < cycle.size()) {
                const char* ahead = reinterpret_cast<const char*>(
                    &items[static_cast<std::size_t>(cycle[k + kAhead])]);
                __builtin_prefetch(ahead, 1);
                __builtin_prefetch(ahead + sizeof(items[0]) - 1, 1);
            }
            std::swap(carried, items[static_cast<std::size_t>(cycle[k])]);
        }
        items[static_cast<std::size_t>(cycle[0])] = std::move(carried);
    }
}
