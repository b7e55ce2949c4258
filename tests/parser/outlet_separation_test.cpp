#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "branches/branch_stage_fixture.h"

// The order of the outlets, one subnetwork per outlet with links between
// outlets cut out, loops handed to subnetworks, and what no outlet reaches.
namespace {

namespace host = rivo::host;
using rivo_test::PondStage;
using A = ParserTestAccess;

struct SortCase {
    const char* name;
    host::Network network;
    const char* order;
};

// Outfalls 1, 2, 3 (or storage nodes that convert) in node order; the key is
// an outfall's lowest visible link end.
const SortCase kSortCases[] = {
    {"converted storage after real outfalls, lower end first",
     {{{1, 0, 0, 2}, {2, 10, 0, 1}, {3, 20, 0, 1}, {4, 30, 0}},
      {{10, 4, 2, 3.0, 2.0}, {11, 4, 3, 3.0, 1.0}}},
     "3 2 1"},
    {"a tie behind the lowest outfall is exchanged once",
     {{{1, 0, 0, 1}, {2, 10, 0, 1}, {3, 20, 0, 1}, {4, 30, 0}},
      {{10, 4, 1, 2.0, 0.5}, {11, 4, 2, 2.0, 1.0}, {12, 4, 3, 2.0, 1.0}}},
     "1 3 2"},
    {"two converted storage nodes are exchanged",
     {{{1, 0, 0, 1}, {2, 10, 0, 2}, {3, 20, 0, 2}, {4, 30, 0}}, {{10, 4, 1, 2.0, 1.0}}},
     "1 3 2"},
    // Outfall 1: 1.0 as a target end, 0.4 as a source end, 0.1 on a hidden link.
    {"lowest end at either end of a visible link, other higher",
     {{{1, 0, 0, 1}, {2, 10, 0, 1}, {3, 20, 0}, {4, 30, 0}},
      {{10, 3, 1, 2.0, 1.0}, {11, 1, 4, 0.4, 0.9}, {12, 3, 2, 2.0, 0.5}, {13, 1, 3, .1, .1, 1, 5}}},
     "1 2"},
    {"lowest end at either end of a visible link, other lower",
     {{{1, 0, 0, 1}, {2, 10, 0, 1}, {3, 20, 0}, {4, 30, 0}},
      {{10, 3, 1, 2.0, 1.0}, {11, 1, 4, 0.4, 0.9}, {12, 3, 2, 2.0, 0.3}, {13, 1, 3, .1, .1, 1, 5}}},
     "2 1"},
};

RIVO_TABLE_TEST(OutletOrder, SortsAsTheExchangeSortDoes, kSortCases) {
    const SortCase& c = GetParam();
    CFLDNetworkParser core;
    PondStage(core, c.network);
    ASSERT_TRUE(A::AddOutletNodes(core));
    A::SortOutlets(core);
    std::string order;
    for (GTL::node n : A::Outlets(core)) {
        order += (order.empty() ? "" : " ") + std::to_string(A::Graph(core).data(n).nodeID);
    }
    EXPECT_EQ(order, c.order);
}

struct SeparationCase {
    const char* name;
    host::Network network;
    // "reached <per search> | workers <outlet or single node, s for single,
    // with its loops> | loops <linkLoops> | junctions <nodes> | hidden <links>"
    const char* expected;
};

// Outfalls 1 and 3 with storage 2 and 4 draining into them; pump 5 in 1's
// subnetwork, manhole 6 in none. Set-aside link 14 ends at the pump, 15 in
// 1's subnetwork, 16 nowhere; pond link 13 has the given ends.
host::Network Handover(double pondAt2, double pondAt4) {
    return {
        {{1, 0, 0, 1}, {2, 10, 0, 2}, {3, 0, 20, 1}, {4, 10, 20, 2}, {5, -10, 0, 4}, {6, 50, 50}},
        {{10, 2, 1, 1.0, 0.5},
         {11, 4, 3, 1.0, 0.8},
         {12, 5, 1, 1.0, 0.5},
         {13, 2, 4, pondAt2, pondAt4},
         {14, 4, 5, 2.0, 1.0, 1, 5},
         {15, 4, 2, 2.0, 1.0, 1, 3},
         {16, 2, 6, 2.0, 1.0, 1, 6}}};
}

const SeparationCase kSeparationCases[] = {
    {"one outfall and a tree",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}}, {{10, 2, 1, 1.0, 0.5}, {11, 3, 2, 1.5, 1.0}}},
     "reached 3 | workers 1 | loops | junctions | hidden"},
    // The cut runs from outfall 1 since the summit's high end is an outfall.
    {"two outfalls joined by one pipe",
     {{{1, 0, 0, 1}, {2, 10, 0, 1}}, {{10, 2, 1, 2.0, 1.0}}},
     "reached | lone 1 2 | workers | loops 1 2/10 LO | junctions 1 | hidden 10"},
    // From 1 the search runs 1-3-4 first (3 is newest at 1); after that cut,
    // 1-2-4. Each cut is the link whose top (2.0 at the manhole) comes first.
    {"two outfalls joined by two paths",
     {{{1, 0, 0, 1}, {2, 10, 10}, {3, 10, -10}, {4, 20, 0, 1}},
      {{11, 2, 1, 2.0, 1.0}, {12, 3, 1, 2.0, 1.0}, {13, 2, 4, 2.0, 1.5}, {14, 3, 4, 2.0, 1.5}}},
     "reached 3 | lone 4 | workers 1 | loops 3 4/14 LO; 2 4/13 LO | junctions 2 3 | hidden 13 14"},
    {"storage node without links gets a single-node worker",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0, 2}}, {{10, 2, 1, 1.0, 0.5}}},
     "reached 2 1 | workers 1 3s | loops | junctions | hidden"},
    {"loops go to the subnetwork of their last node", Handover(3.0, 2.0),
     "reached 3 2 | workers 1(4 2/15) 3(2 4/13) | loops 4 5/14; 2 6/16 | junctions | "
     "hidden 13 14 15 16"},
    {"pond loop lower at its source end", Handover(2.0, 3.0),
     "reached 3 2 | workers 1(4 2/15; 4 2/13) 3 | loops 4 5/14; 2 6/16 | junctions | "
     "hidden 13 14 15 16"},
};

