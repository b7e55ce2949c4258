#include <gtest/gtest.h>

#include <vector>

#include "graph/gtl_graph.h"

namespace {

using Edges = std::vector<GTL::edge>;

Edges EdgeList(const GTL::graph& g) {
    Edges out;
    g.for_each_edge([&](GTL::edge e) { out.push_back(e); });
    return out;
}

Edges Adjacent(const GTL::graph& g, GTL::node n) {
    Edges out;
    g.for_each_adj_edge(n, [&](GTL::edge e) { out.push_back(e); });
    return out;
}

// e1 = (a,b), e2 = (a,c), e3 = (d,a): a lists its out-links newest first, then its in-links.
class GraphAdjacency : public ::testing::Test {
protected:
    GraphAdjacency() {
        g.make_undirected();
        e1 = g.new_edge(a, b);
        e2 = g.new_edge(a, c);
        e3 = g.new_edge(d, a);
    }
    GTL::graph g;
    GTL::node a = g.new_node(), b = g.new_node(), c = g.new_node(), d = g.new_node();
    GTL::edge e1, e2, e3;
};

TEST_F(GraphAdjacency, RestoredLinkGoesToTheFrontOfAdjacencyAndTheEndOfTheEdgeList) {
    EXPECT_EQ(Adjacent(g, a), (Edges{e2, e1, e3}));
    EXPECT_EQ(g.opposite(e3, a), d);
    g.hide_edge(e2);
    EXPECT_EQ(Adjacent(g, a), (Edges{e1, e3}));
    EXPECT_TRUE(Adjacent(g, c).empty());
    g.restore_edge(e2);
    EXPECT_EQ(Adjacent(g, a), (Edges{e2, e1, e3}));
    EXPECT_EQ(EdgeList(g), (Edges{e1, e3, e2}));
    g.hide_edge(e1);
    g.restore_edge(e1);
    EXPECT_EQ(Adjacent(g, a), (Edges{e1, e2, e3}));
    EXPECT_EQ(Adjacent(g, b), Edges{e1});
    EXPECT_EQ(EdgeList(g), (Edges{e3, e2, e1}));
}

TEST_F(GraphAdjacency, HidingTwiceOrRestoringAVisibleLinkChangesNothing) {
    g.hide_edge(e3);
    g.hide_edge(e3);
    g.restore_edge(e1);
    EXPECT_EQ(g.number_of_edges() * 10 + g.number_of_hidden_edges(), 21);
    EXPECT_EQ(g.number_of_edge_ids(), 3);
    EXPECT_EQ(Adjacent(g, a), (Edges{e2, e1}));
    g.restore_edge(e3);
    g.restore_edge(e3);
    EXPECT_EQ(g.number_of_hidden_edges(), 0);
    EXPECT_EQ(Adjacent(g, a), (Edges{e2, e1, e3}));
    EXPECT_EQ(EdgeList(g), (Edges{e1, e2, e3}));
}

TEST_F(GraphAdjacency, SelfLoopAppearsTwiceAtItsNodeAndHidesFromBoth) {
    GTL::edge loop = g.new_edge(b, b);
    EXPECT_EQ(Adjacent(g, b), (Edges{loop, loop, e1}));
    g.hide_edge(loop);
    EXPECT_EQ(Adjacent(g, b), Edges{e1});
    g.restore_edge(loop);
    EXPECT_EQ(Adjacent(g, b), (Edges{loop, loop, e1}));
    EXPECT_EQ(g.degree(b), 3);
}

}  // namespace
