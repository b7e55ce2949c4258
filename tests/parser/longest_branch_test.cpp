#include <gtest/gtest.h>

#include <utility>

#include "parser/network_fixture.h"
#include "parser/parser_access.h"

namespace {

namespace host = rivo::host;
using rivo_test::OpenParser;

// Pump 2 starts branch (2 4 5 6), whose pressure main up to its highest node 5
// is split off behind (5 6); links 12 and 13 have the lengths given.
host::Network PumpMain(double length12, double length13) {
    return {{{1, 0, 0, 1}, {2, 10, 0, 4}, {3, 20, 0}, {4, 10, 10}, {5, 10, 20}, {6, 10, 30}},
            {{10, 2, 1, 0.0, -0.5, 1.0, 0, 2.0},
             {11, 3, 2, 0.0, 0.0, 1.0, 0, 3.0},
             {12, 4, 2, 0.5, 0.0, 1.0, 0, length12},
             {13, 5, 4, 1.0, 0.5, 1.0, 0, length13},
             {14, 6, 5, 0.8, 1.0, 1.0, 0, 5.0}}};
}

struct LengthCase {
    const char* name;
    host::Network network;
    std::vector<std::pair<std::int32_t, double>> lengths;
};

// Every branch restarts at 0.0 at its first node (pump 2 after branch 1 gave
// it 2.0); the main carries its length into (5 6) unless it arrives with no
// more than 0.001 above the 0.0 there. A link given without a length
// (12) is 1.0 long.
const LengthCase kLengthCases[] = {
    {"chain and a single-node subnetwork",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 30, 0}, {9, 50, 50, 2}},
      {{10, 2, 1, 1.0, 0.5, 1.0, 0, 2.0}, {11, 3, 2, 1.5, 1.0, 1.0, 0, 3.0}, {12, 4, 3, 2.0, 1.5}}},
     {{1, 0.0}, {2, 2.0}, {3, 5.0}, {4, 6.0}, {9, 0.0}}},
    {"main carried on",
     PumpMain(1.0, 2.0),
     {{1, 0.0}, {2, 0.0}, {3, 5.0}, {4, 1.0}, {5, 3.0}, {6, 8.0}}},
    {"main arriving 0.001 up",
     PumpMain(0.0005, 0.0005),
     {{2, 0.0}, {4, 0.0005}, {5, 0.0}, {6, 5.0}}},
    {"main arriving above 0.001", PumpMain(0.0006, 0.0006), {{5, 0.0012}, {6, 0.0012 + 5.0}}},
    {"main arriving below 0.001", PumpMain(0.00025, 0.00025), {{5, 0.0005}, {6, 0.0005 + 5.0}}},
};

TEST(LongestPathLengths, AlongTreeBranches) {
    for (const LengthCase& c : kLengthCases) {
        OpenParser parser;
        rivo_test::Feed(c.network, parser);
        EXPECT_TRUE(parser.ParseNetwork(true)) << c.name;
        for (auto [id, length] : c.lengths) {
            EXPECT_DOUBLE_EQ(parser.Node(id).longestPathLength, length) << c.name << " node " << id;
        }
    }
}

struct PassCase {
    const char* name;
    host::Network network;
    const char* branches;
    std::vector<std::int32_t> described;  // the nodes to describe, copies among them
    const char* nodes;
};

// Second-pass decompositions. Copies keep the type their node has by then; the
// part above a drop link loses its way to the outlet and drops out.
const PassCase kPassCases[] = {
    {"chain and a single-node subnetwork",
     kLengthCases[0].network,
     "B1 1 2 3 4/10 11 12 out 0/0 in 0/0 sec 7\n"
     "B2 9/ SS out 1/0 in 0/0 sec 2\n",
     {4, 9},
     "4:x/x/0 9:2/x/1 "},
    // Back link 10 stands highest at outfall 1 and is cut as (1 2).
    {"copy of an outfall",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 10, 10}},
      {{10, 2, 1, 0.0, 1.0}, {11, 3, 2, 0, 0}, {12, 3, 1, 0, 0}}},
     "B1 1 3 2 100000001/12 11 -10 out 0/0 in 0/0 sec 7\n",
     {1, 3, 2, 100000001},
     "1:1/1/1 3:1/2/3 2:1/3/5 100000001:1/4/7 "},
    // Pressure main link 13 cut as (4 2) and turned into (2 4): 2 is copied.
    {"turned pressure main loop",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 20, 10, 2}},
      {{10, 2, 1, 0, -0.5}, {11, 3, 2, 0, 0}, {12, 4, 3, 0, 0}, {13, 4, 2, 1.0, 0, 1.0, 7}}},
     "B1 1 2 3 4 100000002/10 11 12 -13 out 0/0 in 0/0 sec 9\n",
     {4, 100000002},
     "4:1/4/7 100000002:x/x/0 "},
    // Pump 2 starts branch (2 3) in the first pass; the long link 11 puts 3
    // first in the second, where the rising main 12, 13 is not split off.
    {"pump branch of the second pass",
     {{{1, 0, 0, 1}, {2, 10, 0, 4}, {3, 10, 10}, {4, 20, 0}, {5, 30, 0}, {6, 40, 0}},
      {{10, 2, 1, 0.0, -0.5},
       {11, 3, 2, 0.0, 0.0, 1.0, 0, 10.0},
       {12, 4, 2, 0.5, 0.0},
       {13, 5, 4, 1.0, 0.5},
       {14, 6, 5, 0.8, 1.0}}},
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 4 5 6/12 13 14 out 0/0 in 0/0 sec 6\n",
     {2, 3, 4},
     "2:2/1/1 3:x/x/0 4:2/2/2 "},
    // Storage 7 converted at the drop of link 22; 8 and the copy of 7 are cut
    // off, and 7 keeps the numbers of the first pass.
    {"drop link hidden",
     rivo_test::TwoOutfalls({{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0, 2}},
                            {{10, 2, 1, 1.0, 0.0}, {11, 3, 2, 1.5, 1.0}}),
     "B1 1 2 3/10 11 out 1/5 in 0/0 sec 5\nB2 5 6 7/20 21 out 1/-5 in 0/0 sec 5\n",
     {7, 8, 100000007},
     "7:2/3/5 8:x/x/0 100000007:x/x/0 "},
};

