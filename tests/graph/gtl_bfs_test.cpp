#include <gtest/gtest.h>

#include <algorithm>

#include "graph/gtl_bfs.h"
#include "test_helpers.h"

namespace {

using rivo_test::Ids;

// 1 - 2 - 4 - 6      with a hidden shortcut 16 = (1,6)
// |   |              and, apart, 7 - 8 (link 17)
// 3 - 5
class BreadthFirst : public ::testing::Test {
protected:
    BreadthFirst() {
        for (std::int32_t id = 1; id <= 8; ++id) {
            net.Node(id);
        }
        const std::int32_t links[][3] = {{10, 1, 2}, {11, 1, 3}, {12, 2, 5}, {13, 3, 5},
                                         {14, 2, 4}, {15, 4, 6}, {16, 1, 6}, {17, 7, 8}};
        for (const auto& l : links) {
            net.Link(l[0], l[1], l[2]);
        }
        net.G.hide_edge(net[16]);
    }
    void RunFrom(GTL::bfs& search, std::int32_t start) {
        search.start_node(net(start));
        search.calc_level(true);
        search.store_preds(true);
        search.store_non_tree_edges(true);
        search.run(net.G);
    }
    rivo_test::Network net;
};

TEST_F(BreadthFirst, LevelsOrderTreeAndNonTreeLinksOverVisibleLinks) {
    GTL::bfs search;
    RunFrom(search, 1);
    EXPECT_EQ(net.Ids(search.bfs_order()), (Ids{1, 3, 2, 5, 4, 6}));
    EXPECT_EQ(net.Ids(search.tree_edges()), (Ids{11, 10, 13, 14, 15}));
    EXPECT_EQ(net.Ids(search.non_tree_edges()), Ids{12});
    Ids levels;
    for (std::int32_t id = 1; id <= 7; ++id) {
        levels.push_back(search.level(net(id)));
    }
    EXPECT_EQ(levels, (Ids{0, 1, 1, 2, 2, 3, 0}));
    EXPECT_FALSE(search.reached(net(7)));
    EXPECT_TRUE(search.father(net(1)).is_null());
    for (std::size_t i = 0; i < search.bfs_order().size(); ++i) {
        EXPECT_EQ(search.bfs_num(search.bfs_order()[i]), static_cast<int>(i) + 1);
    }
    for (GTL::node n : search.bfs_order()) {
        if (search.level(n) > 0) {
            GTL::node father = net.G.opposite(search.discovery_edge(n), n);
            EXPECT_EQ(search.father(n), father);
            EXPECT_EQ(search.level(n), search.level(father) + 1);
        }
    }
}

TEST_F(BreadthFirst, WholeGraphStartsAgainAtEachUnreachedNode) {
    GTL::bfs search;
    search.scan_whole_graph(true);
    RunFrom(search, 1);
    EXPECT_EQ(net.Ids(search.bfs_order()), (Ids{1, 3, 2, 5, 4, 6, 7, 8}));
    EXPECT_EQ(search.level(net(8)), 1);
    // Regression: the shortcut compared the count of every run since the last
    // reset with the number of nodes, so a second run skipped 7 and 8.
    RunFrom(search, 1);
    EXPECT_TRUE(search.reached(net(8)));
    EXPECT_EQ(search.roots(), (std::vector<std::size_t>{0, 6, 8, 14}));
}

// 1 lists 3 (the target) before 2: 2 is still discovered, as the start is finished.
TEST_F(BreadthFirst, TargetNextToTheStartStopsAfterFinishingTheStart) {
    GTL::bfs_tgt search;
    search.target_node(net(3));
    RunFrom(search, 1);
    EXPECT_EQ(net.Ids(search.bfs_order()), (Ids{1, 3}));
    EXPECT_EQ(net.Ids(search.tree_edges()), (Ids{11, 10}));
    EXPECT_FALSE(search.reached(net(5)));
    EXPECT_EQ(std::count(search.queue().begin(), search.queue().end(), net(2)), 1);
    search.reset();
    EXPECT_TRUE(search.queue().empty() && search.bfs_order().empty());
}

// 5 is discovered before 4, but 4 is the target: it enters the order ahead of 5.
TEST_F(BreadthFirst, FarTargetEntersTheOrderWhenDiscovered) {
    GTL::bfs_tgt search;
    search.target_node(net(4));
    RunFrom(search, 1);
    EXPECT_EQ(net.Ids(search.bfs_order()), (Ids{1, 3, 2, 4}));
    EXPECT_TRUE(search.reached(net(5)));
    EXPECT_EQ(search.discovery_edge(net(4)), net[14]);
}

}  // namespace
