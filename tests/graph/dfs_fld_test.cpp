#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "graph/dfs_fld.h"
#include "test_helpers.h"

namespace {

using rivo_test::Ids;
using rivo_test::Network;

// C = 1 at the origin entered from 2 to its west; 3 lies straight on (east), 4
// at a right angle (north), 5 on top of C. Link A is listed before link B.
enum class Geometry { kBStraight, kAStraight, kAtStart, kFarOnC, kFatherOnC };

struct OrderCase {
    const char* name;
    double a;
    double b;
    Geometry geometry;
    bool exchange;
};

const OrderCase kOrderCases[] = {
    {"like sizes, B straight on", 2.0, 2.0005, Geometry::kBStraight, true},
    {"like sizes, A straight on", 2.0, 2.0005, Geometry::kAStraight, false},
    {"B larger just below the tolerance", 2.0, 2.0009, Geometry::kAStraight, false},
    {"B larger just above the tolerance", 2.0, 2.0011, Geometry::kAStraight, true},
    {"A larger just below the tolerance", 2.0009, 2.0, Geometry::kBStraight, true},
    {"A larger just above the tolerance", 2.0011, 2.0, Geometry::kBStraight, false},
    {"larger small link first", 2.0, 2.5, Geometry::kAStraight, true},
    {"big link before a small one", 5.0, 2.0, Geometry::kBStraight, false},
    {"small link after a big one", 2.0, 5.0, Geometry::kAStraight, true},
    {"big links, B straight on", 5.0, 8.0, Geometry::kBStraight, true},
    {"big links, A straight on", 5.0, 8.0, Geometry::kAStraight, false},
    {"big from 3.99999 on", 3.99998, 3.99999, Geometry::kAStraight, true},
    {"no direction at the start", 2.0, 2.0005, Geometry::kAtStart, false},
    {"big links at the start", 5.0, 8.0, Geometry::kAtStart, false},
    {"far end on C", 2.0, 2.0005, Geometry::kFarOnC, false},
    {"father on C", 2.0, 2.0005, Geometry::kFatherOnC, false},
    {"sizes that are not numbers, B straight on", NAN, NAN, Geometry::kBStraight, true},
    {"big and not a number, B straight on", 5.0, NAN, Geometry::kBStraight, true},
};

class LinkOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(LinkOrder, FirstPassExchangesAsTheSizeAndDirectionRulesSay) {
    const OrderCase& c = GetParam();
    Network net;
    const double positions[][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, 0}};
    for (std::int32_t id = 1; id <= 5; ++id) {
        net.Node(id, positions[id - 1][0], positions[id - 1][1]);
    }
    // With B's far end on C, A turns back to 2: only the zero length keeps the order.
    Geometry g = c.geometry;
    std::int32_t aFar = g == Geometry::kAStraight ? 3 : g == Geometry::kFarOnC ? 2 : 4;
    std::int32_t bFar = g == Geometry::kFarOnC ? 5 : g == Geometry::kAStraight ? 4 : 3;
    std::array<GTL::edge, 2> links = {net.Link(20, 1, aFar, c.a), net.Link(21, bFar, 1, c.b)};
    GTL::node father =
        g == Geometry::kAtStart ? GTL::node{} : net(g == Geometry::kFatherOnC ? 5 : 2);
    OrderNetworkLinks(net.G, net(1), father, false, links);
    EXPECT_EQ(net.Ids(links), c.exchange ? (Ids{21, 20}) : (Ids{20, 21})) << c.name;
}

INSTANTIATE_TEST_SUITE_P(DfsFld, LinkOrder, ::testing::ValuesIn(kOrderCases));