TEST(LongestBranchPass, Decomposition) {
    for (const PassCase& c : kPassCases) {
        OpenParser parser;
        rivo_test::Feed(c.network, parser);
        EXPECT_TRUE(parser.ParseNetwork(true)) << c.name;
        EXPECT_EQ(rivo_test::DescribeBranches(parser), c.branches) << c.name;
        EXPECT_EQ(rivo_test::DescribeNodes(parser, c.described), c.nodes) << c.name;
    }
}

// Two triangles on hub 7 whose back links 40 and 41 stand highest at 7 and are
// cut as loop branches (7 6) and (7 4); outfalls 20 and 21 share link 60,
// which is cut between them and stays with the parser.
TEST(LongestBranchPass, LoopsMovedOntoCopiesOfTheirFirstNode) {
    host::Network n{{{1, 0, 0, 1},
                     {7, 10, 0},
                     {3, 20, 10},
                     {4, 10, 20},
                     {5, 20, -10},
                     {6, 10, -20},
                     {20, -100, 0, 1},
                     {21, -110, 0, 1}},
                    {{10, 7, 1, 0, -0.5},
                     {11, 3, 7, 0, 0},
                     {12, 4, 3, 0, 0},
                     {41, 4, 7, 0, 1.0},
                     {14, 5, 7, 0, 0},
                     {15, 6, 5, 0, 0},
                     {40, 6, 7, 0, 1.0, 1.0, 4, 2.5},
                     {60, 21, 20, 5.0, 4.0}}};
    OpenParser parser;
    rivo_test::Feed(n, parser);
    ASSERT_TRUE(parser.ParseNetwork(true));
    EXPECT_EQ(rivo_test::DescribeBranches(parser),
              "B1 1 7 5 6 100000007/10 14 15 -40 out 0/0 in 0/0 sec 9\n"
              "B2 7 3 4 200000007/11 12 -41 out 0/0 in 0/0 sec 7\n"
              "L3 20 21/60 out 0/0 in 0/0 sec 2\n");
    EXPECT_EQ(rivo_test::DescribeNodes(parser, host::NodeIDs(n)),
              "1:1/1/1 7:2/1/1 3:2/2/3 4:2/3/5 5:1/3/5 6:1/4/7 20:3/1/0 21:3/2/0 ");
    // The copies count among the nodes and links.
    EXPECT_EQ((std::pair{parser.NumberOfNodes(), parser.NumberOfLinks()}), (std::pair{10, 10}));
    // The first pass's loop branches stay unnumbered and unreported.
    EXPECT_EQ(parser.GetBranchNumberOfPipe(40) + parser.GetBranchNumberOfPipe(41), 0);

    // The copy keeps its node's place and type, the moved link all but its
    // direction.
    const NodeData& copy = parser.Node(100000007);
    EXPECT_EQ((std::tuple{copy.nodeType, copy.xPosition, copy.yPosition}),
              (std::tuple{0, 10.0, 0.0}));
    graph_fld& g = ParserTestAccess::Graph(parser.core());
    const CEdgeData& link = g.data(g.GetEdge(-40));
    EXPECT_EQ((std::tuple{link.sourceNode, link.targetNode, link.elevationInSource,
                          link.elevationInTarget, link.size, link.length, link.edgeType}),
              (std::tuple{g.GetNode(100000007), g.GetNode(6), 1.0, 0.0, 1.0, 2.5, 4}));
}

}  // namespace
