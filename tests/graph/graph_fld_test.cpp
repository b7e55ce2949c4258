#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "graph/id_index.h"
#include "test_helpers.h"

namespace {

using rivo_test::Network;

// Host IDs may be anything an int32 holds.
constexpr std::int32_t kFirst = -2147483647 - 1;
constexpr std::int32_t kLink = 2147483647;

TEST(GraphFld, FailedCallsRaiseTheOperationAloneAndChangeNothing) {
    const std::pair<const char*, std::function<void(Network&)>> cases[] = {
        {"Failed : graph_fld::add_node", [](Network& n) { n.Node(kFirst, 9.0, 9.0); }},
        {"Failed : graph_fld::add_edge", [](Network& n) { n.Link(kLink, 0, kFirst); }},
        {"Failed : graph_fld::GetNode", [](Network& n) { n.G.GetNode(1); }},
        {"Failed : graph_fld::GetEdge", [](Network& n) { n.G.GetEdge(0); }},
        {"Failed : graph_fld::SetNodeIsPondType",
         [](Network& n) { n.G.SetNodeIsPondType(-1, false); }},
    };
    for (const auto& [message, call] : cases) {
        Network net;
        GTL::node first = net.Node(kFirst);
        net.Node(0);
        GTL::edge link = net.Link(kLink, kFirst, 0);
        EXPECT_THROW_MSG(call(net), message, E_INVALIDARG);
        EXPECT_EQ(net.G.number_of_nodes() + net.G.number_of_edge_ids(), 3);
        EXPECT_EQ(net.G.GetNode(kFirst), first);
        EXPECT_EQ(net.G.data(first).xPosition, 0.0);
        EXPECT_EQ(net.G.GetEdge(kLink), link);
        EXPECT_EQ(net.G.degree(first), 1);
    }
}

TEST(EdgeData, ElevationAtEachEndTheSourceFirstAndNoneElsewhere) {
    Network net;
    net.Node(1);
    net.Node(2);
    net.Node(3);
    const CEdgeData& link = net.G.data(net.Link(10, 1, 2, 1.0, 4.5, 3.25));
    const CEdgeData& loop = net.G.data(net.Link(11, 3, 3, 1.0, 7.0, 6.0));
    EXPECT_EQ(link.GetElevation(net(1)), 4.5);
    EXPECT_EQ(link.GetElevation(net(2)), 3.25);
    EXPECT_EQ(loop.GetElevation(net(3)), 7.0);
    for (int repeat = 0; repeat < 2; ++repeat) {
        EXPECT_THROW_MSG(link.GetElevation(net(3)),
                         "Failed : CEdgeData::GetElevation\nnode is not in the edge", E_INVALIDARG);
    }
}

// Hiding a hidden link or restoring a visible one changes nothing; a
// self-loop stands twice in its node's adjacency.
TEST(GraphFld, HidingOrRestoringTwiceChangesNothing) {
    Network net;
    net.Node(1);
    net.Node(2);
    GTL::edge link = net.Link(10, 1, 2);
    GTL::edge loop = net.Link(11, 2, 2);
    for (int repeat = 0; repeat < 2; ++repeat) {
        net.G.hide_edge(link);
        net.G.restore_edge(loop);
    }
    EXPECT_EQ(net.G.number_of_edges() * 10 + net.G.number_of_hidden_edges(), 11);
    EXPECT_EQ(net.G.degree(net(1)) * 10 + net.G.degree(net(2)), 2);
    net.G.restore_edge(link);
    net.G.restore_edge(link);
    EXPECT_EQ(net.G.number_of_edges() * 10 + net.G.number_of_hidden_edges(), 20);
    EXPECT_EQ(net.G.degree(net(1)) * 10 + net.G.degree(net(2)), 13);
}

// IDs in rising and falling runs, a few far away and some repeated: the
// index keeps dense ones in its window and the rest in its hash table, and
// answers for every ID as a map does.
TEST(IdIndex, AnswersAsAMapForDenseAndScatteredIDs) {
    std::mt19937 random(3);
    IdIndex index;
    std::map<std::int32_t, std::int32_t> expected;
    for (std::int32_t k = 0; k < 20000; ++k) {
        std::int32_t key = k % 7 == 0   ? static_cast<std::int32_t>(random())
                           : k % 2 == 0 ? 5000 + k
                                        : 4000 - k;
        bool inserted = expected.emplace(key, k).second;
        ASSERT_EQ(index.insert(key, k), inserted) << key;
        if (k % 11 == 0) {
            index.assign(key, -key & 0xffff);
            expected[key] = -key & 0xffff;
        }
    }
    for (std::int32_t key = -20000; key < 30000; ++key) {
        auto it = expected.find(key);
        ASSERT_EQ(index.find(key), it == expected.end() ? -1 : it->second) << key;
    }
    for (const auto& [key, value] : expected) {
        ASSERT_EQ(index.find(key), value) << key;
    }
}

}  // namespace
