#include <gtest/gtest.h>

#include <cmath>

#include "branches/branch_stage_fixture.h"

namespace {

using namespace rivo_test;

// Outfall 1, a 2, storage s 3, c 4, d 5: the invert of s-c at s is `up`, that
// of a-s at s is 0.
host::Network DropAtS(double up, double cEnd) {
    return DropChain({{-.4, -.2}, {-.2, 0}, {up, cEnd}, {cEnd, cEnd + .2}}, {3});
}

// The same with a 0.5 drop and a second branch (2 6) searched after it.
host::Network DropAndSideBranch() {
    host::Network net = DropAtS(.5, .9);
    net.nodes.push_back({6, 20, 10});
    net.links.push_back({26, 6, 2, 0, -.2, .5});
    return net;
}

struct DropCase {
    const char* name;
    host::Network network;
    const char* tree;
    const char* loops;
    std::set<std::int32_t> converted, boundaries;
};

const char* const kSplit = "1 2 3/12 23 SO; 4 5/45";
const char* const kWhole = "1 2 3 4 5/12 23 34 45";

// clang-format off
const DropCase kDropCases[] = {
    {"drop of 0.5", DropAtS(.5, .9), kSplit, "3 4/34", {3}, {4, 5}},
    {"drop of exactly 0.1", DropAtS(.1, .5), kWhole, "", {}, {5}},
    {"drop just above 0.1", DropAtS(std::nextafter(.1, 1.), .5), kSplit, "3 4/34", {3}, {4, 5}},
    {"drop just below 0.1", DropAtS(std::nextafter(.1, 0.), .5), kWhole, "", {}, {5}},
    {"drop of 0.05", DropAtS(.05, .45), kWhole, "", {}, {5}},
    {"upstream invert lower", DropAtS(-.2, -.3), kWhole, "", {}, {5}},
    {"drop to the last node", DropChain({{-.4, -.2}, {-.2, 0}, {.5, .9}}, {3}), "1 2 3/12 23 SO", "3 4/34", {3}, {4}},
    {"two drops split in turn", DropChain({{-.4, -.2}, {-.2, 0}, {.5, .7}, {.7, .9}, {1.4, 1.6}, {1.6, 1.8}}, {3, 5}),
     "1 2 3/12 23 SO; 4 5/45 SO; 6 7/67", "3 4/34; 5 6/56", {3, 5}, {4, 6, 7}},
    {"upper part goes to the end of the list", DropAndSideBranch(), "1 2 3/12 23 SO; 2 6/26; 4 5/45", "3 4/34", {3}, {1, 4, 6}},
};
// clang-format on

RIVO_TABLE_TEST(StorageDrops, SplitAtFirstDropOfEachBranch, kDropCases) {
    const DropCase& c = GetParam();
    CFLDNetworkParser parser;
    CBranchFinder& worker = PrepareWorker(parser, c.network);
    graph_fld& g = ParserTestAccess::Graph(parser);
    worker.CutSubnetworkTree();
    worker.SplitAtStorageDrops();

    EXPECT_EQ(Chains(g, worker.TreeBranches()), c.tree);
    EXPECT_EQ(Chains(g, worker.LoopBranches()), c.loops);
    EXPECT_EQ(NodesWith(g, c.network, [](const NodeData& d) { return d.convertedToOutfall; }),
              c.converted);
    EXPECT_EQ(NodesWith(g, c.network, [](const NodeData& d) { return d.branchBoundary; }),
              c.boundaries);
    for (const host::Node& n : c.network.nodes) {
        EXPECT_EQ(g.data(g.GetNode(n.id)).nodeType, c.converted.count(n.id) ? 1 : n.type);
    }
}

}  // namespace
