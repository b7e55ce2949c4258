#include <gtest/gtest.h>

#include <random>

#include "graph/dfs_fld.h"
#include "graph/incremental_dfs.h"
#include "test_helpers.h"

namespace {

using rivo_test::Network;

// A random network with loops, parallel links, links of like and of big
// sizes, nodes on top of each other, hidden links and a second component:
// everything that steers the order of a network search.
void GrowRandomNetwork(Network& net, std::uint32_t seed) {
    std::mt19937 random(seed);
    const double sizes[] = {1.0, 1.0005, 2.0, 5.0, 8.0};
    const double lengths[] = {1.0, 1.0005, 2.0};
    const std::int32_t nodes = 40;
    for (std::int32_t id = 1; id <= nodes; ++id) {
        GTL::node n =
            net.Node(id, static_cast<double>(random() % 5), static_cast<double>(random() % 5));
        net.G.data(n).longestPathLength = static_cast<double>(random() % 3);
    }
    std::int32_t linkID = 100;
    // A tree over nodes 1..30, then loops among them; 31..40 form a chain apart.
    for (std::int32_t id = 2; id <= 30; ++id) {
        std::int32_t parent =
            1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(id - 1));
        net.Link(linkID++, parent, id, sizes[random() % 5], 0.0, 0.0, lengths[random() % 3]);
    }
    for (int k = 0; k < 15; ++k) {
        std::int32_t a = 1 + static_cast<std::int32_t>(random() % 30);
        std::int32_t b = 1 + static_cast<std::int32_t>(random() % 30);
        GTL::edge e =
            net.Link(linkID++, a, b, sizes[random() % 5], 0.0, 0.0, lengths[random() % 3]);
        if (random() % 4 == 0) {
            net.G.hide_edge(e);
        }
    }
    for (std::int32_t id = 32; id <= nodes; ++id) {
        net.Link(linkID++, id - 1, id);
    }
}

std::vector<GTL::node> FullOrder(incremental_dfs& search) {
    std::vector<GTL::node> order;
    for (std::size_t k = 0;; ++k) {
        GTL::node n = search.entered(k);
        if (n.is_null()) {
            return order;
        }
        order.push_back(n);
    }
}

class IncrementalDfsTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(IncrementalDfsTest, EntersAndPathsAsTheNetworkSearch) {
    Network net;
    GrowRandomNetwork(net, GetParam());
    GTL::node start = net(1 + static_cast<std::int32_t>(GetParam() % 30));
    // Odd seeds order the links by reach, as the longest-branch pass does.
    bool secondPass = GetParam() % 2 == 1;
    dfs_fld whole;
    whole.secondPass = secondPass;
    whole.start_node(start);
    whole.run(net.G);

    incremental_dfs stepwise(net.G, start, secondPass);
    ASSERT_EQ(net.Ids(FullOrder(stepwise)), net.Ids(whole.dfs_order()));
    for (GTL::node n : whole.dfs_order()) {
        path_record expected(&net.G);
        path_record got(&net.G);
        FillPathFromDepthFirstSearch(expected, whole, n);
        stepwise.fill_path(got, n);
        EXPECT_EQ(net.Ids(got.nodes), net.Ids(expected.nodes));
        EXPECT_EQ(net.Ids(got.links), net.Ids(expected.links));
    }
    EXPECT_FALSE(stepwise.reaches(net(35))) << "the chain apart is another component";
}

// Asking whether a node is reached enters only what comes before it, and
// the nodes entered later follow in the same order.
TEST_P(IncrementalDfsTest, StoppingEarlyChangesNothingLater) {
    Network net;
    GrowRandomNetwork(net, GetParam());
    GTL::node start = net(1);
    dfs_fld whole;
    whole.start_node(start);
    whole.run(net.G);
    const std::vector<GTL::node>& order = whole.dfs_order();

    incremental_dfs stepwise(net.G, start);
    GTL::node middle = order[order.size() / 2];
    ASSERT_TRUE(stepwise.reaches(middle));
    path_record path(&net.G);
    stepwise.fill_path(path, middle);
    EXPECT_EQ(path.nodes.back(), start);
    EXPECT_EQ(net.Ids(FullOrder(stepwise)), net.Ids(order));
}

INSTANTIATE_TEST_SUITE_P(Seeds, IncrementalDfsTest, ::testing::Range(1u, 41u));

}  // namespace
