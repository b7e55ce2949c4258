#include <gtest/gtest.h>

#include <random>

#include "branches/summit_tree.h"
#include "graph/dfs_fld.h"
#include "test_helpers.h"

namespace {

using rivo_test::Network;

// A random looped subnetwork whose heights repeat (ties decide which link
// is first), with storage nodes and converted outfalls that the summit rule
// looks at beside the highest link.
void GrowLoopedNetwork(Network& net, std::uint32_t seed, std::int32_t nodes) {
    std::mt19937 random(seed);
    const double heights[] = {0.0, 0.5, 1.0, 1.0, 1.005, 2.0};
    const double sizes[] = {0.3, 0.5, 1.0};
    for (std::int32_t id = 1; id <= nodes; ++id) {
        GTL::node n =
            net.Node(id, static_cast<double>(random() % 7), static_cast<double>(random() % 7),
                     random() % 6 == 0 ? node_type::kStorage : node_type::kManhole);
        if (random() % 10 == 0) {
            net.G.data(n).nodeType = node_type::kOutfall;
            net.G.data(n).convertedToOutfall = random() % 2 == 0;
        }
    }
    std::int32_t linkID = 1000;
    auto link = [&](std::int32_t a, std::int32_t b) {
        net.Link(linkID++, a, b, sizes[random() % 3], heights[random() % 6], heights[random() % 6]);
    };
    for (std::int32_t id = 2; id <= nodes; ++id) {
        link(1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(id - 1)), id);
    }
    for (std::int32_t k = 0; k < nodes / 2; ++k) {
        link(1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(nodes)),
             1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(nodes)));
    }
}

summit_link SummitBySearch(Network& net, GTL::node from, GTL::node to) {
    GTL::bfs_tgt target;
    target.start_node(to);
    target.target_node(from);
    target.run(net.G);
    path_record path(&net.G);
    FillPathAlongSearchTree(path, target, from);
    return ChooseSummitLink(path);
}

class SummitTreeTest : public ::testing::TestWithParam<std::uint32_t> {};

// Loops are opened in turn as loop link selection does: each back link's
// path summit is asked of the tree and of a target search over the graph,
// then either the back link stays out or it replaces the summit link.
TEST_P(SummitTreeTest, AnswersAsTheTargetSearchWhileLinksAreSwapped) {
    Network net;
    GrowLoopedNetwork(net, GetParam(), 12 + static_cast<std::int32_t>(GetParam() % 40));
    dfs_fld search;
    search.start_node(net(1));
    search.store_non_tree_edges(true);
    search.run(net.G);
    const std::vector<GTL::edge> backLinks = search.non_tree_edges();
    for (GTL::edge b : backLinks) {
        net.G.hide_edge(b);
    }
    summit_tree tree(net.G, search.dfs_order(), search.tree_edges(), backLinks);
    std::mt19937 random(GetParam());
    for (GTL::edge b : backLinks) {
        GTL::node S = net.G.data(b).sourceNode;
        GTL::node T = net.G.data(b).targetNode;
        if (S == T) {
            continue;
        }
        summit_link expected = SummitBySearch(net, T, S);
        path_record stretch(&net.G);
        tree.fill_summit_stretch(T, S, stretch);
        summit_link got = ChooseSummitLink(stretch);
        ASSERT_EQ(net.Id(got.link), net.Id(expected.link)) << "back link " << net.Id(b);
        EXPECT_EQ(net.Id(got.high), net.Id(expected.high));
        EXPECT_EQ(net.Id(got.low), net.Id(expected.low));
        EXPECT_EQ(got.top, expected.top);
        if (random() % 3 != 0) {
            if (random() % 4 == 0 && T != net(1)) {
                tree.fill_summit_stretch(T, net(1), stretch);  // not the loop's path
            }
            net.G.restore_edge(b);
            net.G.hide_edge(got.link);
            tree.swap(got.link, b);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SummitTreeTest, ::testing::Range(1u, 61u));

TEST(SummitTree, TopsMustBeNumbersAboveTheStartingHeight) {
    Network net;
    net.Node(1);
    net.Node(2);
    std::vector<GTL::edge> links = {net.Link(10, 1, 2, 1.0, 1.0, 2.0)};
    EXPECT_TRUE(TopsAreComparable(net.G, links));
    links.push_back(net.Link(11, 1, 2, 1.0, NAN, 2.0));
    EXPECT_FALSE(TopsAreComparable(net.G, links));
    links.back() = net.Link(12, 1, 2, 1.0, -1e25, -1e25);
    EXPECT_FALSE(TopsAreComparable(net.G, links));
}

}  // namespace
