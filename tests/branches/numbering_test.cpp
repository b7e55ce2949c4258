#include <gtest/gtest.h>

#include "branches/branch_finder.h"
#include "parser/network_fixture.h"

namespace {

namespace host = rivo::host;

// Outfall 1, manhole 2 with a dead end 3 and a chain 4, 5 that starts a second
// branch at 2; the types of 2, 4 and of links 12, 13 vary.
host::Network Junction(std::int16_t type2, std::int16_t type4, std::int16_t link12,
                       std::int16_t link13) {
    return {{{1, 0, 0, 1}, {2, 10, 0, type2}, {3, 20, 0}, {4, 10, 10, type4}, {5, 10, 20}},
            {{10, 2, 1, 1.0, 0.5},
             {11, 3, 2, 1.0, 1.0},
             {12, 4, 2, 1.0, 1.0, 1.0, link12},
             {13, 5, 4, 1.0, 1.0, 1.0, link13}}};
}

const rivo_test::ParseCase kCases[] = {
    // Trees of manholes falling towards outfall 1.
    {"junction with two upstream chains, the larger pipe continues", rivo_test::kJunction,
     "B1 1 2 4/10 12 out 0/0 in 0/0 sec 5\n"
     "B2 2 3 5/11 13 out 0/0 in 0/0 sec 5\n",
     "1:1/1/1 2:2/1/1 3:2/2/3 4:x/x/0 5:x/x/0 ", "10:1/2/- 11:2/2/- 12:1/4/- 13:2/4/- "},
    {"branch starting at a pump", Junction(4, 0, 0, 0),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 4 5/12 13 out 0/0 in 0/0 sec 4\n",
     "1:1/1/1 2:2/1/1 3:x/x/0 4:2/2/2 5:x/x/0 ", "10:1/2/- 11:1/4/- 12:2/1/- 13:2/3/- "},
    {"type 3 start before a type 4 link", Junction(3, 0, 4, 0),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 4 5/12 13 out 0/0 in 0/0 sec 4\n",
     "1:1/1/1 2:2/1/1 3:x/x/0 4:2/2/2 5:x/x/0 ", "10:1/2/- 11:1/4/- 12:2/1/- 13:2/3/- "},
    {"type 3 start before another link", Junction(3, 0, 0, 4),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 4 5/12 13 out 0/0 in 0/0 sec 5\n",
     "1:1/1/1 2:2/1/1 3:x/x/0 4:2/2/3 5:x/x/0 ", "10:1/2/- 11:1/4/- 12:2/2/- 13:2/4/- "},
    {"type 3 between type 4 links", Junction(0, 3, 4, 4),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 4 5/12 13 out 0/0 in 0/0 sec 4\n",
     "1:1/1/1 2:2/1/1 3:x/x/0 4:2/2/3 5:x/x/0 ", "10:1/2/- 11:1/4/- 12:2/2/- 13:2/3/- "},
    {"type 3 after one type 4 link", Junction(0, 3, 4, 0),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 4 5/12 13 out 0/0 in 0/0 sec 5\n",
     "1:1/1/1 2:2/1/1 3:x/x/0 4:2/2/3 5:x/x/0 ", "10:1/2/- 11:1/4/- 12:2/2/- 13:2/4/- "},
    // The main of pump 2 rises to storage 5, converted at the drop of link 14:
    // a single storage node branch (5) goes before the main, which meets it.
    {"pressure main up to a storage outlet",
     {{{1, 0, 0, 1}, {2, 10, 0, 4}, {3, 20, 0}, {4, 10, 10}, {5, 10, 20, 2}, {6, 10, 30}},
      {{10, 2, 1, 0.0, -0.5},
       {11, 3, 2, 0.0, 0.0},
       {12, 4, 2, 0.5, 0.0},
       {13, 5, 4, 1.0, 0.5},
       {14, 6, 5, 2.0, 1.5}}},
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 5/ SS out 1/0 in 0/0 sec 2\n"
     "B3 2 4 5/12 13 out 2/1 in 0/0 sec 4\nL4 5 6/14 out 0/0 in 2/1 sec 2\n",
     "1:1/1/1 2:3/1/1 3:x/x/0 4:3/2/2 5:2/1/1 6:4/2/0 ",
     "10:1/2/- 11:1/4/- 12:3/1/- 13:3/3/- 14:4/1/- "},
    // Branch 1 ends at a storage node: the outlet section count is 5.
    {"second outfall with branch 1 at storage",
     rivo_test::TwoOutfalls({{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0, 2}},
                            {{10, 2, 1, 1.0, 0.0}, {11, 3, 2, 1.5, 1.0}}),
     "B1 1 2 3/10 11 out 1/5 in 0/0 sec 5\n"
     "B2 5 6 7/20 21 SO out 1/-5 in 0/0 sec 6\nL3 7 8/22 out 0/0 in 2/5 sec 2\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 5:2/1/1 6:2/2/3 7:2/3/5 8:3/2/0 ",
     "10:1/2/- 11:1/4/- 20:2/2/- 21:2/4/- 22:3/1/- "},
    // Branch 1 ends at a dead end: the count keeps 0.
    {"second outfall with branch 1 at a dead end",
     rivo_test::TwoOutfalls({{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}},
                            {{10, 2, 1, 1.0, 0.0}, {11, 3, 2, 1.5, 1.0}}),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\n"
     "B2 5 6 7/20 21 SO out 1/0 in 0/0 sec 6\nL3 7 8/22 out 0/0 in 2/5 sec 2\n",
     "1:1/1/1 2:1/2/3 3:x/x/0 5:2/1/1 6:2/2/3 7:2/3/5 8:3/2/0 ",
     "10:1/2/- 11:1/4/- 20:2/2/- 21:2/4/- 22:3/1/- "},
    // Branch 1 ends at storage 3 converted at its drop: one section more.
    {"second outfall with branch 1 at a storage outlet",
     rivo_test::TwoOutfalls({{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0, 2}, {4, 30, 0}},
                            {{10, 2, 1, 1.0, 0.0}, {11, 3, 2, 1.5, 1.0}, {12, 4, 3, 2.5, 2.0}}),
     "B1 1 2 3/10 11 SO out 0/0 in 0/0 sec 6\n"
     "B2 5 6 7/20 21 SO out 1/-6 in 0/0 sec 6\n"
     "L3 3 4/12 out 0/0 in 1/5 sec 2\nL4 7 8/22 out 0/0 in 2/5 sec 2\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 4:3/2/0 5:2/1/1 6:2/2/3 7:2/3/5 8:4/2/0 ",
     "10:1/2/- 11:1/4/- 12:3/1/- 20:2/2/- 21:2/4/- 22:4/1/- "},
    {"single-node worker after a chain",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0, 2}, {9, 50, 50, 2}},
      {{10, 2, 1, 1.0, 0.0}, {11, 3, 2, 1.5, 1.0}}},
     "B1 1 2 3/10 11 out 1/5 in 0/0 sec 5\nB2 9/ SS out 1/-5 in 0/0 sec 2\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 9:2/x/1 ",
     "10:1/2/- 11:1/4/- "},
    // Converted storage nodes: 9 is put before 8, and branch 1 counts 2 sections.
    {"two single-node workers",
     {{{8, 0, 0, 2}, {9, 50, 50, 2}}, {}},
     "B1 9/ SS out 0/0 in 0/0 sec 2\n"
     "B2 8/ SS out 1/-2 in 0/0 sec 2\n",
     "8:2/x/1 9:1/x/1 ",
     ""},
};