TEST(LinkOrder, SecondPassPutsTheLongerReachFirst) {
    // Reach of A, reach of B, exchange.
    const std::array<double, 3> cases[] = {
        {10.0, 10.0009, 0}, {10.0, 10.0011, 1}, {10.0, 9.0, 0}, {10.0, 20.0, 1}};
    for (const auto& c : cases) {
        Network net;
        net.Node(1);
        net.G.data(net.Node(2, 1, 0)).longestPathLength = c[0] - 1.0;
        net.G.data(net.Node(3, 0, 1)).longestPathLength = c[1] - 2.0;
        std::array<GTL::edge, 2> links = {net.Link(20, 1, 2, 9.0, 0, 0, 1.0),
                                          net.Link(21, 1, 3, 1.0, 0, 0, 2.0)};
        OrderNetworkLinks(net.G, net(1), GTL::node{}, true, links);
        EXPECT_EQ(net.Ids(links), c[2] != 0 ? (Ids{21, 20}) : (Ids{20, 21})) << c[1];
    }
}

// Sizes within the tolerance are not ordered among themselves, so the result is
// that of the exchange sort itself, not of any sort by size.
TEST(LinkOrder, ExchangeSortOverSeveralLinksAtTheStart) {
    // Link i + 1 has size sizes[i]; the links as the exchange sort leaves them.
    const std::pair<std::vector<double>, Ids> cases[] = {
        {{2.0, 2.0016, 2.0008}, {2, 1, 3}},
        {{2.0, 2.0008, 2.0016}, {1, 2, 3}},
        {{1.0, 5.0, 2.0, 8.0}, {2, 4, 3, 1}},
    };
    for (const auto& [sizes, expected] : cases) {
        Network net;
        net.Node(0);
        std::vector<GTL::edge> links;
        for (std::int32_t id = 1; id <= static_cast<std::int32_t>(sizes.size()); ++id) {
            net.Node(id, id, 1.0);
            links.push_back(net.Link(id, 0, id, sizes[id - 1]));
        }
        OrderNetworkLinks(net.G, net(0), GTL::node{}, false, links);
        EXPECT_EQ(net.Ids(links), expected);
    }
}

void RunSearch(dfs_fld& search, Network& net, std::int32_t start) {
    search.start_node(net(start));
    search.calc_comp_num(true);
    search.store_preds(true);
    search.store_non_tree_edges(true);
    search.run(net.G);
}

// What holds for any single-root search: entry numbers follow the order, each
// node finishes before its father, finishing numbers run 1..n, and every
// visible link is met once as a tree or a back link.
void ExpectConsistentSearch(const Network& net, const dfs_fld& search) {
    const auto& order = search.dfs_order();
    ASSERT_EQ(search.tree_edges().size() + 1, order.size());
    EXPECT_EQ(search.tree_edges().size() + search.non_tree_edges().size(),
              static_cast<std::size_t>(net.G.number_of_edges()));
    std::vector<int> finished(order.size() + 1, 1);
    finished[0] = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(search.dfs_num(order[i]), static_cast<int>(i) + 1);
        --finished.at(static_cast<std::size_t>(search.comp_num(order[i])));
        if (i > 0) {
            EXPECT_EQ(search.father(order[i]),
                      net.G.opposite(search.tree_edges()[i - 1], order[i]));
            EXPECT_LT(search.comp_num(order[i]), search.comp_num(search.father(order[i])));
        }
    }
    EXPECT_EQ(finished, std::vector<int>(order.size() + 1, 0));
}

TEST(DfsFld, OneNodeIsEnteredAndFinishedAlone) {
    Network net;
    net.Node(1);
    dfs_fld search;
    RunSearch(search, net, 1);
    EXPECT_EQ(net.Ids(search.dfs_order()), Ids{1});
    EXPECT_TRUE(search.tree_edges().empty() && search.non_tree_edges().empty());
    EXPECT_EQ(search.number_of_reached_nodes(), 1);
    EXPECT_EQ(search.comp_num(net(1)), 1);
    // A self-loop meets its node twice but is one back link.
    GTL::edge loop = net.Link(2, 1, 1);
    search.reset();
    RunSearch(search, net, 1);
    EXPECT_EQ(search.non_tree_edges(), std::vector<GTL::edge>{loop});
}

