#pragma once

#include <cstddef>
#include <utility>

// The exchange sort by which the network's orders are defined: n-1 passes
// over shrinking prefixes, each comparing the neighbours at j and j+1 and
// exchanging them when `exchange(item j, item j+1)` says the second must
// stand first. The rule may exchange equal keys or order none consistently,
// so the result is this procedure's own, not that of any sort by a key. A
// pass without exchange leaves every later pass nothing to do (they compare
// the same neighbours again), which is the only shortcut taken.
template <class Items, class Exchange>
void ExchangeSort(Items& items, Exchange exchange) {
    std::size_t n = items.size();
    for (std::size_t pass = 0; pass + 1 < n; ++pass) {
        bool exchanged = false;
        for (std::size_t j = 0; j + 1 < n - pass; ++j) {
            if (exchange(items[j], items[j + 1])) {
                std::swap(items[j], items[j + 1]);
                exchanged = true;
            }
        }
        if (!exchanged) {
            return;
        }
    }
}
