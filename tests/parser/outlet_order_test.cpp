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

std::vector<std::int32_t> Nodes(const std::vector<OutletKey>& keys) {
    std::vector<std::int32_t> out;
    for (const OutletKey& k : keys) {
        out.push_back(k.node.id);
    }
    return out;
}

struct KeyMix {
    const char* name;
    int distinctLows;  // 0: every low different
    bool withNaN;
};

const KeyMix kMixes[] = {
    {"different ends", 0, false},
    {"shared ends", 3, false},
    {"a few shared ends", 40, false},
    {"an end that is not a number", 0, true},
};

TEST(OutletOrder, AgreesWithTheExchangeSort) {
    std::mt19937 random(7);
    for (const KeyMix& mix : kMixes) {
        for (int round = 0; round < 50; ++round) {
            std::vector<OutletKey> keys;
            std::size_t n = 1 + random() % 60;
            for (std::size_t i = 0; i < n; ++i) {
                double low =
                    mix.distinctLows == 0
                        ? static_cast<double>(random()) / 1000.0
                        : static_cast<double>(random() % static_cast<unsigned>(mix.distinctLows));
                keys.push_back(
                    OutletKey{low, random() % 4 == 0, GTL::node{static_cast<std::int32_t>(i)}});
            }
            if (mix.withNaN) {
                keys[random() % n].lowest = NAN;
            }
            std::vector<OutletKey> expected = keys;
            ReferenceSort(expected);
            SortOutletKeys(keys);
            ASSERT_EQ(Nodes(keys), Nodes(expected)) << mix.name << ", round " << round;
        }
    }
}

}  // namespace