RIVO_PARSE_SUITE(Numbering, SectionsAndConnections, kCases)

// A loop branch X -> (N) -> Y on a graph of its own, with its ends numbered.
struct LoopBranchRig {
    graph_fld graph;
    std::unique_ptr<CBranch> owned = std::make_unique<CBranch>();
    CBranch& branch = *owned;
    LoopBranchRig(std::vector<std::int16_t> nodeTypes, std::vector<std::int16_t> linkTypes) {
        for (std::size_t i = 0; i < nodeTypes.size(); ++i) {
            branch.nodes.push_back(
                graph.add_node(static_cast<std::int32_t>(i + 1), nodeTypes[i], 0.0, 0.0));
        }
        for (std::size_t i = 0; i < linkTypes.size(); ++i) {
            // Links run from the later node to the earlier one, against the branch.
            branch.edges.push_back(graph.add_edge(static_cast<std::int32_t>(i + 11),
                                                  branch.nodes[i + 1], branch.nodes[i],
                                                  linkTypes[i], 0.0, 0.0, 1.0, 1.0));
        }
    }
    NodeData& Node(std::size_t i) { return graph.data(branch.nodes[i]); }
    CEdgeData& Link(std::size_t i) { return graph.data(branch.edges[i]); }
};

// A loop branch X -> N -> Y whose last node Y is on branch 7 at section 4
// flows out to that branch unless Y is an outfall no branch reaches; N takes
// one section when it is of type 3 between links of type 4 or 5.
TEST(LoopBranchNumbering, OutBranchAndSections) {
    struct Case {
        std::int16_t node, before, after, last;
        bool converted, linked;
        std::int32_t outBranch, sections;
    } cases[] = {{0, 0, 0, 1, false, false, 0, 4}, {0, 0, 0, 1, false, true, 7, 4},
                 {0, 0, 0, 1, true, false, 7, 4},  {3, 4, 5, 0, false, false, 7, 3},
                 {3, 5, 5, 0, false, false, 7, 3}, {3, 4, 4, 0, false, false, 7, 3},
                 {3, 4, 0, 0, false, false, 7, 4}, {3, 0, 5, 0, false, false, 7, 4},
                 {0, 4, 4, 0, false, false, 7, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.node << c.before << c.after << c.last << c.converted << c.linked);
        LoopBranchRig rig({0, c.node, c.last}, {c.before, c.after});
        rig.Node(2).branchNumber = 7;
        rig.Node(2).upStreamSectionNumber = 4;
        rig.Node(2).convertedToOutfall = c.converted;
        rig.Node(2).outfallLinked = c.linked;
        std::int32_t counter = 1;
        NumberLoopBranch(rig.graph, rig.branch, counter);
        EXPECT_EQ(rig.branch.outBranchNumber, c.outBranch);
        EXPECT_EQ(rig.branch.outUpSectionNumber, c.outBranch ? 4 : 0);
        EXPECT_EQ(rig.branch.numberOfSections, c.sections);
        EXPECT_EQ(rig.Node(1).upStreamSectionNumber, 2);
        EXPECT_EQ(rig.Link(1).upStreamSectionNumber, c.sections - 1);
        EXPECT_EQ(rig.Link(1).branchNumber, 1);
    }
}

