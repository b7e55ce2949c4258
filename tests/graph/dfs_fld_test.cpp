#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "graph/dfs_fld.h"
#include "graph/path.h"
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

INSTANTIATE_TEST_SUITE_P(DfsFld, LinkOrder, ::testing::ValuesIn(kOrderCases), rivo_test::ByName);

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

// What holds for any single-root search: each tree link joins the node it
// entered to one entered before, and every visible link of the part it
// reached is met once, as a tree or a back link.
void ExpectConsistentSearch(const Network& net, const dfs_fld& search) {
    const auto& order = search.dfs_order();
    const auto& tree = search.tree_edges();
    ASSERT_EQ(tree.size() + 1, order.size());
    std::size_t links = 0;
    net.G.for_each_edge(
        [&](GTL::edge e) { links += std::count(order.begin(), order.end(), net.G.source(e)) > 0; });
    EXPECT_EQ(tree.size() + search.non_tree_edges().size(), links);
    for (std::size_t i = 1; i < order.size(); ++i) {
        GTL::node father = net.G.opposite(tree[i - 1], order[i]);
        EXPECT_NE(std::find(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(i), father),
                  order.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// A random network with loops, parallel links, links of like and of big
// sizes, nodes on top of each other, hidden links and a second component:
// everything that steers the order of a network search.
void GrowRandomNetwork(Network& net, std::uint32_t seed) {
    std::mt19937 random(seed);
    const double sizes[] = {1.0, 1.0005, 2.0, 5.0, 8.0};
    const double lengths[] = {1.0, 1.0005, 2.0};
    for (std::int32_t id = 1; id <= 40; ++id) {
        GTL::node n =
            net.Node(id, static_cast<double>(random() % 5), static_cast<double>(random() % 5));
        net.G.data(n).longestPathLength = static_cast<double>(random() % 3);
    }
    std::int32_t linkID = 100;
    auto link = [&](std::int32_t a, std::int32_t b) {
        return net.Link(linkID++, a, b, sizes[random() % 5], 0.0, 0.0, lengths[random() % 3]);
    };
    // A tree over nodes 1..30, then loops among them; 31..40 form a chain apart.
    for (std::int32_t id = 2; id <= 30; ++id) {
        link(1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(id - 1)), id);
    }
    for (int k = 0; k < 15; ++k) {
        GTL::edge e = link(1 + static_cast<std::int32_t>(random() % 30),
                           1 + static_cast<std::int32_t>(random() % 30));
        if (random() % 4 == 0) {
            net.G.hide_edge(e);
        }
    }
    for (std::int32_t id = 32; id <= 40; ++id) {
        net.Link(linkID++, id - 1, id);
    }
}

class SearchSteps : public ::testing::TestWithParam<std::uint32_t> {};

// A search with the levels of a complete level search, one that finds levels
// only as far as it goes, and one paused halfway (its path to the node it
// paused at read from its tree) enter the same nodes by the same links.
TEST_P(SearchSteps, LevelsFoundOnDemandAndPausesChangeNothing) {
    Network net;
    GrowRandomNetwork(net, GetParam());
    GTL::node start = net(1 + static_cast<std::int32_t>(GetParam() % 30));
    // Odd seeds order the links by reach, as the longest-branch pass does.
    bool secondPass = GetParam() % 2 == 1;
    GTL::bfs levels;
    levels.start_node(start);
    levels.run(net.G);
    dfs_fld whole;
    whole.secondPass = secondPass;
    whole.start_node(start);
    whole.store_non_tree_edges(true);
    whole.use_levels(&levels);
    whole.run(net.G);
    ExpectConsistentSearch(net, whole);

    dfs_fld stepwise;
    stepwise.secondPass = secondPass;
    stepwise.start_node(start);
    stepwise.store_non_tree_edges(true);
    stepwise.begin(net.G);
    GTL::node middle = whole.dfs_order()[whole.dfs_order().size() / 2];
    ASSERT_TRUE(stepwise.reaches(middle));
    path_record path(&net.G);
    FillPathAlongSearchTree(path, stepwise, middle);
    EXPECT_EQ(path.nodes.back(), start);
    EXPECT_FALSE(stepwise.reaches(net(35))) << "the chain apart is another component";
    EXPECT_EQ(net.Ids(stepwise.dfs_order()), net.Ids(whole.dfs_order()));
    EXPECT_EQ(net.Ids(stepwise.tree_edges()), net.Ids(whole.tree_edges()));
    EXPECT_EQ(net.Ids(stepwise.non_tree_edges()), net.Ids(whole.non_tree_edges()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, SearchSteps, ::testing::Range(1u, 41u));

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
    search.start_node(net(0));
    search.run(net.G);
    EXPECT_EQ(search.number_of_reached_nodes(), kNodes);
    EXPECT_EQ(search.dfs_order().back(), net(kNodes - 1));
}

}  // namespace