// In the square (with 5 apart), entered at 4 from 1 the link to 3 runs straight
// on; 3 does not step back to 2 (a smaller level), so the link 2-3 is met from 2
// alone and recorded once as a back link.
TEST(DfsFld, SquareFromACornerThenRunsWithAndWithoutReset) {
    Network net;
    rivo_test::AddSquare(net);
    dfs_fld search;
    RunSearch(search, net, 1);
    EXPECT_EQ(net.Ids(search.dfs_order()), (Ids{1, 4, 3, 2}));
    EXPECT_EQ(net.Ids(search.tree_edges()), (Ids{23, 22, 20}));
    EXPECT_EQ(net.Ids(search.non_tree_edges()), Ids{21});
    EXPECT_EQ(search.comp_num(net(3)), 1);
    ExpectConsistentSearch(net, search);

    net.Node(5);
    search.scan_whole_graph(true);
    RunSearch(search, net, 1);
    EXPECT_EQ(net.Ids(search.dfs_order()), (Ids{1, 4, 3, 2, 1, 4, 3, 2, 5}));
    EXPECT_EQ(search.dfs_num(net(1)), 5);
    EXPECT_EQ(search.comp_num(net(1)), 8);
    // Regression: as in the breadth-first search, a whole-graph run without reset skipped 5.
    EXPECT_EQ(search.roots(), (std::vector<std::size_t>{0, 4, 8}));
    search.reset();
    search.scan_whole_graph(false);
    RunSearch(search, net, 2);
    EXPECT_EQ(net.Ids(search.dfs_order()), (Ids{2, 3, 4, 1}));
    ExpectConsistentSearch(net, search);
}

// Triangle 1 (origin), 2 (east), 3 (north): 2 and 3 both lie at level 1, and
// the link between them is a tree link taken from whichever is entered first.
TEST(DfsFld, LinkBetweenEqualLevelsIsTakenFromTheEndEnteredFirst) {
    for (bool eastFirst : {false, true}) {
        Network net;
        net.Node(1, 0, 0);
        net.Node(2, 1, 0);
        net.Node(3, 0, 1);
        net.Link(30, 1, 2, eastFirst ? 2.0 : 1.0);
        net.Link(31, 1, 3);
        net.Link(32, 2, 3);
        dfs_fld search;
        RunSearch(search, net, 1);
        EXPECT_EQ(net.Ids(search.dfs_order()), eastFirst ? (Ids{1, 2, 3}) : (Ids{1, 3, 2}));
        EXPECT_EQ(net.Ids(search.non_tree_edges()), eastFirst ? Ids{31} : Ids{30});
        ExpectConsistentSearch(net, search);
    }
}

// The descent keeps its own stack, so a long chain cannot exhaust the call
// stack. A million nodes in optimised builds; under the sanitizers (some 15 us
// a node) 200,000, still far deeper than a recursive descent could go.
TEST(DfsFld, LongChainDescendsWithoutRecursion) {
#if defined(__SANITIZE_ADDRESS__)
    constexpr std::int32_t kNodes = 200000;
#else
    constexpr std::int32_t kNodes = 1000000;
#endif
    Network net;
    net.G.reserve(kNodes, kNodes);
    for (std::int32_t i = 0; i < kNodes; ++i) {
        net.Node(i, i, 0);
        if (i > 0) {
            net.Link(i, i - 1, i);
        }
    }
    dfs_fld search;
    RunSearch(search, net, 0);
    EXPECT_EQ(search.number_of_reached_nodes(), kNodes);
    EXPECT_EQ(search.comp_num(net(kNodes - 1)), 1);
    EXPECT_EQ(search.comp_num(net(0)), kNodes);
}

}  // namespace
