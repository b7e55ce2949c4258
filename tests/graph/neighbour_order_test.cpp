#include "graph/neighbour_order.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using neighbour_order::LinkKey;

std::vector<std::int32_t> Links(const std::vector<LinkKey>& keys) {
    std::vector<std::int32_t> ids;
    for (const LinkKey& k : keys) {
        ids.push_back(k.link.id);
    }
    return ids;
}

// Random link sets whose sizes, directions and reaches collide often: equal
// values, values within and just outside the tolerances, big links, links
// without a direction.
std::vector<LinkKey> RandomKeys(std::mt19937& rng, bool withFather) {
    const double sizes[] = {0.3, 0.3,     0.3005, 0.301, 0.3015, 0.6, 1.0, 1.0009,
                            2.0, 3.99999, 3.9995, 4.0,   4.0,    5.0, 8.0};
    const double dots[] = {-1.0, -0.5, 0.0, 0.0, 0.5, 0.7071067811865476, 1.0};
    const double reaches[] = {0.0, 10.0, 10.0, 10.0005, 10.001, 10.002, 25.0, 100.0};
    std::size_t n = 2 + rng() % 24;
    std::vector<LinkKey> keys;
    for (std::size_t i = 0; i < n; ++i) {
        LinkKey k;
        k.link = GTL::edge{static_cast<std::int32_t>(i)};
        k.size = sizes[rng() % std::size(sizes)];
        k.reach = reaches[rng() % std::size(reaches)];
        k.hasDirection = withFather && rng() % 8 != 0;
        k.dot = k.hasDirection ? dots[rng() % std::size(dots)] : 0.0;
        keys.push_back(k);
    }
    return keys;
}

// The stable sort by classes is only a shortcut: wherever it answers, it must
// give exactly the order of the exchange sort.
TEST(NeighbourOrder, ClassSortAgreesWithExchangeSortWhereItAnswers) {
    std::mt19937 rng(7);
    int answered = 0;
    for (int round = 0; round < 20000; ++round) {
        bool secondPass = round % 3 == 0;
        std::vector<LinkKey> keys = RandomKeys(rng, round % 5 != 0);
        std::vector<LinkKey> exchanged = keys;
        neighbour_order::ExchangeSortKeys(exchanged, secondPass);
        std::vector<LinkKey> classed = keys;
        if (neighbour_order::SortByClasses(classed, secondPass)) {
            ++answered;
            ASSERT_EQ(Links(classed), Links(exchanged)) << "round " << round;
        } else {
            ASSERT_EQ(Links(classed), Links(keys)) << "a refusal leaves the keys alone";
        }
    }
    EXPECT_GT(answered, 2000) << "the shortcut should apply to many sets";
}

TEST(NeighbourOrder, SizesWithinToleranceChainRefuseTheShortcut) {
    // 1.0, 1.0009 and 1.0018: each pair of neighbours is alike, the ends are not.
    std::vector<LinkKey> keys = {{GTL::edge{0}, 1.0, 0, 0.0, true},
                                 {GTL::edge{1}, 1.0009, 0, 1.0, true},
                                 {GTL::edge{2}, 1.0018, 0, -1.0, true}};
    EXPECT_FALSE(neighbour_order::SortByClasses(keys, false));
}

}  // namespace
