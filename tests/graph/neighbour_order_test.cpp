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
        std::vector<LinkKey> keys = RandomKeys(rng, round % 5 != 0);
        std::vector<LinkKey> exchanged = keys;
        neighbour_order::ExchangeSortKeys(exchanged, false);
        std::vector<LinkKey> classed = keys;
        if (neighbour_order::SortByClasses(classed)) {
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
    EXPECT_FALSE(neighbour_order::SortByClasses(keys));
}

// Reaches drawn so that many pairs are equal, within the tolerance, at it
// (10.001 against 10 + 0.001 in floating point), just beyond it, or in long
// chains of neighbours each within the tolerance of the next; infinities and
// values that are not numbers, which no exchange involves, included.
std::vector<LinkKey> RandomReaches(std::mt19937& rng, std::size_t n, bool special) {
    const double fixed[] = {0.0, 10.0, 10.0, 10.0005, 10.001, 10.0010001, 10.002, 25.0, -3.0};
    const double odd[] = {INFINITY, -INFINITY, NAN, 1e300};
    std::vector<LinkKey> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i].link = GTL::edge{static_cast<std::int32_t>(i)};
        switch (rng() % 4) {
            case 0:
                keys[i].reach = fixed[rng() % std::size(fixed)];
                break;
            case 1:
                keys[i].reach = 5.0 + 0.0004 * static_cast<double>(rng() % 40);
                break;
            case 2:
                keys[i].reach = std::uniform_real_distribution<double>(4.99, 5.03)(rng);
                break;
            default:
                keys[i].reach = special && rng() % 3 == 0 ? odd[rng() % std::size(odd)] : 7.0;
        }
    }
    return keys;
}

// The exchange sort is the definition; the insertion that replaces it must end
// in exactly its order, for small link sets and for hundreds and thousands of
// links whose reaches form chains within the tolerance (where the passes
// themselves decide).
TEST(NeighbourOrder, ReachOrderIsTheExchangeSortOrder) {
    std::mt19937 rng(11);
    for (int round = 0; round < 6000; ++round) {
        std::size_t n = round % 1000 == 0 ? 5000 + rng() % 3000
                        : round % 20 == 0 ? 100 + rng() % 300
                                          : 1 + rng() % 40;
        std::vector<LinkKey> keys = RandomReaches(rng, n, round % 2 == 0);
        std::vector<LinkKey> exchanged = keys;
        neighbour_order::ExchangeSortKeys(exchanged, true);
        neighbour_order::SortByReach(keys);
        ASSERT_EQ(Links(keys), Links(exchanged)) << "round " << round;
    }
}

TEST(NeighbourOrder, ReachOrderIsNotASortByReach) {
    // 5.0012 passes 5.0, but 5.0006 is within the tolerance of 5.0 and never
    // meets 5.0012's side: it stays last although it reaches farther than 5.0.
    std::vector<LinkKey> keys(3);
    const double reaches[] = {5.0, 5.0012, 5.0006};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i].link = GTL::edge{static_cast<std::int32_t>(i)};
        keys[i].reach = reaches[i];
    }
    neighbour_order::SortByReach(keys);
    EXPECT_EQ(Links(keys), (std::vector<std::int32_t>{1, 0, 2}));
}

}  // namespace
