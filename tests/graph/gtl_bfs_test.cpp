#include <gtest/gtest.h>

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
    // Level and discovery link of each node 1..7 (0 for the start or a node not reached).
    std::pair<Ids, Ids> LevelsAndLinks(const GTL::bfs& search) {
        Ids levels;
        Ids links;
        for (std::int32_t id = 1; id <= 7; ++id) {
            levels.push_back(search.level(net(id)));
            GTL::edge via = search.tree_edge_to(net(id));
            links.push_back(via.is_null() ? 0 : net.Id(via));
        }
        return {levels, links};
    }
    rivo_test::Network net;
};

TEST_F(BreadthFirst, LevelsAndDiscoveryLinksOverVisibleLinks) {
    GTL::bfs search;
    search.start_node(net(1));
    search.run(net.G);
    EXPECT_EQ(net.Ids(search.discovered_nodes()), (Ids{1, 3, 2, 5, 4, 6}));
    EXPECT_EQ(LevelsAndLinks(search),
              std::make_pair(Ids{0, 1, 1, 2, 2, 3, 0}, Ids{0, 10, 11, 14, 13, 15, 0}));
    EXPECT_FALSE(search.reached(net(7)));
}

// Taking 1 discovers 3 and 2, taking 3 discovers 5: asking for 5 goes no
// further, and a node not yet discovered is never nearer than one that is.
TEST_F(BreadthFirst, DiscoversOnlyAsFarAsAsked) {
    GTL::bfs search;
    search.start_node(net(1));
    search.begin(net.G);
    EXPECT_TRUE(search.discover(net(5)));
    EXPECT_EQ(net.Ids(search.discovered_nodes()), (Ids{1, 3, 2, 5}));
    EXPECT_FALSE(search.reached(net(4)));
    EXPECT_FALSE(search.nearer(net(4), net(2)));
    EXPECT_TRUE(search.nearer(net(1), net(2)));
    EXPECT_FALSE(search.discover(net(7)));
    EXPECT_EQ(search.discovered_nodes().size(), 6u);
}

// The target search ends once its target is found; a second run from another
// start forgets the first.
TEST_F(BreadthFirst, TargetSearchEndsAfterTheNodeThatFindsTheTarget) {
    GTL::bfs_tgt search;
    search.start_node(net(1));
    search.target_node(net(3));
    search.run(net.G);
    EXPECT_EQ(net.Ids(search.discovered_nodes()), (Ids{1, 3, 2}));
    search.start_node(net(7));
    search.target_node(net(8));
    search.run(net.G);
    EXPECT_FALSE(search.reached(net(1)));
    EXPECT_EQ(net.Id(search.tree_edge_to(net(8))), 17);
}

}  // namespace