// A pressure main kept as a loop branch with both ends on one branch is turned
// around; its ID tables keep the order they were filled in.
TEST(LoopBranchOrientation, AllPressureMainLinksOnOneBranch) {
    struct Case {
        std::int32_t firstBranch, lastBranch;
        std::int16_t secondLinkType;
        bool reversed;
    } cases[] = {{4, 4, 7, true}, {4, 4, 0, false}, {4, 5, 7, false}, {0, 0, 7, true}};
    for (const Case& c : cases) {
        LoopBranchRig rig({0, 5, 0}, {7, c.secondLinkType});
        rig.Node(0).branchNumber = c.firstBranch;
        rig.Node(2).branchNumber = c.lastBranch;
        CBranch& b = rig.branch;
        b.FillIDTables(rig.graph);
        GTL::node last = b.nodes[2];
        GTL::edge lastLink = b.edges[1];
        CBranchFinder worker(nullptr, &rig.graph, nullptr, b.nodes[0], false);
        worker.AddLoopBranch(std::move(rig.owned));
        worker.OrientLoopBranches();
        EXPECT_EQ(b.nodes[0] == last, c.reversed);
        EXPECT_EQ(b.edges[0] == lastLink, c.reversed);
        EXPECT_EQ(b.GetNodeID(0), 1);
        std::int32_t counter = 1;
        NumberLoopBranch(rig.graph, b, counter);
        EXPECT_EQ(b.inBranchNumber, c.reversed ? c.lastBranch : c.firstBranch);
    }
}

}  // namespace