RIVO_TABLE_TEST(SubnetworkSeparation, OneSubnetworkPerOutlet, kSeparationCases) {
    const SeparationCase& c = GetParam();
    CFLDNetworkParser core;
    PondStage(core, c.network);
    ASSERT_TRUE(A::FindOutletsAndSubnetworks(core, false));
    const graph_fld& g = A::Graph(core);
    std::ostringstream out;
    out << "reached";
    for (const auto& search : A::OutletSearches(core)) {
        out << " " << search->number_of_reached_nodes();
    }
    out << (A::LoneOutlets(core).empty() ? "" : " | lone");
    for (GTL::node n : A::LoneOutlets(core)) {
        out << " " << g.data(n).nodeID;
    }
    out << " | workers";
    for (const auto& w : A::Subnetworks(core)) {
        EXPECT_NE(w->SingleNode().is_null(), w->OutletNode().is_null());
        out << " " << g.data(w->IsSingleNode() ? w->SingleNode() : w->OutletNode()).nodeID
            << (w->IsSingleNode() ? "s" : "");
        out << (w->LoopBranches().empty() ? ""
                                          : "(" + rivo_test::Chains(g, w->LoopBranches()) + ")");
    }
    const auto& loops = A::LinkLoops(core);
    out << " | loops" << (loops.empty() ? "" : " " + rivo_test::Chains(g, loops));
    out << " | junctions";
    for (const auto& n : c.network.nodes) {
        out << (g.data(g.GetNode(n.id)).isJunction ? " " + std::to_string(n.id) : "");
    }
    out << " | hidden";
    for (const auto& l : c.network.links) {
        out << (g.is_hidden(g.GetEdge(l.id)) ? " " + std::to_string(l.id) : "");
    }
    EXPECT_EQ(out.str(), c.expected);
}

// Loop ends are counted over the parser's loops and the first-pass workers'
// loops, a loop with both ends at one node once there.
TEST(LoopEnds, CountedOverParserLoopsAndFirstPassWorkers) {
    host::Network network = Handover(3.0, 2.0);
    network.links.push_back({17, 6, 6, 1, 1, 1, 8});
    CFLDNetworkParser core;
    PondStage(core, network);
    ASSERT_TRUE(A::FindOutletsAndSubnetworks(core, false));
    graph_fld& g = A::Graph(core);
    auto counts = [&] {
        return rivo_test::Join(6,
                               [&](auto i) { return core.CountLoopEndsAtNode(g.GetNode(i + 1)); });
    };
    EXPECT_EQ(counts(), "0 3 0 3 1 2");
    ASSERT_TRUE(A::FindOutletsAndSubnetworks(core, true));
    A::SecondPassSubnetworks(core).at(0)->AddLoopBranch(rivo_test::MakeBranch(g, "1 3/"));
    EXPECT_EQ(counts(), "0 3 0 3 1 2");
    A::Subnetworks(core).at(0)->AddLoopBranch(rivo_test::MakeBranch(g, "1 3/"));
    EXPECT_EQ(counts(), "1 3 1 3 1 2");
}

// Without an outlet the first pass reports false; the second pass, which
// takes the outlets as the first left them, raises a bare message instead.
TEST(OutletStage, NoOutlet) {
    CFLDNetworkParser core;
    PondStage(core, {{{1, 0, 0, 1}, {2, 10, 0}}, {}});
    EXPECT_FALSE(A::FindOutletsAndSubnetworks(core, false));  // no raise
    EXPECT_THROW_MSG(A::FindOutletsAndSubnetworks(core, true), "No outlet in the network",
                     static_cast<HRESULT>(0x80004005u));
    EXPECT_TRUE(A::Subnetworks(core).empty() && A::SecondPassSubnetworks(core).empty());
}

}  // namespace
