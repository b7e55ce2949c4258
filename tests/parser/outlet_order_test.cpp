#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "parser/outlet_order.h"

namespace {

// The procedure itself: n-1 passes over shrinking prefixes.
void ReferenceSort(std::vector<OutletKey>& keys) {
    for (std::size_t p = keys.size(); p-- > 1;) {
        for (std::size_t j = 0; j < p; ++j) {
            const OutletKey& a = keys[j];
            const OutletKey& b = keys[j + 1];
            if (a.converted || (!b.converted && b.lowest <= a.lowest)) {
                std::swap(keys[j], keys[j + 1]);
            }
        }
    }
}

// Where every real outfall's lowest end differs the sort takes a shortcut;
// shared ends go to the exchange sort itself (the stage's own cases pin
// those). An end that is not a number must keep the shortcut away.
TEST(OutletOrder, ShortcutAgreesWithTheExchangeSort) {
    std::mt19937 random(7);
    for (const bool withNaN : {false, true}) {
        for (int round = 0; round < 100; ++round) {
            std::vector<OutletKey> keys;
            std::size_t n = 1 + random() % 60;
            for (std::size_t i = 0; i < n; ++i) {
                keys.push_back(OutletKey{static_cast<double>(random()) / 1000.0, random() % 4 == 0,
                                         GTL::node{static_cast<std::int32_t>(i)}});
            }
            if (withNaN) {
                keys[random() % n].lowest = NAN;
            }
            std::vector<OutletKey> expected = keys;
            ReferenceSort(expected);
            SortOutletKeys(keys);
            for (std::size_t i = 0; i < n; ++i) {
                ASSERT_EQ(keys[i].node.id, expected[i].node.id) << withNaN << ", round " << round;
            }
        }
    }
}

}  // namespace
